#include <gtest/gtest.h>

#include <memory>

#include "SessionTest.h"

namespace talvex {
namespace {

constexpr const char* kHome = "https://home.example/";

// A view whose pages load at once, as local pages do, and report their end to the links.
class InstantView : public WebViewPort {
  public:
    void navigate(const std::string& address, bool newWindow) override {
        opened.push_back((newWindow ? "new " : "") + address);
        if (newWindow) return;
        current = address;
        links->navigationCompleted(address);
    }
    void back() override { opened.push_back("back"); }
    void forward() override { opened.push_back("forward"); }
    std::string currentAddress() const override { return current; }
    std::string currentTitle() const override { return "Title of " + current; }

    BrowserLinks* links = nullptr;
    std::string current;
    std::vector<std::string> opened;
};

enum Button { kSetup = 0, kBack = 1, kAdd = 2, kMore = 3, kForward = 5, kRemove = 6 };

class BrowserLinksTest : public testing::SessionTest {
  protected:
    void SetUp() override {
        startSession("[Talvex]\nPath=.\nAddins0=VantPrint,VantAtm,VantBrowser\n");
        web_.links = &links();
        links().setWebView(&web_);
        links().setOptions([this] { return options_; });
        options_ = {.shown = true, .homeAddress = kHome};
        ASSERT_TRUE(session_->addins.chooseByName(addin_list::kDevices, "VantBrowser"));
    }
    BrowserLinks& links() { return session_->addins.browser(); }
    Engine& engine() { return session_->engine; }
    void press(int button) { session_->addins.framework().pressButton(0, button); }
    void choose(int command) {
        session_->addins.framework().choose(addin_list::kDeviceOwn, command);
    }
    bool enabled(int button) const {
        return session_->addins.framework().panel(0)->enabled[button];
    }
    void key(const std::string& keys) {
        for (char c : keys) engine().keyChar(c);
    }
    // Three lines keyed, the first and third linked to the pages they were added with.
    void linkedTape() {
        key("1+2+3+");
        for (int row : {1, 3}) {
            engine().clickRow(row);
            web_.current = "file:///pages/" + std::to_string(row) + ".html";
            press(kAdd);
        }
        web_.opened.clear();
        web_.current.clear();
    }
    std::string description(int row) const {
        return std::string(session_->engine.cell(row, session_->engine.layout().roles.description));
    }

