// "VantAtm": the tape as a telephone dialler for services driven by touch tones. It dials the
// account on the cursor's line through a Hayes modem, sends its logon groups and the keypad's
// digits as tones, hangs up, and plays a phone service's menu onto the tape.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "devices/DiallerPanel.h"
#include "devices/ModemLine.h"

namespace talvex {

class ConfigStore;
class DialogsPort;
class Documents;
class Engine;
struct TapeDocument;

class Dialler {
  public:
    using LineFactory = std::function<std::unique_ptr<ModemLine>()>;

    static constexpr const char* kMenu =
        "VantAtm:Accounts,List Accounts;Dial,Dial/HangUp Phone;Send,Send Logon;Menu,Show "
        "Menus;;Port,Select COM Port";
    // The longest wait for a modem's reply to one command.
    static constexpr int kReplyTimeoutMs = 10000;

    Dialler(Engine& engine, DialogsPort& dialogs, ConfigStore& config);
    Dialler(const Dialler&) = delete;
    Dialler& operator=(const Dialler&) = delete;
    ~Dialler();

    void setPanel(DiallerPanel& panel) { panel_ = &panel; }
    void setDocuments(Documents& documents, TapeDocument& document);
    // Where the modem's serial lines come from; without one no port opens.
    void setLineFactory(LineFactory factory) { lineFactory_ = std::move(factory); }
    void setToday(std::function<std::string()> today) { today_ = std::move(today); }

    // The framework's codes: events, the panel's buttons and the port list.
    void entry(int code);
    // A keypad key while digits go to the modem.
    void manualKey(int key);
    // A tape was loaded: the keypad's digits are the calculator's again.
    void tapeLoaded();

    int portNumber() const { return portNumber_; }
    bool inCall() const { return line_ != nullptr; }
    bool digitCapture() const { return digitCapture_; }

  private:
    void activate();
    void toggleAccounts();
    void dial();
    void hangUp();
    void sendLogon();
    void runMenu();
    void portChosen();
    bool openDocument(const std::string& file);
    bool openPort();
    // Sends a command and waits for the modem's reply; false when the call had to end.
    bool transmit(const std::string& command);
    void endCall();
    void finish();
    void setDigitCapture(bool capture);
    void showCaptions();
    std::string portText() const;

    Engine& engine_;
    DialogsPort& dialogs_;
    ConfigStore& config_;
    DiallerPanel* panel_ = nullptr;
    Documents* documents_ = nullptr;
    TapeDocument* document_ = nullptr;
    LineFactory lineFactory_;
    std::function<std::string()> today_;
    std::unique_ptr<ModemLine> line_;
    int portNumber_ = 1;
    std::string phoneNumber_;
    std::string sendString_;
    std::string savedTapePath_;
    bool showingAccounts_ = false;
    bool hangCaption_ = false;
    bool digitCapture_ = false;
};

}  // namespace talvex
