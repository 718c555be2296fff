#include "session/SessionPrinting.h"

#include <algorithm>
#include <limits>

#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "printing/SerialPrintSink.h"
#include "shell/ConfigStore.h"
#include "shell/SettingText.h"

namespace talvex {

namespace {

constexpr std::string_view kPrinterSection = "Printer";
constexpr std::string_view kLabelSection = "VantPrint";
constexpr std::string_view kFontKey = "Font";
constexpr std::string_view kMainPrinterKey = "MainPrinter";
constexpr const char* kNoPrinter = "No printer is available";
constexpr const char* kNoSerialPort = "No serial port is available";
constexpr const char* kPortLost = "The label printer's port was lost; the print ended";
constexpr double kPointsPerCharInch = 120;
constexpr double kPointsPerLine = 72;
constexpr double kDeviceCharsPerInch = 12;
constexpr double kDeviceLinesPerInch = 6;

// The printer's own fixed fonts take escape codes instead of font changes.
bool isDeviceFont(const std::string& name) {
    return name == "Roman 10cpi" || name == "Roman 12cpi";
}

std::string fontText(const PrintFont& font) {
    return font.name + "," + sizePatternText(font.size) + "," + (font.bold ? "1" : "0") + "," +
           (font.italic ? "1" : "0");
}

PrintFont readFont(const ConfigStore& config, std::string_view section) {
    PrintFont font;
    const std::vector<std::string> fields =
        splitText(config.getSetting(section, kFontKey, ""), ',');
    if (fields.size() < 4 || fields[0].empty()) return font;
    font.name = fields[0];
    const double size = std::atof(fields[1].c_str());
    if (size > 0) font.size = size;
    font.bold = leadingInteger(fields[2]) != 0;
    font.italic = leadingInteger(fields[3]) != 0;
    return font;
}

}  // namespace

SessionPrinting::SessionPrinting(PrintingParts parts) : p_(parts) {
    p_.labelPrinter.setHost(this);
    p_.labelPrinter.bindSize(p_.document.font.labelPrinterSize);
}

PrintOutcome SessionPrinting::print(PrintRoute route, PrintRange range, bool preview) {
    const int saved = p_.labelPrinter.active();
    if (route == PrintRoute::mainPrinter) p_.labelPrinter.setActive(label_active::kOff);
    if (route == PrintRoute::labelPrinter) p_.labelPrinter.setActive(label_active::kPrinting);
    const int last = std::numeric_limits<int>::max();
    const PrintOutcome outcome =
        range.all ? run(1, last, preview) : run(range.from, range.to, preview);
    if (route != PrintRoute::current) p_.labelPrinter.setActive(saved);
    return outcome;
}

PrintOutcome SessionPrinting::run(int fromRow, int toRow, bool preview) {
    std::optional<Output> output = prepare(fromRow, toRow, preview);
    if (!output) return PrintOutcome::notOpened;
    PrintEngine engine(p_.engine, p_.document, p_.layout);
    return report(engine.print(output->job, *output->sink, p_.progress), *output->sink);
}

void SessionPrinting::feed() {
    std::optional<Output> output = prepare(1, 1, false);
    if (!output) return;
    PrintEngine engine(p_.engine, p_.document, p_.layout);
    report(engine.feed(output->job, *output->sink), *output->sink);
}

std::optional<SessionPrinting::Output> SessionPrinting::prepare(int fromRow, int toRow,
                                                                bool preview) {
    Output output;
    output.job.fromRow = fromRow;
    output.job.toRow = toRow;
    output.job.now = currentDateTexts();
    if (labelPrinterSelected() && p_.labelPrinter.directConnect())
        return prepareSerial(std::move(output));
    return preparePrinter(std::move(output), preview);
}

std::optional<SessionPrinting::Output> SessionPrinting::prepareSerial(Output output) {
    LabelPrinter& label = p_.labelPrinter;
    output.link = p_.printer.serialLink();
    if (!output.link) {
        p_.view.showStatus(kNoSerialPort, true);
        return std::nullopt;
    }
    const int widest = PrintEngine(p_.engine, p_.document, p_.layout).lineWidth();
    output.job.mode = OutMode::serial;
    output.job.linesPerInch = kDeviceLinesPerInch;
    output.job.charsPerInch = label.density(widest, p_.layout.value(layout_text::kWidth));
    const std::string port = "COM" + std::to_string(label.settings().port);
    output.sink = std::make_unique<SerialPrintSink>(
        *output.link, p_.config.serialPortPath(port),
        labelInitialisation(output.job.charsPerInch, label.trunc()));
    return output;
}

std::optional<SessionPrinting::Output> SessionPrinting::preparePrinter(Output output,
                                                                       bool preview) {
    const bool label = labelPrinterSelected();
    PrinterTarget target;
    target.printer = printerName(label);
    target.font = fontOf(label);
    target.preview = preview;
    if (label) {
        const int widest = PrintEngine(p_.engine, p_.document, p_.layout).lineWidth();
        target.font.size =
            labelPointSize(p_.labelPrinter.size(), p_.labelPrinter.settings().sizeList(), widest,
                           p_.layout.value(layout_text::kWidth));
    }
    PrintJob& job = output.job;
    if (isDeviceFont(target.font.name)) {
        job.mode = OutMode::deviceFont;
        job.charsPerInch = kDeviceCharsPerInch;
        job.linesPerInch = kDeviceLinesPerInch;
    } else {
        job.mode = OutMode::printer;
        job.charsPerInch = kPointsPerCharInch / target.font.size;
        job.linesPerInch = kPointsPerLine / target.font.size;
        job.proportional = !label && p_.document.proportional != 0;
    }
    target.charsPerInch = job.charsPerInch;
    target.linesPerInch = job.linesPerInch;
    output.sink = p_.printer.printerSink(target);
    if (!output.sink) {
        p_.view.showStatus(kNoPrinter, true);
        return std::nullopt;
    }
    return output;
}

PrintOutcome SessionPrinting::report(PrintOutcome outcome, const PrintSink& sink) {
    if (outcome == PrintOutcome::notOpened)
        p_.view.showStatus(sink.error().empty() ? kNoPrinter : sink.error(), true);
    if (outcome == PrintOutcome::failed) {
        const std::string why = sink.error();
        p_.view.showStatus(why.empty() ? kPortLost : std::string(kPortLost) + ": " + why, true);
    }
    return outcome;
}

void SessionPrinting::switchPrinters() {
    p_.labelPrinter.setActive(labelPrinterSelected() ? label_active::kOff : label_active::kIdle);
}

bool SessionPrinting::labelPrinterSelected() const {
    return p_.labelPrinter.active() != label_active::kOff;
}

bool SessionPrinting::labelPrinterAvailable() const {
    return p_.labelPrinter.directConnect() || !p_.printer.installedPrinters().empty();
}

bool SessionPrinting::setup() {
    const LabelPrinterSettings& current = p_.labelPrinter.settings();
    LabelPrinterSetup dialog;
    dialog.mode = current.mode;
    dialog.printers = p_.printer.installedPrinters();
    dialog.printer = current.printer.empty() ? p_.printer.currentPrinter() : current.printer;
    dialog.model = current.model.empty() ? kLabelPrinterModel : current.model;
    dialog.port = current.port;
    dialog.showPanelOnStartup = current.options != 0;
    if (!p_.printer.labelPrinterSetup(dialog)) return false;
    LabelPrinterSettings chosen = current;
    chosen.mode = dialog.mode;
    chosen.printer = dialog.printer;
    chosen.model = dialog.model;
    chosen.port = std::clamp(dialog.port, 1, 4);
    chosen.options = dialog.showPanelOnStartup ? 1 : 0;
    p_.labelPrinter.setSettings(chosen);
    return true;
}

void SessionPrinting::printerSetup() {
    if (labelPrinterSelected()) {
        if (setup()) p_.labelPrinter.entry(label_code::kSave);
        return;
    }
    std::string name = printerName(false);
    if (p_.printer.printerSetup(name)) p_.config.putSetting(kPrinterSection, kMainPrinterKey, name);
}

void SessionPrinting::pageLayout() {
    p_.printer.pageLayoutDialog();
}

PrintFont SessionPrinting::printFont() const {
    return fontOf(labelPrinterSelected());
}

void SessionPrinting::setPrintFont(const PrintFont& font) {
    const std::string_view section = labelPrinterSelected() ? kLabelSection : kPrinterSection;
    p_.config.putSetting(section, kFontKey, fontText(font));
}

std::string SessionPrinting::labelSizeText() const {
    const std::string& size = p_.labelPrinter.size();
    if (size != kFitSize) return size.empty() ? "10" : size;
    const int widest = PrintEngine(p_.engine, p_.document, p_.layout).lineWidth();
    const double density =
        labelDensity(size, widest, p_.layout.value(layout_text::kWidth), kPointsPerCharInch / 10);
    return "Fit (" + sizePatternText(kPointsPerCharInch / density) + ")";
}

PrintFont SessionPrinting::fontOf(bool labelPrinter) const {
    return readFont(p_.config, labelPrinter ? kLabelSection : kPrinterSection);
}

// A printer that is no longer installed leaves the current one selected.
std::string SessionPrinting::printerName(bool labelPrinter) const {
    const std::string name = labelPrinter
                                 ? p_.labelPrinter.settings().printer
                                 : p_.config.getSetting(kPrinterSection, kMainPrinterKey, "");
    const std::vector<std::string> installed = p_.printer.installedPrinters();
    return std::find(installed.begin(), installed.end(), name) != installed.end() ? name : "";
}

}  // namespace talvex