    InstantView web_;
    BrowserOptions options_;
};

// Add on the open row writes an empty line to carry the link; on a linked line it asks before
// replacing, and Rem asks before removing. Cancel changes nothing.
TEST_F(BrowserLinksTest, AddReplaceAndRemoveAsk) {
    key("1+2+");
    options_.autoAddDescription = true;
    web_.current = "file:///a.html";
    press(kAdd);
    ASSERT_EQ(engine().state().lastRow, 4);
    EXPECT_EQ(engine().state().curRow, 3);
    EXPECT_EQ(engine().lineLink(3), "file:///a.html");
    EXPECT_EQ(description(3), "Title of file:///a.html");
    EXPECT_TRUE(dialogs_.messages.empty());

    const struct {
        Button button;
        answer::Answer answer;
        std::string link;
    } steps[] = {
        {kAdd, answer::kCancel, "file:///a.html"},
        {kAdd, answer::kOk, "file:///b.html"},
        {kRemove, answer::kCancel, "file:///b.html"},
        {kRemove, answer::kOk, ""},
    };
    web_.current = "file:///b.html";
    for (const auto& step : steps) {
        dialogs_.answers = {step.answer};
        press(step.button);
        EXPECT_EQ(engine().lineLink(3), step.link) << step.button << " " << step.answer;
        EXPECT_EQ(links().linkAddress(), step.link);
    }
    EXPECT_EQ(dialogs_.messages,
              (std::vector<std::string>{
                  "Replace HyperLink on Row 3?: Replace existing link to file:///a.html\nwith an "
                  "updated link to file:///b.html?",
                  "Replace HyperLink on Row 3?: Replace existing link to file:///a.html\nwith an "
                  "updated link to file:///b.html?",
                  "Remove HyperLink from Row 3?: Remove link to file:///b.html?",
                  "Remove HyperLink from Row 3?: Remove link to file:///b.html?"}));
    EXPECT_EQ(description(3), "Title of file:///a.html") << "a described line keeps its text";
}

// Moving onto a line opens its page, the nearest one above, or the home page, as the
// switches say; a page already shown opens again only when asked to.
TEST_F(BrowserLinksTest, MovingOntoALineOpensItsPage) {
    const struct {
        const char* name;
        bool shown, autoLaunch, mostRecent, relaunch, unlinkFirst;
        int row;
        std::string showing;
        std::vector<std::string> opened;
    } cases[] = {
        {"no auto launch", true, false, false, false, false, 1, "", {}},
        {"hidden browser", false, true, false, false, false, 1, "", {}},
        {"own link", true, true, false, false, false, 1, "", {"file:///pages/1.html"}},
        {"unlinked line", true, true, false, false, false, 2, "", {}},
        {"most recent above", true, true, true, false, false, 2, "", {"file:///pages/1.html"}},
        {"nothing above", true, true, true, false, true, 2, "", {kHome}},
        {"already shown", true, true, false, false, false, 1, "file:///pages/1.html", {}},
        {"relaunched",
         true,
         true,
         false,
         true,
         false,
         1,
         "file:///pages/1.html",
         {"file:///pages/1.html"}},
    };
    for (const auto& c : cases) {
        SetUp();
        linkedTape();
        if (c.unlinkFirst) engine().setLineLink(1, "");
        options_.shown = c.shown;
        options_.autoLaunch = c.autoLaunch;
        options_.launchMostRecent = c.mostRecent;
        options_.relaunchCurrent = c.relaunch;
        web_.current = c.showing;
        engine().clickRow(c.row);
        EXPECT_EQ(web_.opened, c.opened) << c.name;
    }
}

// A page reached in the browser brings the first line linking to it to the top of the tape;
// one the tape opened does so only with "Snap to Top".
TEST_F(BrowserLinksTest, PageReachedScrollsTapeToItsLine) {
    const struct {
        const char* name;
        bool autoScroll, snapToTop, fromTape;
        std::string address;
        std::vector<int> topRows;
    } cases[] = {
        {"followed link", true, false, false, "file:///pages/3.html", {3}},
        {"scrolling off", false, true, false, "file:///pages/3.html", {}},
        {"linked nowhere", true, true, false, "file:///pages/9.html", {}},
        {"opened by the tape", true, false, true, "file:///pages/3.html", {}},
        {"opened by the tape, snapped", true, true, true, "file:///pages/3.html", {3}},
    };
    for (const auto& c : cases) {
        SetUp();
        linkedTape();
        options_.autoScroll = c.autoScroll;
        options_.snapToTop = c.snapToTop;
        options_.autoLaunch = c.fromTape;
        view_.topRows.clear();
        if (c.fromTape)
            engine().clickRow(3);
        else
            web_.navigate(c.address, false);
        EXPECT_EQ(view_.topRows, c.topRows) << c.name;
    }
}

// Launch opens the line's page in a window of its own, or says the line has none; NewAddress
// opens what is typed.
TEST_F(BrowserLinksTest, CommandsOfTheList) {
    linkedTape();
    engine().clickRow(2);
    choose(1);
    EXPECT_EQ(view_.lastError(), BrowserLinks::kNoAddress);
    engine().clickRow(1);
    choose(1);
    dialogs_.inputs = {"file:///typed.html"};
    choose(0);
    choose(0);
    EXPECT_EQ(web_.opened,
              (std::vector<std::string>{"new file:///pages/1.html", "file:///typed.html"}));
    EXPECT_EQ(dialogs_.inputsAsked.back(), "Browser Address: Enter New Browser Address");
}

// The buttons follow the browser's visibility, the messenger's lock and the line's link.
TEST_F(BrowserLinksTest, ButtonsFollowBrowserLockAndLine) {
    for (const bool shown : {false, true}) {
        for (const bool locked : {false, true}) {
            for (const int row : {1, 2}) {
                SetUp();
                linkedTape();
                options_.shown = shown;
                options_.locked = locked;
                engine().clickRow(row);
                const std::string name =
                    std::to_string(shown) + std::to_string(locked) + std::to_string(row);
                for (Button b : {kBack, kMore, kForward}) EXPECT_EQ(enabled(b), shown) << name;
                EXPECT_EQ(enabled(kAdd), shown && !locked) << name;
                EXPECT_EQ(enabled(kRemove), shown && !locked && row == 1) << name;
            }
        }
    }
}

// A link belongs to its line: deleting a line above or editing an amount leaves every link
// where it was.
TEST_F(BrowserLinksTest, LinksStayOnTheirLinesThroughEdits) {
    linkedTape();
    engine().clickRow(1);
    ASSERT_TRUE(engine().editAmount("7"));
    engine().clickRow(2);
    ASSERT_TRUE(engine().deleteRow());
    EXPECT_EQ(engine().lineLink(1), "file:///pages/1.html");
    EXPECT_EQ(engine().lineLink(2), "file:///pages/3.html");
    EXPECT_EQ(engine().lineLink(3), "");
}

}  // namespace
}  // namespace talvex
