// The decisions of a start: the installation checks, the hand-over to a running instance,
// the tray-only start and the start file.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "TempFolder.h"
#include "shell/ConfigStore.h"
#include "shell/Startup.h"

namespace talvex::testing {
namespace {

namespace fs = std::filesystem;

// Answers as scripted and writes down what was asked, in order.
class ScriptedProbe : public StartupProbe {
  public:
    std::string folderError;
    bool templateFound = true;
    bool answerYes = false;
    bool otherInstance = false;
    bool reachable = true;

    std::string calls;
    fs::path enteredFolder;
    std::optional<StartupMessage> question;

    std::string enterFolder(const fs::path& folder) override {
        enteredFolder = folder;
        return record("enter", folderError);
    }
    bool templateExists(const fs::path&) override { return record("template", templateFound); }
    bool confirm(const StartupMessage& message) override {
        question = message;
        return record("confirm", answerYes);
    }
    bool anotherInstanceRuns() override { return record("instance", otherInstance); }
    bool restoreRunningInstance() override { return record("restore", reachable); }

  private:
    template <typename Answer>
    Answer record(const char* call, Answer answer) {
        calls += calls.empty() ? call : std::string(",") + call;
        return answer;
    }
};

const StartupMessage kReinstall{"Please reinstall Talvex.", "Talvex Configuration not found"};
const StartupMessage kAlreadyRunning{"Use Tray Icon to Activate", "Talvex is already running"};

const StartupMessage kTemplateQuestion{"Do you want to try and find it (or an alternative)?",
                                       "Talvex Default Template (!Default.kwt) not found",
                                       Buttons::yesNo, Icon::error};
const StartupMessage kFolderError{"Permission denied.\n\nPlease reinstall Talvex.",
                                  "Cannot Locate Talvex Directory @"};

// The probe's answers, one letter each: F the folder cannot be entered ("Permission denied"),
// T the template is missing, Y the question is answered Yes, R another instance runs, U it
// cannot be reached.
ScriptedProbe scripted(std::string_view script) {
    ScriptedProbe probe;
    if (script.find('F') != std::string_view::npos) probe.folderError = "Permission denied";
    probe.templateFound = script.find('T') == std::string_view::npos;
    probe.answerYes = script.find('Y') != std::string_view::npos;
    probe.otherInstance = script.find('R') != std::string_view::npos;
    probe.reachable = script.find('U') == std::string_view::npos;
    return probe;
}

struct StartCase {
    const char* name;
    const char* commandLine;
    const char* ini;  // "Talvex.ini" in the shared folder; "@" stands for the working folder
    const char* script;
    StartupOutcome outcome;
    const StartupMessage* message;
    const char* calls;
    bool startedWithDocument = false;
    const char* startFile = "";
    const char* statusText = "";
};

const char* const kIni = "[Talvex]\nPath=@\n";
const char* const kIniAutoLoad0 = "[Talvex]\nPath=@\nAutoLoad=0\n";
const char* const kIniAutoLoad1 = "[Talvex]\nPath=@\nAutoLoad=1\n";
const char* const kNoPath = "[Talvex]\nAutoLoad=1\n";
constexpr auto kEnd = StartupOutcome::end;
constexpr auto kTray = StartupOutcome::trayOnly;
constexpr auto kShow = StartupOutcome::showMain;

std::string withFolder(std::string text, const fs::path& folder) {
    if (const size_t at = text.find('@'); at != std::string::npos) {
        text.replace(at, 1, folder.string());
    }
    return text;
}

void expectPlan(const StartCase& c, const StartupPlan& plan, const fs::path& work) {
    EXPECT_EQ(plan.outcome, c.outcome);
    ASSERT_EQ(plan.message.has_value(), c.message != nullptr);
    if (c.message) {
        EXPECT_EQ(plan.message->text, c.message->text);
        EXPECT_EQ(plan.message->title, withFolder(c.message->title, work));
        EXPECT_EQ(plan.message->buttons, Buttons::ok);
        EXPECT_EQ(plan.message->icon, Icon::error);
    }
    EXPECT_EQ(plan.startedWithDocument, c.startedWithDocument);
    EXPECT_EQ(plan.startFile, c.startFile);
    EXPECT_EQ(plan.statusText, c.statusText);
    EXPECT_EQ(plan.fileToOpen(), plan.statusText.empty() ? c.startFile : "");
    if (plan.outcome != StartupOutcome::end) {
        EXPECT_EQ(plan.workingFolder, work);
    }
}

TEST(StartupTest, PlansEachKindOfStart) {
    const auto* reinstall = &kReinstall;
    const auto* running = &kAlreadyRunning;
    const StartCase cases[] = {
        {"missing Path", "", kNoPath, "", kEnd, reinstall, ""},
        {"no configuration at all", "", nullptr, "", kEnd, reinstall, ""},
        {"unreachable folder", "", kIni, "F", kEnd, &kFolderError, "enter"},
        {"missing template answered No", "", kIni, "T", kEnd, nullptr, "enter,template,confirm"},
        {"missing template answered Yes", "", kIni, "TY", kShow, nullptr,
         "enter,template,confirm,instance"},
        {"plain start", "", kIni, "", kShow, nullptr, "enter,template,instance"},
        {"blanks only", "  \t", kIni, "", kShow, nullptr, "enter,template,instance"},
        {"plain start while one runs", "", kIni, "R", kEnd, nullptr,
         "enter,template,instance,restore"},
        {"-L while one runs", "-L", kIniAutoLoad0, "R", kEnd, nullptr,
         "enter,template,instance,restore"},
        {"running instance unreachable", "-L", kIni, "RU", kEnd, running,
         "enter,template,instance,restore"},
        {"-L with AutoLoad 0", "-L", kIniAutoLoad0, "", kTray, nullptr, "enter,template,instance"},
        {"-L with AutoLoad missing", "-L", kIni, "", kTray, nullptr, "enter,template,instance"},
        {"-L with AutoLoad 1", "-L", kIniAutoLoad1, "", kShow, nullptr, "enter,template,instance"},
        {"-L is case-sensitive", "-l", kIniAutoLoad0, "", kShow, nullptr, "enter,template", true,
         "-l", "-l is not a valid tape"},
        {"-L names a tape", "-L \"/t/a b.KWD\"", kIniAutoLoad0, "", kTray, nullptr,
         "enter,template,instance", false, "/t/a b.KWD"},
        {"-L glued to a word", "-Lx.kwt", kIniAutoLoad1, "", kShow, nullptr,
         "enter,template,instance"},
        {"tape file", "/t/a.kwt", kIni, "", kShow, nullptr, "enter,template", true, "/t/a.kwt"},
        {"quoted path", "\"/t/my tape.kwb\"", kIni, "", kShow, nullptr, "enter,template", true,
         "/t/my tape.kwb"},
        {"document while one runs", "/t/a.kwt", kIni, "R", kShow, nullptr, "enter,template", true,
         "/t/a.kwt"},
        {"text file", "notes.txt", kIni, "", kShow, nullptr, "enter,template", true, "notes.txt",
         "notes.txt is not a valid tape"},
        {"quoted text file", "\"my notes.txt\"", kIni, "", kShow, nullptr, "enter,template", true,
         "my notes.txt", "my notes.txt is not a valid tape"},
        {"document after a missing template", "a.kwt", kIni, "TY", kShow, nullptr,
         "enter,template,confirm", true, "a.kwt"},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const fs::path work = folder / "work";
        if (c.ini) writeFile(folder / "Talvex.ini", withFolder(c.ini, work));
        const auto config = ConfigStore::locate(folder.path(), folder / "install");
        ScriptedProbe probe = scripted(c.script);

        expectPlan(c, planStartup(c.commandLine, config, probe), work);
        EXPECT_EQ(probe.calls, c.calls);
        if (probe.question) {
            EXPECT_TRUE(*probe.question == kTemplateQuestion);
        }
        if (!probe.calls.empty()) {
            EXPECT_EQ(probe.enteredFolder, work);
        }
    }
}

// Only the hand-over is scripted; the folder and the template are the real ones.
class InstanceProbe : public StartupProbe {
  public:
    bool confirm(const StartupMessage&) override {
        asked = true;
        return false;
    }
    bool anotherInstanceRuns() override { return false; }
    bool restoreRunningInstance() override { return false; }
    bool asked = false;
};

TEST(StartupTest, ChecksTheRealFolderAndTemplate) {
    const fs::path before = fs::current_path();
    TempFolder folder;
    writeFile(folder / "Talvex.ini", "[Talvex]\nPath=missing\n");
    InstanceProbe probe;
    StartupPlan plan = planStartup("", ConfigStore::locate(folder.path(), {}), probe);
    ASSERT_TRUE(plan.message);
    EXPECT_EQ(plan.message->text, "No such file or directory.\n\nPlease reinstall Talvex.");
    EXPECT_EQ(plan.message->title,
              "Cannot Locate Talvex Directory " + (folder / "missing").string());

    writeFile(folder / "missing" / "!DEFAULT.KWT", "");
    plan = planStartup("", ConfigStore::locate(folder.path(), {}), probe);
    EXPECT_EQ(plan.outcome, StartupOutcome::showMain);
    EXPECT_FALSE(probe.asked) << "the template is found in another letter case";
    EXPECT_TRUE(fs::equivalent(fs::current_path(), folder / "missing"));
    fs::current_path(before);
}

TEST(StartupTest, EntersTheWorkingFolderOrSaysWhyNot) {
    const fs::path before = fs::current_path();
    TempFolder folder;
    writeFile(folder / "file", "");
    EXPECT_EQ(enterWorkingFolder(folder / "absent"), "No such file or directory");
    EXPECT_EQ(enterWorkingFolder(folder / "file"), "Not a directory");
    EXPECT_TRUE(fs::equivalent(fs::current_path(), before)) << "a failure stays where it was";
    EXPECT_EQ(enterWorkingFolder(folder.path()), "");
    EXPECT_TRUE(fs::equivalent(fs::current_path(), folder.path()));
    fs::current_path(before);
}

TEST(StartupTest, FindsTheDefaultTemplate) {
    const struct {
        const char* name;
        const char* file;  // nullptr: nothing made
        bool folder;       // made as a folder rather than a file
        bool expected;
    } cases[] = {
        {"exact name", "!Default.kwt", false, true},
        {"other case", "!default.KWT", false, true},
        {"missing", nullptr, false, false},
        {"another template only", "Other.kwt", false, false},
        {"a folder of that name", "!Default.kwt", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.file && c.folder) fs::create_directories(folder / c.file);
        if (c.file && !c.folder) writeFile(folder / c.file, "");
        EXPECT_EQ(defaultTemplateExists(folder.path()), c.expected);
    }
}

TEST(StartupTest, RecognisesTapeFileNames) {
    const struct {
        const char* name;
        bool tape;
    } cases[] = {
        {"a.kwt", true},  {"a.kwd", true}, {"a.kwb", true},      {"/x/A.KWT", true},
        {"a.Kwb", true},  {".kwt", true},  {"a.txt", false},     {"a.kw", false},
        {"kwt", false},   {"", false},     {"a.kwt.bak", false}, {"a.kwtx", false},
        {"a kwt", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isTapeFileName(c.name), c.tape) << c.name;
    }
    EXPECT_EQ(notATapeStatus("x.txt"), "x.txt is not a valid tape");
}

TEST(StartupTest, RemovesOnePairOfSurroundingQuotes) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"\"a b.kwt\"", "a b.kwt"}, {"a.kwt", "a.kwt"},     {"\"a.kwt", "\"a.kwt"},
        {"a.kwt\"", "a.kwt\""},     {"\"", "\""},           {"\"\"", ""},
        {"\"\"a\"\"", "\"a\""},     {"a \"b\"", "a \"b\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withoutQuotes(c.text), c.expected) << c.text;
    }
}

}  // namespace
}  // namespace talvex::testing
