#include "TapeTool.h"

#include <charconv>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>

#include "KeyScript.h"
#include "documents/DataRow.h"
#include "engine/Engine.h"

namespace talvex {

namespace {

constexpr std::string_view kUsage =
    "usage: talvex-tape keys [options] SCRIPT   (SCRIPT '-' reads standard input)\n"
    "options: --decimal-mode N  --places N  --round 0|1  --thousands 0|1  --decsep C\n"
    "         --counts 0|1  --count-prefix TEXT  --auto-text 0|1  --tape 0|1\n"
    "         --starline 0|1\n";

// Status messages of the engine, one per line on the error stream.
class ConsoleView : public ViewPort {
  public:
    explicit ConsoleView(std::ostream& err) : err_(err) {}
    void showStatus(const std::string& text, bool error) override {
        err_ << (error ? "error: " : "status: ") << text << '\n';
    }

  private:
    std::ostream& err_;
};

struct KeysCommand {
    std::map<std::string, std::string> options;
    std::string script;
};

std::optional<int> readInt(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool isKnownOption(const std::string& name) {
    static const char* const kNames[] = {
        "--decimal-mode", "--places",       "--round",     "--thousands", "--decsep",
        "--counts",       "--count-prefix", "--auto-text", "--tape",      "--starline"};
    for (const char* known : kNames)
        if (name == known) return true;
    return false;
}

// Reads "--name value" pairs and the one script argument; returns an error text or "".
std::string parseKeysArgs(const std::vector<std::string>& args, KeysCommand& command) {
    bool haveScript = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 2 && arg.starts_with("--")) {
            if (!isKnownOption(arg)) return "unknown option " + arg;
            if (i + 1 >= args.size()) return "option " + arg + " needs a value";
            command.options[arg] = args[++i];
            continue;
        }
        if (haveScript) return "more than one script given";
        command.script = arg;
        haveScript = true;
    }
    return haveScript ? "" : "no script given";
}

// Applies the numeric options; returns an error text or "".
std::string applyOptions(const KeysCommand& command, Engine& engine) {
    struct Setter {
        const char* name;
        void (*apply)(Engine&, int);
    };
    static const Setter kSetters[] = {
        {"--decimal-mode", [](Engine& e, int v) { e.setCalcOption(1, v); }},
        {"--places", [](Engine& e, int v) { e.setCalcOption(2, v); }},
        {"--round", [](Engine& e, int v) { e.setCalcOption(3, v); }},
        {"--thousands", [](Engine& e, int v) { e.setCalcOption(4, v); }},
        {"--counts", [](Engine& e, int v) { e.settings().countsOn = v != 0; }},
        {"--auto-text",
         [](Engine& e, int v) {
             TapeSettings& s = e.settings();
             s.autoClearText = s.autoSubtotalText = s.autoTotalText = s.autoAddFuncText = v != 0;
         }},
        {"--tape", [](Engine& e, int v) { e.setTapeOn(v != 0); }},
        {"--starline", [](Engine& e, int v) { e.settings().starLine = v != 0; }},
    };
    for (const Setter& setter : kSetters) {
        const auto found = command.options.find(setter.name);
        if (found == command.options.end()) continue;
        const auto value = readInt(found->second);
        if (!value) return std::string("option ") + setter.name + " needs a whole number";
        setter.apply(engine, *value);
    }
    if (const auto prefix = command.options.find("--count-prefix"); prefix != command.options.end())
        engine.settings().countPrefix = prefix->second;
    return {};
}

std::optional<char> decSepOption(const KeysCommand& command, std::string& error) {
    const auto found = command.options.find("--decsep");
    if (found == command.options.end()) return '.';
    if (found->second.size() != 1) {
        error = "option --decsep needs one character";
        return std::nullopt;
    }
    return found->second.front();
}

int usageError(std::ostream& err, const std::string& message) {
    err << "error: " << message << '\n' << kUsage;
    return kExitUsage;
}

int runKeys(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
    KeysCommand command;
    std::string error = parseKeysArgs(args, command);
    if (!error.empty()) return usageError(err, error);
    const auto decSep = decSepOption(command, error);
    if (!decSep) return usageError(err, error);
    if (command.script == "-")
        command.script.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const ParsedScript parsed = parseKeyScript(command.script);
    if (!parsed.error.empty()) {
        err << "error: " << parsed.error << '\n';
        return kExitUsage;
    }
    ConsoleView view(err);
    AddinPort noAddins;
    Engine engine(view, noAddins, NumberSymbols::forDecSep(*decSep));
    error = applyOptions(command, engine);
    if (!error.empty()) return usageError(err, error);
    playKeyScript(parsed.steps, engine);
    for (int row = 1; row <= engine.lastRow(); ++row)
        out << dataRowText(engine.table(), row, engine.colCount(), engine.tapeOn()) << '\n';
    return kExitOk;
}

}  // namespace

int runTapeTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err) {
    if (args.empty() || args.front() == "--help" || args.front() == "-h") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? kExitUsage : kExitOk;
    }
    if (args.front() == "keys") return runKeys(args, in, out, err);
    return usageError(err, "unknown command " + args.front());
}

}  // namespace talvex
