#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "SessionTest.h"
#include "engine/KeyCodes.h"

namespace talvex {
namespace {

// What the modem saw: the device opened, every byte written, and whether the port was closed.
struct ModemRecord {
    std::string path;
    std::string bytes;
    bool open = false;
    int opens = 0;
};

// A modem that answers each command as scripted (arrived when the script runs out).
class FakeModem : public ModemLine {
  public:
    FakeModem(ModemRecord& record, bool opens, std::deque<ReplyWait>& replies)
        : record_(record), opens_(opens), replies_(replies) {}
    bool open(const std::string& path) override {
        record_.path = path;
        record_.open = opens_;
        record_.opens += opens_;
        return opens_;
    }
    void clearInput() override {}
    bool write(std::string_view bytes) override {
        record_.bytes += bytes;
        return true;
    }
    ReplyWait awaitReply(int timeoutMs) override {
        EXPECT_LE(timeoutMs, 10000);
        if (replies_.empty()) return ReplyWait::arrived;
        const ReplyWait reply = replies_.front();
        replies_.pop_front();
        return reply;
    }
    bool close() override {
        record_.open = false;
        return true;
    }
    std::string error() const override { return opens_ ? "device gone" : "no such port"; }

  private:
    ModemRecord& record_;
    bool opens_;
    std::deque<ReplyWait>& replies_;
};

enum Button { kAccounts = 0, kDial = 1, kSend = 2, kMenu = 3 };
constexpr const char* kSelectPort = "Use View-Options-Calculator to Select/Change COM Port";

class DiallerTest : public testing::SessionTest {
  protected:
    void SetUp() override {
        for (const char* name : {"Accounts.kwb", "!Default.kwt", "Welcome.1", "Checks.1",
                                 "Debits.1", "Deposits.1", "Goodbye.1"})
            std::filesystem::copy_file(std::filesystem::path(TALVEX_DATA_DIR) / name,
                                       folder_ / name,
                                       std::filesystem::copy_options::overwrite_existing);
        startSession(
            "[Talvex]\nPath=.\nAddins0=VantPrint,VantAtm\n[Ports]\nCOM1=/dev/modem1\nCOM2=/dev/"
            "modem2\n");
        session_->addins.dialler().setLineFactory(
            [this] { return std::make_unique<FakeModem>(modem_, portOpens_, replies_); });
        session_->addins.dialler().setToday([] { return std::string("12/7/2026"); });
        ASSERT_TRUE(session_->addins.chooseByName(addin_list::kDevices, "VantAtm"));
    }
    void press(int button) { session_->addins.framework().pressButton(0, button); }
    // The accounts list with the cursor on an account's line.
    void onAccount(int row) {
        press(kAccounts);
        ASSERT_EQ(caption(kAccounts), "Tape");
        session_->engine.clickRow(row);
    }
    std::string caption(int button) const {
        return session_->addins.framework().panel(0)->layout.buttons[button].caption;
    }
    bool enabled(int button) const {
        return session_->addins.framework().panel(0)->enabled[button];
    }
    std::string status() const { return view_.statuses.empty() ? "" : view_.statuses.back().first; }
    // What a step sent over the line.
    std::string sent(const std::function<void()>& step) {
        const size_t before = modem_.bytes.size();
        step();
        return modem_.bytes.substr(before);
    }
    std::string cell(int row, int col) const {
        return std::string(session_->engine.cell(row, col));
    }

