// The decisions of a start: the installation checks, the hand-over to a running instance,
// the tray-only start and the start file.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "TempFolder.h"
#include "shell/ConfigStore.h"
#include "shell/Startup.h"

namespace talvex::testing {
namespace {

namespace fs = std::filesystem;

// Answers as scripted, one letter each: F the folder cannot be entered ("Permission denied"),
// T the template is missing, Y the question is answered Yes, R another instance runs, U it
// cannot be reached. Writes down what was asked, in order.
struct ScriptedProbe : StartupProbe {
    bool answer(const char* call, char letter) {
        calls += calls.empty() ? call : std::string(",") + call;
        return script.find(letter) != std::string_view::npos;
    }
    std::string enterFolder(const fs::path& folder) override {
        EXPECT_EQ(folder, "/work");
        return answer("enter", 'F') ? "Permission denied" : "";
    }
    bool templateExists(const fs::path& folder) override {
        EXPECT_EQ(folder, "/work");
        return !answer("template", 'T');
    }
    bool confirm(const StartupMessage&) override { return answer("confirm", 'Y'); }
    bool anotherInstanceRuns() override { return answer("instance", 'R'); }
    bool restoreRunningInstance() override { return !answer("restore", 'U'); }

    std::string_view script;
    std::string calls;
};

struct StartCase {
    const char* name;
    const char* commandLine;
    const char* ini;  // "Talvex.ini" in the shared folder
    const char* script;
    StartupOutcome outcome;
    const StartupMessage* message;  // shown before ending
    const char* calls;
    bool startedWithDocument = false;
    const char* startFile = "";
    const char* statusText = "";
};

TEST(StartupTest, PlansEachKindOfStart) {
    const char* const ini = "[Talvex]\nPath=/work\n";
    const char* const autoLoad0 = "[Talvex]\nPath=/work\nAutoLoad=0\n";
    const char* const autoLoad1 = "[Talvex]\nPath=/work\nAutoLoad=1\n";
    const StartupMessage reinstall{"Please reinstall Talvex.", "Talvex Configuration not found"};
    const StartupMessage noFolder{"Permission denied.\n\nPlease reinstall Talvex.",
                                  "Cannot Locate Talvex Directory /work"};
    const StartupMessage running{"Use Tray Icon to Activate", "Talvex is already running"};
    constexpr auto kEnd = StartupOutcome::end;
    constexpr auto kTray = StartupOutcome::trayOnly;
    constexpr auto kShow = StartupOutcome::showMain;
    const StartCase cases[] = {
        {"no configuration", "", nullptr, "", kEnd, &reinstall, ""},
        {"unreachable folder", "", ini, "F", kEnd, &noFolder, "enter"},
        {"missing template answered No", "", ini, "T", kEnd, nullptr, "enter,template,confirm"},
        {"missing template answered Yes", "", ini, "TY", kShow, nullptr,
         "enter,template,confirm,instance"},
        {"plain start", "", ini, "", kShow, nullptr, "enter,template,instance"},
        {"plain start while one runs", "", ini, "R", kEnd, nullptr,
         "enter,template,instance,restore"},
        {"-L while one runs, unreachable", "-L", autoLoad0, "RU", kEnd, &running,
         "enter,template,instance,restore"},
        {"-L with AutoLoad missing", "-L", ini, "", kTray, nullptr, "enter,template,instance"},
        {"-L with AutoLoad 1", "-L", autoLoad1, "", kShow, nullptr, "enter,template,instance"},
        {"-L is case-sensitive", "-l", autoLoad0, "", kShow, nullptr, "enter,template", true,
         "/home/me/-l", "-l is not a valid tape"},
        {"-L names a tape", "-L \"/t/a b.KWD\"", autoLoad0, "", kTray, nullptr,
         "enter,template,instance", false, "/t/a b.KWD"},
        {"-L names a relative tape", "-L \"my tapes/a b.kwd\"", autoLoad1, "", kShow, nullptr,
         "enter,template,instance", false, "/home/me/my tapes/a b.kwd"},
        {"tape file while one runs", "/t/a.kwt", ini, "R", kShow, nullptr, "enter,template", true,
         "/t/a.kwt"},
        {"quoted path", "\"./my tape.kwb\"", ini, "", kShow, nullptr, "enter,template", true,
         "/home/me/my tape.kwb"},
        {"quoted text file", "\"my notes.txt\"", ini, "", kShow, nullptr, "enter,template", true,
         "/home/me/my notes.txt", "my notes.txt is not a valid tape"},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.ini) writeFile(folder / "Talvex.ini", c.ini);
        ScriptedProbe probe;
        probe.script = c.script;

        const StartupPlan plan =
            planStartup(c.commandLine, "/home/me", ConfigStore::locate(folder.path(), {}), probe);
        EXPECT_EQ(plan.outcome, c.outcome);
        EXPECT_EQ(plan.message, c.message ? std::optional(*c.message) : std::nullopt);
        EXPECT_EQ(plan.startedWithDocument, c.startedWithDocument);
        EXPECT_EQ(plan.startFile, c.startFile);
        EXPECT_EQ(plan.statusText, c.statusText);
        EXPECT_EQ(plan.fileToOpen(), *c.statusText ? "" : c.startFile);
        if (plan.outcome != kEnd) {
            EXPECT_EQ(plan.workingFolder, fs::path("/work"));
        }
        EXPECT_EQ(probe.calls, c.calls);
        // Only a start of its own may wait in the tray, and only a desktop with a tray may
        // hide the window: elsewhere nothing would ever show it again.
        EXPECT_EQ(plan.waitsInTray, plan.outcome != kEnd && !plan.startedWithDocument);
        EXPECT_EQ(fitToDesktop(plan, true).outcome, plan.outcome);
        const StartupPlan noTray = fitToDesktop(plan, false);
        EXPECT_EQ(noTray.outcome,
                  plan.outcome == kTray ? StartupOutcome::showMinimized : plan.outcome);
        EXPECT_FALSE(noTray.waitsInTray);
    }
}

// The folder and the template are the real ones; only the answers are scripted.
struct RealFolderProbe : ScriptedProbe {
    std::string enterFolder(const fs::path& folder) override {
        return StartupProbe::enterFolder(folder);
    }
    bool templateExists(const fs::path& folder) override {
        return StartupProbe::templateExists(folder);
    }
};

// The working folder is entered during the start; a relative start file still means the folder
// the user typed it in.
TEST(StartupTest, ChecksTheRealFolderAndTemplate) {
    const fs::path before = fs::current_path();
    TempFolder folder;
    const fs::path work = folder / "work";
    writeFile(folder / "Talvex.ini", "[Talvex]\nPath=work\n");
    writeFile(folder / "home" / "mytape.kwd", "");
    RealFolderProbe probe;
    const auto start = [&](const char* line = "") {
        probe.calls.clear();
        return planStartup(line, fs::current_path(), ConfigStore::locate(folder.path(), {}), probe);
    };

    EXPECT_EQ(start().outcome, StartupOutcome::end);
    EXPECT_TRUE(fs::equivalent(fs::current_path(), before)) << "a failure stays where it was";

    fs::create_directories(work / "!Default.kwt");
    EXPECT_EQ(start().outcome, StartupOutcome::end);
    EXPECT_EQ(probe.calls, "confirm") << "a folder is no template";
    EXPECT_TRUE(fs::equivalent(fs::current_path(), work));

    fs::remove(work / "!Default.kwt");
    writeFile(work / "!DEFAULT.KWT", "");
    fs::current_path(folder / "home");
    const StartupPlan plan = start("mytape.kwd");
    EXPECT_EQ(plan.outcome, StartupOutcome::showMain);
    EXPECT_EQ(probe.calls, "") << "the template is found in any letter case";
    EXPECT_TRUE(fs::equivalent(fs::current_path(), work));
    EXPECT_TRUE(fs::is_regular_file(plan.fileToOpen())) << plan.fileToOpen();
    fs::current_path(before);
}

// What the start table does not reach: names that only look like tapes, and quotes that do not
// pair.
TEST(StartupTest, StartFileNames) {
    for (const char* name : {"", "kwt", "a.kwt.bak", "a kwt"}) EXPECT_FALSE(isTapeFileName(name));
    for (const char* kept : {"\"a.kwt", "a.kwt\"", "\""}) EXPECT_EQ(withoutQuotes(kept), kept);
    EXPECT_EQ(fromStartFolder("a.kwd", {}), "a.kwd");
}

}  // namespace
}  // namespace talvex::testing
