#include "TapeTool.h"
#include "engine/OptionNumbers.h"

#include <charconv>
#include <clocale>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <limits>
#include <map>
#include <optional>

#include "ExportCommand.h"
#include "KeyScript.h"
#include "ToolSession.h"
#include "engine/ColumnRoles.h"
#include "engine/Registers.h"

namespace talvex {

namespace {

constexpr std::string_view kUsage =
    "usage: talvex-tape keys [options] [--template FILE] [--port PATH] [-o FILE [--no-data]]\n"
    "                        SCRIPT\n"
    "       talvex-tape show FILE\n"
    "       talvex-tape recalc FILE [-o OUT]\n"
    "       talvex-tape check FILE\n"
    "       talvex-tape print FILE [--text | --pdf OUT | --serial PATH] [--from N --to N]\n"
    "                             [--format NAME] [--size S] [--wrap] [--feed]\n"
    "       talvex-tape export FILE [--csv | --tsv] [-o OUT]\n"
    "SCRIPT '-' reads standard input; a script after -- may start with '-'.\n"
    "options: --decimal-mode N  --places N  --round 0|1  --thousands 0|1  --decsep C\n"
    "         --counts 0|1  --count-prefix TEXT  --auto-text 0|1  --tape 0|1\n"
    "         --starline 0|1  --max-rows N (1 or more)\n"
    "--decsep . or , (show, recalc, check and print take it too; default: the locale's)\n"
    "--port PATH: the serial device the phone add-in's modem is on, whatever COM port it\n"
    "       chose (\"{addin 0 VantAtm}\" and \"{panel 0 N}\" in a script drive it)\n"
    "print: the tape on its page layout as text, into a PDF file, or as the label printer's\n"
    "       bytes to a serial device; --from and --to count from the first visible line;\n"
    "       --format Tape, Table Report, Form Report, Label or Check; with --serial,\n"
    "       --size points or Fit, --wrap long lines instead of cutting them, --feed after\n"
    "       the print\n"
    "export: the columns the window shows, every line, as CSV (the default) or tab-separated\n"
    "       text, into OUT or onto standard output\n"
    "exit status: 0 done, 1 the engine refused a key, a file had problems or could not\n"
    "be read or saved, 2 a malformed command line or script\n";

// The words of a command line: "--name value" options, "--flag" switches and the arguments.
struct CommandLine {
    std::map<std::string, std::string> options;
    std::vector<std::string> arguments;
};

const std::vector<std::string>& optionsWithValues() {
    static const std::vector<std::string> kNames = {
        "--decimal-mode", "--places",       "--round",     "--thousands", "--decsep",
        "--counts",       "--count-prefix", "--auto-text", "--tape",      "--starline",
        "--max-rows",     "--template",     "-o",          "--from",      "--to",
        "--format",       "--pdf",          "--serial",    "--size",      "--port"};
    return kNames;
}

std::string parseCommandLine(const std::vector<std::string>& args, CommandLine& line) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            // A script such as "-5+" starts like an option; after "--" nothing is one.
            line.arguments.insert(line.arguments.end(), args.begin() + static_cast<long>(i) + 1,
                                  args.end());
            break;
        }
        if (arg == "--no-data" || arg == "--text" || arg == "--wrap" || arg == "--feed" ||
            arg == "--csv" || arg == "--tsv") {
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
        int least = std::numeric_limits<int>::min();
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
        {"--tape", [](ToolSession& s, int v) { s.settings().setOption(option::kTapeOn, v != 0); }},
        {"--starline", [](ToolSession& s, int v) { s.engine().settings().starLine = v != 0; }},
        // A tape needs its open row; fewer would refuse every key.
        {"--max-rows", [](ToolSession& s, int v) { s.engine().setMaxRows(v); }, 1},
    };
    for (const Setter& setter : kSetters) {
        const auto found = line.options.find(setter.name);
        if (found == line.options.end()) continue;
        const auto value = readInt(found->second);
        if (!value) return std::string("option ") + setter.name + " needs a whole number";
        if (*value < setter.least)
            return std::string("option ") + setter.name + " needs at least " +
                   std::to_string(setter.least);
        setter.apply(session, *value);
    }
    if (const auto prefix = line.options.find("--count-prefix"); prefix != line.options.end())
        session.engine().settings().countPrefix = prefix->second;
    return {};
}

