#include "TapeTool.h"

#include <charconv>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>

#include "KeyScript.h"
#include "ToolSession.h"

namespace talvex {

namespace {

constexpr int kExitFailed = 1;

constexpr std::string_view kUsage =
    "usage: talvex-tape keys [options] [--template FILE] [-o FILE [--no-data]] SCRIPT\n"
    "       talvex-tape show FILE\n"
    "       talvex-tape recalc FILE [-o OUT]\n"
    "       talvex-tape check FILE\n"
    "SCRIPT '-' reads standard input.\n"
    "options: --decimal-mode N  --places N  --round 0|1  --thousands 0|1  --decsep C\n"
    "         --counts 0|1  --count-prefix TEXT  --auto-text 0|1  --tape 0|1\n"
    "         --starline 0|1  --max-rows N\n";

// The words of a command line: "--name value" options, "--flag" switches and the arguments.
struct CommandLine {
    std::map<std::string, std::string> options;
    std::vector<std::string> arguments;
};

const std::vector<std::string>& optionsWithValues() {
    static const std::vector<std::string> kNames = {
        "--decimal-mode", "--places",       "--round",     "--thousands", "--decsep",
        "--counts",       "--count-prefix", "--auto-text", "--tape",      "--starline",
        "--max-rows",     "--template",     "-o"};
    return kNames;
}

std::string parseCommandLine(const std::vector<std::string>& args, CommandLine& line) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--no-data") {
            line.options[arg] = "1";
        } else if (arg.size() > 1 && arg.front() == '-' && arg != "-") {
            const auto& names = optionsWithValues();
            if (std::find(names.begin(), names.end(), arg) == names.end())
                return "unknown option " + arg;
            if (i + 1 >= args.size()) return "option " + arg + " needs a value";
            line.options[arg] = args[++i];
        } else {
            line.arguments.push_back(arg);
        }
    }
    return {};
}

std::optional<int> readInt(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Applies the calculator options of keys; returns an error text or "".
std::string applyOptions(const CommandLine& line, ToolSession& session) {
    struct Setter {
        const char* name;
        void (*apply)(ToolSession&, int);
    };
    static const Setter kSetters[] = {
        {"--decimal-mode", [](ToolSession& s, int v) { s.engine().setCalcOption(1, v); }},
        {"--places", [](ToolSession& s, int v) { s.engine().setCalcOption(2, v); }},
        {"--round", [](ToolSession& s, int v) { s.engine().setCalcOption(3, v); }},
        {"--thousands", [](ToolSession& s, int v) { s.engine().setCalcOption(4, v); }},
        {"--counts", [](ToolSession& s, int v) { s.engine().settings().countsOn = v != 0; }},
        {"--auto-text",
         [](ToolSession& s, int v) {
             for (int option = 20; option <= 23; ++option) s.settings().setOption(option, v != 0);
         }},
        {"--tape", [](ToolSession& s, int v) { s.settings().setOption(17, v != 0); }},
        {"--starline", [](ToolSession& s, int v) { s.engine().settings().starLine = v != 0; }},
        {"--max-rows", [](ToolSession& s, int v) { s.engine().setMaxRows(v); }},
    };
    for (const Setter& setter : kSetters) {
        const auto found = line.options.find(setter.name);
        if (found == line.options.end()) continue;
        const auto value = readInt(found->second);
        if (!value) return std::string("option ") + setter.name + " needs a whole number";
        setter.apply(session, *value);
    }
    if (const auto prefix = line.options.find("--count-prefix"); prefix != line.options.end())
        session.engine().settings().countPrefix = prefix->second;
    return {};
}

std::optional<char> decSepOption(const CommandLine& line, std::string& error) {
    const auto found = line.options.find("--decsep");
    if (found == line.options.end()) return '.';
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

int failed(std::ostream& err, const std::string& message) {
    err << "error: " << message << '\n';
    return kExitFailed;
}

std::string option(const CommandLine& line, const std::string& name) {
    const auto found = line.options.find(name);
    return found == line.options.end() ? std::string() : found->second;
}

int runKeys(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err) {
    if (line.arguments.size() != 1)
        return usageError(
            err, line.arguments.empty() ? "no script given" : "more than one script given");
    std::string error;
    const auto decSep = decSepOption(line, error);
    if (!decSep) return usageError(err, error);
    std::string script = line.arguments.front();
    if (script == "-") script.assign(std::istreambuf_iterator<char>(in), {});
    const ParsedScript parsed = parseKeyScript(script);
    if (!parsed.error.empty()) {
        err << "error: " << parsed.error << '\n';
        return kExitUsage;
    }
    ToolSession session(err, *decSep);
    const std::string templateFile = option(line, "--template");
    if (!templateFile.empty() && !session.load(templateFile, error))
        return usageError(err, "cannot read the template " + templateFile + ": " + error);
    error = applyOptions(line, session);
    if (!error.empty()) return usageError(err, error);
    playKeyScript(parsed.steps, session.engine());
    session.printRows(out);
    const std::string output = option(line, "-o");
    const TapeKind kind =
        line.options.count("--no-data") ? TapeKind::templateWithoutData : TapeKind::withData;
    if (!output.empty() && !session.save(output, kind, error))
        return failed(err, "cannot save " + output + ": " + error);
    return kExitOk;
}

// show, recalc and check work on one existing file.
int runOnFile(const std::string& command, const CommandLine& line, std::ostream& out,
              std::ostream& err) {
    if (line.arguments.size() != 1) return usageError(err, command + " needs one file");
    const std::string& file = line.arguments.front();
    ToolSession session(err, '.');
    std::string error;
    if (!session.load(file, error)) return failed(err, "cannot read " + file + ": " + error);
    const LoadReport& report = session.lastLoad();
    if (command == "show") {
        session.printRows(out);
        return kExitOk;
    }
    if (command == "check") {
        out << file << ": version " << report.version << ", " << report.dataRows << " rows, "
            << session.engine().colCount() << " columns\n";
        for (const std::string& problem : report.problems) out << "problem: " << problem << '\n';
        return report.problems.empty() ? kExitOk : kExitFailed;
    }
    session.engine().recalculate(1);
    const std::string output = option(line, "-o").empty() ? file : option(line, "-o");
    if (!session.save(output, TapeKind::withData, error))
        return failed(err, "cannot save " + output + ": " + error);
    return kExitOk;
}

}  // namespace

int runTapeTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err) {
    if (args.empty() || args.front() == "--help" || args.front() == "-h") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? kExitUsage : kExitOk;
    }
    const std::string& command = args.front();
    if (command != "keys" && command != "show" && command != "recalc" && command != "check")
        return usageError(err, "unknown command " + command);
    CommandLine line;
    const std::string error = parseCommandLine(args, line);
    if (!error.empty()) return usageError(err, error);
    if (command == "keys") return runKeys(line, in, out, err);
    return runOnFile(command, line, out, err);
}

}  // namespace talvex
