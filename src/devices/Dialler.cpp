#include "devices/Dialler.h"

#include <ctime>

#include "devices/MenuDialogue.h"
#include "devices/ModemCommands.h"
#include "documents/DialogsPort.h"
#include "documents/Documents.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "engine/OptionNumbers.h"
#include "shell/ConfigStore.h"

namespace talvex {

namespace {

enum Button { kAccounts = 0, kDial = 1, kSend = 2, kMenuButton = 3, kPortButton = 5 };
constexpr int kActivate = -1;
constexpr int kListLoaded = -3;
constexpr int kPortChosen = 4;

constexpr const char* kSection = "VantAtm";
constexpr const char* kPortKey = "Port";
constexpr const char* kPorts[] = {"1", "2", "3", "4"};
constexpr const char* kAccountsFile = "Accounts.kwb";
constexpr const char* kTemplateExtension = ".kwt";

constexpr const char* kOpenErrorTitle = "Error Opening COM Port ";
constexpr const char* kCloseErrorTitle = "Error Closing COM Port ";
constexpr const char* kNoResponseTitle = "No Response from COM Port ";
constexpr const char* kSelectInOptions = "Use View-Options-Calculator to Select/Change COM Port";
constexpr const char* kSelectWithButton = "Use Port Button to Select/Change COM Port";
constexpr const char* kNoSerialPorts = "This program has no serial ports.";

constexpr const char* kEnterNumber = "Enter phone number. ";
constexpr const char* kSendAfterAnswer = "Press Send after number answers";
constexpr const char* kDigitsAfterAnswer =
    "Enter manual digits after number answers, or Press Hang to hang up";
constexpr const char* kSendAfterPause = "Press Send after pause, or after entering manual digits";
constexpr const char* kDigitsAfterPause =
    "Enter manual digits after pause, or Press Hang to hang up";

std::string shortDateToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    return std::strftime(text, sizeof text, "%x", &local) ? text : "";
}

bool endsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

Dialler::Dialler(Engine& engine, DialogsPort& dialogs, ConfigStore& config)
    : engine_(engine), dialogs_(dialogs), config_(config), today_(shortDateToday) {}

// A program that ends during a call leaves the line as a hang-up would.
Dialler::~Dialler() {
    if (line_) line_->close();
}

void Dialler::setDocuments(Documents& documents, TapeDocument& document) {
    documents_ = &documents;
    document_ = &document;
}

void Dialler::entry(int code) {
    if (code != kPortChosen) engine_.showStatusText("");
    switch (code) {
        case kListLoaded:
            portNumber_ = static_cast<int>(config_.readNumber(kSection, kPortKey, 1));
            if (portNumber_ < 1 || portNumber_ > 4) portNumber_ = 1;
            break;
        case kActivate:
            activate();
            break;
        case kAccounts:
            toggleAccounts();
            break;
        case kDial:
            if (hangCaption_)
                hangUp();
            else
                dial();
            break;
        case kSend:
            sendLogon();
            break;
        case kMenuButton:
            runMenu();
            break;
        case kPortChosen:
            portChosen();
            break;
        case kPortButton:
            if (panel_) panel_->dropDownPorts();
            break;
        default:
            break;
    }
}

void Dialler::activate() {
    if (!panel_) return;
    panel_->buildPanel(kMenu);
    showCaptions();
    panel_->setButtonEnabled(kMenuButton, true);
    std::vector<std::string> ports(std::begin(kPorts), std::end(kPorts));
    panel_->fillPorts(ports, std::to_string(portNumber_));
    finish();
}

// The captions follow the state, so a panel built again during a call still offers the hang-up.
void Dialler::showCaptions() {
    if (!panel_) return;
    panel_->setButtonText(kAccounts, showingAccounts_ ? "Tape" : "Accounts",
                          showingAccounts_ ? "Restore Previous Tape" : "List Accounts");
    panel_->setButtonText(kDial, hangCaption_ ? "Hang" : "Dial", "Dial/HangUp Phone");
}

void Dialler::toggleAccounts() {
    if (!documents_ || !document_) return;
    if (!showingAccounts_) {
        const std::string current = document_->fileName;
        if (!openDocument(kAccountsFile)) return;
        savedTapePath_ = current;
        showingAccounts_ = true;
    } else {
        if (!openDocument(savedTapePath_)) return;
        showingAccounts_ = false;
    }
    showCaptions();
}

// A tape names the add-ins it is shown with; the one the dialler opens keeps the dialler's
// panel, or a call could not be hung up.
bool Dialler::openDocument(const std::string& file) {
    const bool opened =
        endsWith(file, kTemplateExtension) ? documents_->newGrid(file) : documents_->openGrid(file);
    if (opened && panel_) panel_->reclaimSlot();
    return opened;
}

void Dialler::dial() {
    phoneNumber_.clear();
    sendString_.clear();
    std::string file;
    if (document_) {
        const int row = engine_.state().curRow;
        for (int col = 2; col <= document_->columns.colCount(); ++col) {
            const std::string& heading = document_->columns.column(col).caption;
            if (heading == "Phone") phoneNumber_ = engine_.cell(row, col);
            if (heading == "Send") sendString_ = engine_.cell(row, col);
            if (heading == "File") file = engine_.cell(row, col);
        }
    }
    if (!file.empty() && (!documents_ || !openDocument(file))) return;
    showingAccounts_ = false;
    showCaptions();
    if (!line_ && !openPort()) return;
    const std::string start = phoneNumber_.empty() ? kEnterNumber : "";
    engine_.showDisplayValue(phoneNumber_);
    engine_.showStatusText(start + (sendString_.empty() ? kDigitsAfterAnswer : kSendAfterAnswer));
    if (!transmit(std::string(modem::kDial) + phoneNumber_)) return;
    hangCaption_ = true;
    showCaptions();
    finish();
}

bool Dialler::openPort() {
    std::unique_ptr<ModemLine> line = lineFactory_ ? lineFactory_() : nullptr;
    const std::string path = config_.serialPortPath("COM" + portText());
    if (!line || !line->open(path)) {
        const std::string reason = line ? line->error() : kNoSerialPorts;
        dialogs_.message(reason + "\n\n" + kSelectInOptions, kOpenErrorTitle + portText(),
                         Buttons::ok, Icon::error);
        return false;
    }
    line_ = std::move(line);
    engine_.setDisplayStyle(colour::kLcdDataEntry);
    setDigitCapture(true);
    if (panel_) panel_->setButtonEnabled(kMenuButton, true);
    return true;
}

// A silent modem leaves the call as it was, except that a dial nobody answered is no call; a
// port that failed ends the call, so nothing more is written to it.
bool Dialler::transmit(const std::string& command) {
    if (!line_) return true;
    line_->clearInput();
    ReplyWait reply = ReplyWait::lost;
    if (line_->write(modem::commandLine(command))) reply = line_->awaitReply(kReplyTimeoutMs);
    if (reply == ReplyWait::arrived) return true;
    const std::string reason = reply == ReplyWait::lost ? line_->error() + "\n\n" : "";
    dialogs_.message(reason + kSelectInOptions, kNoResponseTitle + portText(), Buttons::ok,
                     Icon::error);
    if (reply == ReplyWait::lost || !hangCaption_) endCall();
    return false;
}

// The hang-up ends the call here whatever the modem answers: a dead modem must not keep the
// port open.
void Dialler::hangUp() {
    engine_.showStatusText("");
    engine_.showDisplayValue("");
    transmit(modem::kHangUp);
    if (line_) endCall();
}

void Dialler::endCall() {
    if (line_ && !line_->close())
        dialogs_.message(line_->error() + "\n\n" + kSelectWithButton, kCloseErrorTitle + portText(),
                         Buttons::ok, Icon::error);
    line_.reset();
    hangCaption_ = false;
    showCaptions();
    setDigitCapture(false);
    if (panel_) {
        panel_->setButtonEnabled(kSend, false);
        panel_->setButtonEnabled(kMenuButton, false);
    }
    engine_.setDisplayStyle(-1);
    engine_.clearEntryAfterCall();
}

void Dialler::sendLogon() {
    const std::string group = modem::nextLogonGroup(sendString_);
    engine_.showStatusText(sendString_.empty() ? kDigitsAfterPause : kSendAfterPause);
    if (!group.empty()) {
        engine_.showDisplayValue(group);
        if (!transmit(std::string(modem::kDial) + group)) return;
    }
    finish();
}

void Dialler::manualKey(int key) {
    const auto tone = modem::toneOfKey(key);
    if (!tone) return;
    engine_.showStatusText("");
    engine_.showDisplayValue(engine_.state().regs.displayValue + *tone);
    if (!transmit(std::string(modem::kDial) + *tone)) return;
    finish();
}

// After a command: Send is offered while logon groups remain.
void Dialler::finish() {
    if (panel_) panel_->setButtonEnabled(kSend, !sendString_.empty());
    engine_.showDisplayValue(engine_.state().regs.displayValue);
}

void Dialler::runMenu() {
    if (!documents_) return;
    if (panel_) panel_->setButtonEnabled(kMenuButton, false);
    MenuDialogue(engine_, *documents_, dialogs_, today_()).run();
    engine_.showStatusText("");
    engine_.showDisplayValue("");
    if (panel_) panel_->setButtonEnabled(kMenuButton, true);
}

void Dialler::portChosen() {
    if (!panel_) return;
    const std::string chosen = panel_->chosenPort();
    const int port = chosen.empty() ? 0 : chosen.front() - '0';
    if (chosen.size() != 1 || port < 1 || port > 4) return;
    portNumber_ = port;
    config_.putSetting(kSection, kPortKey, chosen);
    finish();
}

void Dialler::tapeLoaded() {
    setDigitCapture(false);
}

void Dialler::setDigitCapture(bool capture) {
    digitCapture_ = capture;
    if (panel_) panel_->setDigitCapture(capture);
}

std::string Dialler::portText() const {
    return std::to_string(portNumber_);
}

}  // namespace talvex