// The numbers of a tape are read and keyed with one separator; any other character would be
// taken for part of a number or for an operator key.
std::optional<char> decSepOption(const CommandLine& line, char defaultDecSep, std::string& error) {
    const auto found = line.options.find("--decsep");
    if (found == line.options.end()) return defaultDecSep;
    if (found->second != "." && found->second != ",") {
        error = "option --decsep needs \".\" or \",\"";
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

// What the reader could not make sense of; true when there was anything. Such a file is never
// written over: its amounts could be other than the ones the user saved.
bool warnOfProblems(const ToolSession& session, const std::string& file, std::ostream& err) {
    for (const std::string& problem : session.lastLoad().problems)
        err << "warning: " << file << ": " << problem << '\n';
    return !session.lastLoad().problems.empty();
}

// Whether an amount's thousands separators stand where the formatter puts them: a "," in "1,5"
// is no thousands separator, so the tape was keyed with "," as its decimal separator.
bool groupedAsThousands(std::string_view amount, char thousandsSep) {
    size_t digitsBefore = 0;
    for (size_t i = 0; i < amount.size(); ++i) {
        if (amount[i] >= '0' && amount[i] <= '9') {
            ++digitsBefore;
            continue;
        }
        if (amount[i] != thousandsSep) {
            digitsBefore = 0;
            continue;
        }
        size_t digitsAfter = 0;
        while (i + 1 + digitsAfter < amount.size() && amount[i + 1 + digitsAfter] >= '0' &&
               amount[i + 1 + digitsAfter] <= '9')
            ++digitsAfter;
        if (digitsBefore == 0 || digitsAfter != 3) return false;
        digitsBefore = 0;
    }
    return true;
}

// A tape keyed with the other decimal separator would be read as other amounts ("1,5" as 15):
// its raw entries, which are keyed text and never grouped, hold the thousands separator, or its
// amounts hold it where no grouping puts it.
bool keyedWithOtherSeparator(const Engine& engine) {
    const char thousandsSep = engine.format().symbols().thousandsSep;
    const int amount = engine.layout().roles.amount;
    for (int row = 1; row < engine.state().lastRow; ++row) {
        const std::string_view record = engine.cell(row, kRegisterColumn);
        if (isRegisterRecord(record) &&
            recordField(record, 1).find(thousandsSep) != std::string_view::npos)
            return true;
        if (ColumnRoles::present(amount) &&
            !groupedAsThousands(engine.cell(row, amount), thousandsSep))
            return true;
    }
    return false;
}

// The modem lines of the phone add-in: the device --port names, else the add-in's COM port.
void connectModem(const CommandLine& line, const ToolDevices& devices, ToolSession& session) {
    if (!devices.modem) return;
    const std::string port = option(line, "--port");
    session.addins().dialler().setLineFactory(
        [modem = devices.modem, port]() -> std::unique_ptr<ModemLine> {
            if (port.empty()) return modem();
            return std::make_unique<NamedModemLine>(modem(), port);
        });
}

int runKeys(const CommandLine& line, char defaultDecSep, const ToolDevices& devices,
            std::istream& in, std::ostream& out, std::ostream& err) {
    if (line.arguments.size() != 1)
        return usageError(
            err, line.arguments.empty() ? "no script given" : "more than one script given");
    std::string error;
    const auto decSep = decSepOption(line, defaultDecSep, error);
    if (!decSep) return usageError(err, error);
    std::string script = line.arguments.front();
    if (script == "-") script.assign(std::istreambuf_iterator<char>(in), {});
    const ParsedScript parsed = parseKeyScript(script);
    if (!parsed.error.empty()) {
        err << "error: " << parsed.error << '\n';
        return kExitUsage;
    }
    ToolSession session(err, *decSep);
    connectModem(line, devices, session);
    const std::string templateFile = option(line, "--template");
    if (!templateFile.empty() && !session.load(templateFile, error))
        return usageError(err, "cannot read the template " + templateFile + ": " + error);
    const bool damaged = !templateFile.empty() && warnOfProblems(session, templateFile, err);
    error = applyOptions(line, session);
    if (!error.empty()) return usageError(err, error);
    const int errorsBefore = session.errorCount();
    const auto refused =
        playKeyScript(parsed.steps, {session.engine(), session.commands(), session.addins(),
                                     session.answers(), &session.document().notes});
    session.flushMessages();
    for (const std::string& step : refused)
        err << "error: " << step << " is not a command talvex-tape can run\n";
    // A refused key changed nothing, so the rows are still worth printing and saving.
    const bool anyRefused = !refused.empty() || session.errorCount() > errorsBefore;
    const int status = anyRefused ? kExitFailed : kExitOk;
    session.printRows(out);
    const std::string output = option(line, "-o");
    if (output.empty()) return status;
    if (damaged && session.isLoadedFile(output))
        return failed(err, "the template " + templateFile + " had problems and is left as it was");
    const TapeKind kind =
        line.options.count("--no-data") ? TapeKind::templateWithoutData : TapeKind::withData;
    if (!session.save(output, kind, error))
        return failed(err, "cannot save " + output + ": " + error);
    return status;
}

// A file the reader had problems with, or whose recalculation reported errors, is left as it
// was; -o saves the result elsewhere.
int runRecalc(const std::string& file, const CommandLine& line, ToolSession& session,
              std::ostream& err) {
    const std::string output = option(line, "-o").empty() ? file : option(line, "-o");
    const bool inPlace = session.isLoadedFile(output);
    bool damaged = warnOfProblems(session, file, err);
    if (keyedWithOtherSeparator(session.engine())) {
        const char other = session.engine().format().decSep() == '.' ? ',' : '.';
        err << "warning: " << file << ": its numbers were keyed with \"" << other
            << "\" as the decimal separator (--decsep " << other << " reads them)\n";
        damaged = true;
    }
    const int errorsBefore = session.errorCount();
    session.engine().recalculate(1);
    session.flushMessages();
    const bool refused = session.errorCount() > errorsBefore;
    if (inPlace && (damaged || refused))
        return failed(err, file + " is left as it was: " +
                               (damaged ? "it could not be read cleanly"
                                        : "the recalculation reported errors") +
                               " (-o saves the result elsewhere)");
    std::string error;
    // A template without data stays one.
    if (!session.save(output, session.lastLoad().kind, error))
        return failed(err, "cannot save " + output + ": " + error);
    return refused ? kExitFailed : kExitOk;
}

// The range and format a print command line asks for; an error text or "".
std::string printChoices(const CommandLine& line, PrintRange& range, std::string& format) {
    const std::string from = option(line, "--from");
    const std::string to = option(line, "--to");
    if (!from.empty() || !to.empty()) {
        const auto first = readInt(from.empty() ? "1" : from);
        const auto last =
            readInt(to.empty() ? std::to_string(std::numeric_limits<int>::max()) : to);
        if (!first || !last || *first < 1 || *last < *first)
            return "options --from and --to need line numbers from 1, --from not after --to";
        range = {false, *first, *last};
    }
    format = option(line, "--format");
    return {};
}

// The tape on its page layout: the one the tape carries, else the configuration's.
// With --pdf the main printer prints into the file; with --serial the label printer, connected
// directly, sends its bytes to the device.
int runPrint(const CommandLine& line, ToolSession& session, std::ostream& out, std::ostream& err) {
    PrintRange range;
    std::string format;
    const std::string error = printChoices(line, range, format);
    if (!error.empty()) return usageError(err, error);
    const std::string pdf = option(line, "--pdf");
    const std::string serial = option(line, "--serial");
    if (!pdf.empty() + !serial.empty() + line.options.count("--text") > 1)
        return usageError(err, "print takes one of --text, --pdf and --serial");
    if (serial.empty() && (line.options.count("--size") || line.options.count("--wrap") ||
                           line.options.count("--feed")))
        return usageError(err, "--size, --wrap and --feed go with --serial");
    if (line.options.count("--format")) session.layout().setText(layout_text::kFormat, format);
    session.printer().setTextOutput(&out);
    PrintRoute route = PrintRoute::mainPrinter;
    if (!pdf.empty()) session.printer().setPdfOutput(pdf);
    LabelPrinter& label = session.addins().labelPrinter();
    if (!serial.empty()) {
        session.printer().setSerialDevice(serial);
        LabelPrinterSettings direct = label.settings();
        direct.mode = 1;
        label.setSettings(direct);
        if (line.options.count("--size"))
            session.document().font.labelPrinterSize = option(line, "--size");
        // The panel's Trnc key: long lines wrap instead of being cut.
        if (line.options.count("--wrap") && label.trunc() != kWrap) label.entry(label_code::kTrunc);
        route = PrintRoute::labelPrinter;
    }
    const PrintOutcome outcome = session.printing().print(route, range);
    // The panel's Feed key after the print.
    if (!serial.empty() && line.options.count("--feed") && outcome == PrintOutcome::printed)
        label.entry(label_code::kFeed);
    session.flushMessages();
    return outcome == PrintOutcome::printed ? kExitOk : kExitFailed;
}

int exportCommand(const CommandLine& line, ToolSession& session, std::ostream& out,
                  std::ostream& err) {
    if (line.options.count("--csv") && line.options.count("--tsv"))
        return usageError(err, "export takes one of --csv and --tsv");
    return runExport(session, line.options.count("--tsv") > 0, option(line, "-o"), out, err);
}

// show, recalc, check, print and export work on one existing file.
int runOnFile(const std::string& command, const CommandLine& line, char defaultDecSep,
              const ToolDevices& devices, std::ostream& out, std::ostream& err) {
    if (line.arguments.size() != 1) return usageError(err, command + " needs one file");
    const std::string& file = line.arguments.front();
    std::string error;
    const auto decSep = decSepOption(line, defaultDecSep, error);
    if (!decSep) return usageError(err, error);
    ToolSession session(err, *decSep);
    session.printer().setDevices(devices);
    if (!session.load(file, error)) return failed(err, "cannot read " + file + ": " + error);
    const LoadReport& report = session.lastLoad();
    if (command == "show") {
        session.printRows(out);
        return kExitOk;
    }
    if (command == "check") {
        out << file << ": version " << report.version << ", " << report.dataRows << " rows, "
            << session.engine().layout().colCount << " columns\n";
        for (const std::string& problem : report.problems) out << "problem: " << problem << '\n';
        return report.problems.empty() ? kExitOk : kExitFailed;
    }
    if (command == "print") return runPrint(line, session, out, err);
    if (command == "export") return exportCommand(line, session, out, err);
    return runRecalc(file, line, session, err);
}

}  // namespace

char localeDecimalSeparator() {
    // The user's numeric locale is consulted and the C locale put back at once, so that no
    // number the program reads or writes elsewhere depends on it.
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    char decSep = '.';
    if (std::setlocale(LC_NUMERIC, "")) {
        const char* point = std::localeconv()->decimal_point;
        if (point && std::string_view(point) == ",") decSep = ',';
    }
    std::setlocale(LC_NUMERIC, previous.c_str());
    return decSep;
}

int runTapeTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err, char defaultDecSep, const ToolDevices& devices) {
    if (args.empty() || args.front() == "--help" || args.front() == "-h") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? kExitUsage : kExitOk;
    }
    const std::string& command = args.front();
    if (command != "keys" && command != "show" && command != "recalc" && command != "check" &&
        command != "print" && command != "export")
        return usageError(err, "unknown command " + command);
    CommandLine line;
    const std::string error = parseCommandLine(args, line);
    if (!error.empty()) return usageError(err, error);
    if (command == "keys") return runKeys(line, defaultDecSep, devices, in, out, err);
    return runOnFile(command, line, defaultDecSep, devices, out, err);
}

}  // namespace talvex
