// "VantBrowser": web addresses tied to tape lines. The address a page shows is kept on the
// cursor's line (in the hidden column after the last one); moving onto a linked line opens its
// page, and a page reached in the browser scrolls the tape to the line that links to it.
#pragma once

#include <functional>
#include <string>

#include "devices/BrowserPanel.h"
#include "devices/WebViewPort.h"

namespace talvex {

class DialogsPort;
class Engine;

// The switches the messenger keeps for the links, with its lock and its home page.
struct BrowserOptions {
    bool shown = false;   // the messenger's "Active:"
    bool locked = false;  // its Edit Lock
    bool autoLaunch = false;
    bool autoScroll = false;
    bool launchMostRecent = false;
    bool snapToTop = false;
    bool relaunchCurrent = false;
    bool autoAddDescription = false;
    std::string homeAddress;
};

class BrowserLinks {
  public:
    static constexpr const char* kMenu =
        "Browser:Setup,Setup Browser Options;Back,Backward;Add,Add Address to Tape;More...,New "
        "Address/Launch Address;;Fwd,Forward;Rem,Remove Address from Tape";
    static constexpr const char* kNoAddress = "Current Row has no associated Address";

    // Codes of the panel's buttons and of the list.
    enum Code { kSetup = 0, kBack = 1, kAdd = 2, kMore = 3, kForward = 5, kRemove = 6, kList = 8 };

    BrowserLinks(Engine& engine, DialogsPort& dialogs);

    void setPanel(BrowserPanel& panel) { panel_ = &panel; }
    // The options as the messenger holds them at the moment of asking.
    void setOptions(std::function<BrowserOptions()> options) { options_ = std::move(options); }
    // The messenger's settings dialog, behind its password when Edit Lock asks for one.
    void setSetup(std::function<void()> setup) { setup_ = std::move(setup); }
    // Without a view the browser counts as hidden.
    void setWebView(WebViewPort* view) { view_ = view; }

    // The framework's codes: activation, the buttons and the list.
    void entry(int code);
    // The cursor's line was fetched.
    void lineFetched(int row);
    // The view finished opening a page.
    void navigationCompleted(const std::string& address);
    // A page the tape asked for ended without loading.
    void navigationEnded() { navigatingFromTape_ = false; }

    const std::string& linkAddress() const { return linkAddress_; }
    const std::string& linkTitle() const { return linkTitle_; }

  private:
    void activate();
    void add();
    void remove();
    void listChoice();
    void setup();
    void launchFromTape();
    void refreshButtons();
    bool replaceConfirmed(int row);
    void writeLink(int row, const std::string& address);
    std::string nearestLinkAbove(int row) const;
    std::string linkOf(int row) const;
    bool browserShown() const;
    bool locked() const;
    BrowserOptions options() const { return options_ ? options_() : BrowserOptions{}; }

    Engine& engine_;
    DialogsPort& dialogs_;
    BrowserPanel* panel_ = nullptr;
    std::function<BrowserOptions()> options_;
    std::function<void()> setup_;
    WebViewPort* view_ = nullptr;
    std::string linkAddress_;
    std::string linkTitle_;
    bool navigatingFromTape_ = false;
    bool listBusy_ = false;
};

}  // namespace talvex