    ModemRecord modem_;
    bool portOpens_ = true;
    std::deque<ReplyWait> replies_;
};

// One call from the accounts list: the dial, the logon groups with an empty one between, the
// keypad's digits as tones, and the hang-up, each with the exact line the modem receives.
TEST_F(DiallerTest, ACallSendsEachCommandLine) {
    onAccount(1);
    Engine& engine = session_->engine;
    const struct {
        const char* step;
        std::function<void()> act;
        std::string bytes;
        std::string status;
    } steps[] = {
        {"dial", [&] { press(kDial); }, "ATDT5551234;\r", "Press Send after number answers"},
        {"first group", [&] { press(kSend); }, "ATDT1234;\r",
         "Press Send after pause, or after entering manual digits"},
        {"empty group", [&] { press(kSend); }, "",
         "Press Send after pause, or after entering manual digits"},
        {"last group", [&] { press(kSend); }, "ATDT5678;\r",
         "Enter manual digits after pause, or Press Hang to hang up"},
        {"digit 7", [&] { engine.keyChar('7'); }, "ATDT7;\r", ""},
        {"00 key", [&] { engine.keyFront(key::kDoubleZero); }, "ATDT*;\r", ""},
        {"decimal point", [&] { engine.keyChar('.'); }, "ATDT#;\r", ""},
        {"Ref", [&] { engine.keyFront(key::kRef); }, "ATDT#;\r", ""},
        {"hang up", [&] { press(kDial); }, "ATH0\r;\r", ""},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(sent(step.act), step.bytes) << step.step;
        EXPECT_EQ(status(), step.status) << step.step;
        if (std::string(step.step) == "dial") {
            EXPECT_EQ(caption(kDial), "Hang");
            EXPECT_TRUE(enabled(kSend));
            EXPECT_EQ(modem_.path, "/dev/modem1");
        }
        if (std::string(step.step) == "Ref") {
            EXPECT_EQ(view_.display, "56787*##");
        }
    }
    EXPECT_FALSE(modem_.open);
    EXPECT_EQ(caption(kDial), "Dial");
    EXPECT_FALSE(enabled(kSend));
    EXPECT_FALSE(enabled(kMenu));
    EXPECT_TRUE(dialogs_.messages.empty());
    // The keypad is the calculator's again, and the tape the account opened took no digits.
    engine.keyChar('4');
    engine.keyChar('+');
    EXPECT_EQ(sent([] {}), "");
    EXPECT_EQ(cell(1, engine.layout().roles.amount), "4.");
}

// Without a number to dial the modem is only taken off hook; without a logon, Send is not
// offered.
TEST_F(DiallerTest, DialWithoutNumberOrLogon) {
    EXPECT_EQ(sent([&] { press(kDial); }), "ATDT;\r");
    EXPECT_EQ(status(),
              "Enter phone number. Enter manual digits after number answers, or Press Hang to "
              "hang up");
    EXPECT_FALSE(enabled(kSend));
    press(kDial);
    onAccount(3);
    EXPECT_EQ(sent([&] { press(kDial); }), "ATDT18005550199;\r");
    EXPECT_EQ(status(), "Enter manual digits after number answers, or Press Hang to hang up");
    EXPECT_FALSE(enabled(kSend));
}

// A port that does not open, a modem that stays silent and a port that is lost all end with
// their message, the port closed and the keypad back with the calculator.
TEST_F(DiallerTest, FailuresEndTheCallWithTheirMessage) {
    const struct {
        const char* name;
        bool opens;
        std::deque<ReplyWait> replies;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"port does not open",
         false,
         {},
         "",
         std::string("Error Opening COM Port 1: no such port\n\n") + kSelectPort},
        {"silent modem",
         true,
         {ReplyWait::silent},
         "ATDT5551234;\r",
         std::string("No Response from COM Port 1: ") + kSelectPort},
        {"port lost",
         true,
         {ReplyWait::lost},
         "ATDT5551234;\r",
         std::string("No Response from COM Port 1: device gone\n\n") + kSelectPort},
    };
    for (const auto& c : cases) {
        SetUp();
        portOpens_ = c.opens;
        replies_ = c.replies;
        onAccount(1);
        EXPECT_EQ(sent([&] { press(kDial); }), c.bytes) << c.name;
        ASSERT_EQ(dialogs_.messages.size(), 1u) << c.name;
        EXPECT_EQ(dialogs_.messages.back(), c.message) << c.name;
        EXPECT_FALSE(modem_.open) << c.name;
        EXPECT_EQ(caption(kDial), "Dial") << c.name;
        EXPECT_FALSE(session_->addins.framework().takesNumberEntry()) << c.name;
        dialogs_.messages.clear();
        modem_ = {};
    }
}

// A modem that stops answering during a call: its silence is reported, the call goes on, and
// the hang-up closes the port even when nothing answers it.
TEST_F(DiallerTest, SilentModemCanStillBeHungUp) {
    onAccount(1);
    press(kDial);
    replies_ = {ReplyWait::silent, ReplyWait::silent};
    EXPECT_EQ(sent([&] { press(kSend); }), "ATDT1234;\r");
    EXPECT_TRUE(modem_.open);
    EXPECT_EQ(caption(kDial), "Hang");
    EXPECT_EQ(sent([&] { press(kDial); }), "ATH0\r;\r");
    EXPECT_FALSE(modem_.open);
    EXPECT_EQ(dialogs_.messages.size(), 2u);
    EXPECT_EQ(dialogs_.messages.back(), std::string("No Response from COM Port 1: ") + kSelectPort);
}

// The port chosen in the list is the one opened, named in messages and kept in the
// configuration.
TEST_F(DiallerTest, ChosenPortIsOpenedAndKept) {
    session_->addins.framework().choose(addin_list::kDeviceSecond, 1);
    portOpens_ = false;
    press(kDial);
    EXPECT_EQ(modem_.path, "/dev/modem2");
    ASSERT_FALSE(dialogs_.messages.empty());
    EXPECT_TRUE(dialogs_.messages.back().starts_with("Error Opening COM Port 2: "));
    EXPECT_EQ(session_->config.getSetting("VantAtm", "Port", ""), "2");
}

// The menu: an answer not offered is asked again, 8 repeats the main menu, a section of seven
// transactions with pages of three prompts twice, and 0 hangs up after the farewell.
TEST_F(DiallerTest, MenuPlaysDepositsPageByPage) {
    dialogs_.inputs = {"5", "3", "1", "1", "8", "0"};
    press(kMenu);
    const std::string main = "Main Menu: 1=Checks,2=Debits,3=Deposits,8=Repeat,0=Hangup";
    const std::string more = "Deposits Menu: 1= 3 More, 2=Main Menu, 0=HangUp";
    EXPECT_EQ(dialogs_.inputsAsked, (std::vector<std::string>{main, main, more, more, main, main}));
    const TapeLayout& layout = session_->engine.layout();
    std::vector<std::string> written;
    for (int row = 1; row < session_->engine.state().lastRow; ++row)
        written.push_back(cell(row, layout.roles.description) + " " +
                          cell(row, layout.roles.amount) + cell(row, layout.roles.op));
    EXPECT_EQ(written, (std::vector<std::string>{
                           "Opening balance 1520.4+", "Deposit 1 1200.+", "Deposit 2 85.+",
                           "Deposit 3 40.25+", "Deposit 4 310.+", "Deposit 5 12.5+",
                           "Deposit 6 999.99+", "Deposit 7 60.+", "Balance 1520.4T", " "}));
    EXPECT_EQ(cell(2, 3), "12/7/2026");
    EXPECT_NE(session_->document.notes.find("First Bank telephone banking"), std::string::npos);
    EXPECT_NE(session_->document.notes.find("Thank you for calling"), std::string::npos);
    EXPECT_TRUE(enabled(kMenu));
}

}  // namespace
}  // namespace talvex
