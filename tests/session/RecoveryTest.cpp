// The recovery copy of an unsaved tape: when it is written and removed, where it lives, which
// copies a start offers, and what a Yes or a No to the offer leaves behind.
#include <gtest/gtest.h>

#include <memory>

#include "RecordingView.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "documents/TapeWriter.h"
#include "session/RecoveryOffer.h"
#include "session/RecoverySchedule.h"
#include "session/TapeSession.h"

namespace talvex {
namespace {

using Step = RecoverySchedule::Step;
using std::chrono::milliseconds;

struct Event {
    int at;         // milliseconds
    bool change;    // a change reported, else a tick
    bool modified;  // at a tick
    Step expected;  // at a tick
};
Event change(int at) {
    return {at, true, true, Step::none};
}
// The copy is on disk already: -1 stands for that.
Event restored() {
    return {-1, true, true, Step::none};
}
Event tick(int at, bool modified, Step expected) {
    return {at, false, modified, expected};
}

TEST(RecoveryScheduleTest, WritesAfterTheLastChangeAndRemovesWhenNothingIsUnsaved) {
    const struct {
        const char* name;
        std::vector<Event> events;
    } cases[] = {
        {"a change is written once after three quiet seconds",
         {change(0), tick(2999, true, Step::none), tick(3000, true, Step::write),
          tick(9000, true, Step::none)}},
        {"every change starts the wait again",
         {change(0), change(2000), change(4000), tick(6999, true, Step::none),
          tick(7000, true, Step::write)}},
        {"a modification nobody reported is a change when it is seen",
         {tick(1000, true, Step::none), tick(3999, true, Step::none),
          tick(4000, true, Step::write)}},
        {"a save removes the copy, once",
         {change(0), tick(3000, true, Step::write), tick(3500, false, Step::remove),
          tick(4000, false, Step::none)}},
        {"changes undone before the copy was written leave nothing to remove",
         {change(0), tick(1000, false, Step::none), tick(5000, false, Step::none)}},
        {"a change after the copy writes it again",
         {change(0), tick(3000, true, Step::write), change(5000), tick(7000, true, Step::none),
          tick(8000, true, Step::write)}},
        {"a restored copy is removed by a save at once",
         {restored(), tick(100, false, Step::remove)}},
        {"changes saved before the wait ended are not written",
         {change(0), tick(1000, false, Step::none), change(1500), tick(4000, false, Step::none)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecoverySchedule schedule;
        const RecoverySchedule::Clock::time_point start{};
        for (const Event& e : c.events) {
            const auto now = start + milliseconds(e.at);
            if (e.at < 0) {
                schedule.copyKeptAlready();
                continue;
            }
            if (e.change) {
                schedule.changed(now);
                continue;
            }
            EXPECT_EQ(schedule.step(e.modified, now), e.expected) << "at " << e.at;
        }
    }
}

TEST(RecoveryCopiesTest, FolderFollowsTheStateHome) {
    const struct {
        const char* stateHome;
        const char* home;
        std::optional<std::filesystem::path> expected;
    } cases[] = {
        {"/tmp/state", "/home/ann", "/tmp/state/talvex"},
        {nullptr, "/home/ann", "/home/ann/.local/state/talvex"},
        {"relative/state", "/home/ann", "/home/ann/.local/state/talvex"},
        {nullptr, nullptr, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(recoveryFolder(c.stateHome, c.home), c.expected);
}

TEST(RecoveryCopiesTest, NotesReadBackAndDamagedOnesAreNotCopies) {
    for (const std::string original : {"/home/ann/Household.kwd", "", "/a b/c=d.kwd"}) {
        const auto copy = readRecoveryNote(recoveryNote(original, 1765117920));
        ASSERT_TRUE(copy) << original;
        EXPECT_EQ(copy->original, original);
        EXPECT_EQ(copy->saved, 1765117920);
    }
    for (const char* damaged : {"", "original=/a.kwd\n", "saved=12\n",
                                "original=/a.kwd\nsaved=soon\n", "original=/a.kwd\nsaved=\n"})
        EXPECT_FALSE(readRecoveryNote(damaged)) << damaged;
}

class RecoveryFilesTest : public ::testing::Test {
  protected:
    std::filesystem::path folder() const { return temp_ / "state"; }
    void leave(int pid, const std::string& original, std::time_t saved) {
        std::string error;
        ASSERT_TRUE(RecoveryCopies(folder(), pid)
                        .write("tape of " + std::to_string(pid), original, saved, error))
            << error;
    }
    testing::TempFolder temp_;
};

TEST_F(RecoveryFilesTest, CopiesOfWindowsThatAreGoneAreOfferedNewestFirst) {
    leave(101, "/a.kwd", 1000);
    leave(102, "", 3000);
    leave(103, "/c.kwd", 2000);
    leave(104, "/running.kwd", 4000);
    leave(200, "/own.kwd", 5000);
    // A note whose tape is missing is not a copy.
    leave(105, "/gone.kwd", 6000);
    std::filesystem::remove(RecoveryCopies(folder(), 105).own().tape);
    const RecoveryCopies copies(folder(), 200);
    const auto left = copies.left([](int pid) { return pid == 104; });
    std::vector<int> pids;
    for (const RecoveryCopy& copy : left) pids.push_back(copy.pid);
    EXPECT_EQ(pids, (std::vector<int>{102, 103, 101}));
    EXPECT_EQ(left.front().original, "");
    EXPECT_EQ(testing::readFile(left.back().tape), "tape of 101");
}

TEST_F(RecoveryFilesTest, ANewFolderIsMadeAndRemovingLeavesNothing) {
    const RecoveryCopies copies(folder() / "deeper", 7);
    std::string error;
    ASSERT_TRUE(copies.write("text", "/x.kwd", 1, error)) << error;
    EXPECT_TRUE(std::filesystem::exists(copies.own().note));
    copies.remove();
    EXPECT_TRUE(std::filesystem::is_empty(folder() / "deeper"));
}

TEST(RecoveryOfferTest, QuestionNamesTheTapeAndWhen) {
    std::tm saved{};
    saved.tm_year = 126;
    saved.tm_yday = 340;
    saved.tm_mon = 11;
    saved.tm_mday = 7;
    saved.tm_hour = 14;
    saved.tm_min = 32;
    std::tm sameDay = saved;
    sameDay.tm_hour = 18;
    std::tm nextDay = saved;
    nextDay.tm_yday = 341;
    EXPECT_EQ(recoveryTime(saved, sameDay), "14:32");
    EXPECT_EQ(recoveryTime(saved, nextDay), "2026-12-07 14:32");
    RecoveryCopy copy;
    copy.original = "/home/ann/Household.kwd";
    EXPECT_EQ(recoveryQuestion(copy, "14:32"),
              "Talvex was not closed properly. Restore the unsaved changes to Household.kwd "
              "from 14:32?");
    copy.original.clear();
    EXPECT_EQ(recoveryQuestion(copy, "09:05"),
              "Talvex was not closed properly. Restore the unsaved changes to an untitled tape "
              "from 09:05?");
}

class RecoveryOfferSessionTest : public ::testing::Test {
  protected:
    RecoveryOfferSessionTest() {
        testing::writeFile(temp_ / "Talvex.ini", "[Talvex]\nPath=" + temp_.path().string() + "\n");
    }
    std::unique_ptr<TapeSession> session() {
        auto made =
            std::make_unique<TapeSession>(SessionPorts{view_, dialogs_, frontEnd_, progress_},
                                          ConfigStore(temp_ / "Talvex.ini"), '.');
        made->engine.newTape();
        made->document.columns.setDefaults();
        // The calculator's and the tape's settings travel with the file, as the default
        // template has them.
        made->settings.setFlag(settings_group::kCalculator, 1);
        made->settings.setFlag(settings_group::kTape, 1);
        return made;
    }
    std::string fileText(TapeSession& s) {
        return tapeFileText(s.document, s.engine, s.fileSettings, TapeKind::withData);
    }
    // A crashed window's copy of a tape keyed with these keys.
    std::string crashedWith(const std::string& keys, const std::string& original) {
        auto crashed = session();
        for (char c : keys) crashed->engine.keyChar(c);
        const std::string text = fileText(*crashed);
        std::string error;
        EXPECT_TRUE(RecoveryCopies(folder(), 4242).write(text, original, 0, error)) << error;
        return text;
    }
    std::filesystem::path folder() const { return temp_ / "state" / "talvex"; }
    static bool noneRunning(int) { return false; }

    testing::TempFolder temp_;
    testing::RecordingView view_;
    testing::ScriptedDialogs dialogs_;
    FrontEndPort frontEnd_;
    ProgressPort progress_;
};

TEST_F(RecoveryOfferSessionTest, YesOpensTheCopyModifiedUnderItsOwnName) {
    const std::string original = (temp_ / "Household.kwd").string();
    const std::string copied = crashedWith("5+7+T3*4=", original);
    auto restarted = session();
    const RecoveryCopies copies(folder(), 77);
    dialogs_.answers = {answer::kYes};
    ASSERT_TRUE(offerRecovery(*restarted, dialogs_, copies, noneRunning, 0));
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages[0].find("to Household.kwd from"), std::string::npos);
    // The restored tape is the crashed one, line for line, with unsaved changes.
    EXPECT_EQ(fileText(*restarted), copied);
    EXPECT_TRUE(restarted->engine.state().modified);
    EXPECT_EQ(restarted->document.fileName, original);
    // This window keeps it now; the crashed window's files are gone.
    EXPECT_EQ(testing::readFile(copies.own().tape), copied);
    EXPECT_FALSE(std::filesystem::exists(folder() / "unsaved-4242.kwd"));
    EXPECT_FALSE(std::filesystem::exists(folder() / "unsaved-4242.note"));
    // Save writes the tape it belongs to.
    ASSERT_TRUE(restarted->documents.saveDocument(SaveMode::save));
    EXPECT_EQ(testing::readFile(original), copied);
}

TEST_F(RecoveryOfferSessionTest, NoDeletesTheCopyAndLeavesTheTape) {
    crashedWith("5+7+T", "");
    auto restarted = session();
    const std::string before = fileText(*restarted);
    dialogs_.answers = {answer::kNo};
    EXPECT_FALSE(offerRecovery(*restarted, dialogs_, RecoveryCopies(folder(), 77), noneRunning, 0));
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages[0].find("to an untitled tape from"), std::string::npos);
    EXPECT_EQ(fileText(*restarted), before);
    EXPECT_FALSE(restarted->engine.state().modified);
    EXPECT_TRUE(std::filesystem::is_empty(folder()));
}

TEST_F(RecoveryOfferSessionTest, AnUntitledCopyGetsANewNameAndARunningWindowsCopyIsLeftAlone) {
    crashedWith("9+", "");
    auto restarted = session();
    EXPECT_FALSE(offerRecovery(
        *restarted, dialogs_, RecoveryCopies(folder(), 77), [](int pid) { return pid == 4242; },
        0));
    EXPECT_TRUE(dialogs_.messages.empty());
    dialogs_.answers = {answer::kYes};
    ASSERT_TRUE(offerRecovery(*restarted, dialogs_, RecoveryCopies(folder(), 77), noneRunning, 0));
    EXPECT_EQ(std::filesystem::path(restarted->document.fileName).filename(), "Tape1.kwd");
}

}  // namespace
}  // namespace talvex
