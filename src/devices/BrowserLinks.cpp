#include "devices/BrowserLinks.h"

#include "documents/DialogsPort.h"
#include "engine/Engine.h"

namespace talvex {

namespace {

const std::vector<std::string> kCommands = {"NewAddress", "Launch"};
constexpr int kNewAddress = 0;
constexpr int kLaunch = 1;

}  // namespace

BrowserLinks::BrowserLinks(Engine& engine, DialogsPort& dialogs)
    : engine_(engine), dialogs_(dialogs) {}

void BrowserLinks::entry(int code) {
    if (listBusy_) return;
    switch (code) {
        case -1:
            activate();
            break;
        case kSetup:
            setup();
            break;
        case kBack:
            if (view_) view_->back();
            break;
        case kAdd:
            add();
            break;
        case kMore:
            if (panel_) panel_->dropDownCommands();
            break;
        case kForward:
            if (view_) view_->forward();
            break;
        case kRemove:
            remove();
            break;
        case kList:
            listChoice();
            break;
        default:
            break;
    }
}

void BrowserLinks::activate() {
    if (!panel_) return;
    panel_->buildPanel(kMenu);
    refreshButtons();
    listBusy_ = true;
    panel_->fillCommands(kCommands);
    listBusy_ = false;
}

bool BrowserLinks::browserShown() const {
    return view_ && options().shown;
}

bool BrowserLinks::locked() const {
    return options().locked;
}

std::string BrowserLinks::linkOf(int row) const {
    return std::string(engine_.lineLink(row));
}

void BrowserLinks::refreshButtons() {
    if (!panel_ || !panel_->panelShown()) return;
    const bool shown = browserShown();
    const bool editable = shown && !locked();
    panel_->setButtonEnabled(kBack, shown);
    panel_->setButtonEnabled(kMore, shown);
    panel_->setButtonEnabled(kForward, shown);
    panel_->setButtonEnabled(kAdd, editable);
    panel_->setButtonEnabled(kRemove, editable && !linkAddress_.empty());
    panel_->setCommandsEnabled(shown);
}

// Moving onto a line: its own link, or with "Launch Most Recent Address" the nearest one above
// (the messenger's home page when there is none), opens unless the page already shows.
void BrowserLinks::lineFetched(int row) {
    if (row != engine_.state().curRow) return;
    linkAddress_ = linkOf(row);
    if (browserShown() && options().autoLaunch) launchFromTape();
    refreshButtons();
}

void BrowserLinks::launchFromTape() {
    std::string address = linkAddress_;
    if (address.empty() && options().launchMostRecent) {
        address = nearestLinkAbove(engine_.state().curRow);
        if (address.empty()) address = options().homeAddress;
    }
    if (address.empty()) return;
    if (!options().relaunchCurrent && view_->currentAddress() == address) return;
    // The page may finish loading after this returns; it still counts as the tape's until the
    // view reports its end.
    navigatingFromTape_ = true;
    view_->navigate(address, false);
    view_->processEvents();
}

std::string BrowserLinks::nearestLinkAbove(int row) const {
    for (int above = row - 1; above >= 1; --above)
        if (!linkOf(above).empty()) return linkOf(above);
    return {};
}

void BrowserLinks::navigationCompleted(const std::string& address) {
    const bool fromTape = navigatingFromTape_;
    navigatingFromTape_ = false;
    if (!browserShown() || !options().autoScroll) return;
    if (fromTape && !options().snapToTop) return;
    for (int row = 1; row < engine_.state().lastRow; ++row) {
        if (linkOf(row) == address) {
            engine_.showRowAtTop(row);
            return;
        }
    }
}

// The open row after the last line gets an empty line to carry the link; a line that has one
// keeps it unless the user agrees to replace it.
void BrowserLinks::add() {
    if (!browserShown() || locked()) return;
    int row = engine_.state().curRow;
    if (row == engine_.state().lastRow) {
        row = engine_.writeEmptyLine();
        if (row < 1) return;
    } else if (!linkAddress_.empty() && !replaceConfirmed(row)) {
        return;
    }
    linkTitle_ = view_->currentTitle();
    writeLink(row, view_->currentAddress());
    if (options().autoAddDescription && !linkTitle_.empty())
        engine_.describeEmptyLine(row, linkTitle_);
    refreshButtons();
}

bool BrowserLinks::replaceConfirmed(int row) {
    const std::string number = std::to_string(row);
    const std::string text = "Replace existing link to " + linkAddress_ +
                             "\nwith an updated link to " + view_->currentAddress() + "?";
    return dialogs_.message(text, "Replace HyperLink on Row " + number + "?", Buttons::okCancel,
                            Icon::question) == answer::kOk;
}

// What the line holds afterwards: a tape that is off keeps no links.
void BrowserLinks::writeLink(int row, const std::string& address) {
    engine_.setLineLink(row, address);
    linkAddress_ = linkOf(row);
}

void BrowserLinks::remove() {
    const int row = engine_.state().curRow;
    if (linkAddress_.empty() || row >= engine_.state().lastRow) return;
    const std::string number = std::to_string(row);
    if (dialogs_.message("Remove link to " + linkAddress_ + "?",
                         "Remove HyperLink from Row " + number + "?", Buttons::okCancel,
                         Icon::question) != answer::kOk)
        return;
    writeLink(row, "");
    refreshButtons();
}

void BrowserLinks::listChoice() {
    const int choice = panel_ ? panel_->chosenCommand() : -1;
    if (choice == kNewAddress) {
        if (!view_) return;
        const auto typed = dialogs_.inputBox("Enter New Browser Address", "Browser Address",
                                             view_->currentAddress());
        if (typed && !typed->empty()) view_->navigate(*typed, false);
    } else if (choice == kLaunch) {
        engine_.reloadCurrentLine();
        if (!linkAddress_.empty() && browserShown())
            view_->navigate(linkAddress_, true);
        else
            engine_.addinError(kNoAddress);
    }
}

// The settings dialog refreshes the messenger's hint itself when it is confirmed.
void BrowserLinks::setup() {
    if (setup_) setup_();
    refreshButtons();
}

}  // namespace talvex
