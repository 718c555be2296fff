#include <gtest/gtest.h>

#include <memory>

#include "FakeSerialLink.h"
#include "RecordingView.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "addins/AddinFramework.h"
#include "session/TapeSession.h"

namespace talvex {
namespace {

using testing::FakeSerialLink;
using testing::SerialRecord;

// Printers that keep what they were given: the target of each printer print and its text,
// and the bytes of each serial print.
class RecordingPrinters : public PrinterPort {
  public:
    struct Sink : TextSink {
        explicit Sink(std::string& out) : out_(out) {}
        void close() override { out_ += text(); }
        std::string& out_;
    };
    std::unique_ptr<PrintSink> printerSink(const PrinterTarget& target) override {
        targets.push_back(target);
        return std::make_unique<Sink>(printed);
    }
    std::vector<std::string> installedPrinters() const override { return installed; }
    std::unique_ptr<SerialLink> serialLink() override {
        return std::make_unique<FakeSerialLink>(serial, portOpens, writesBeforeLoss);
    }

    std::vector<std::string> installed;
    std::vector<PrinterTarget> targets;
    std::string printed;
    SerialRecord serial;
    bool portOpens = true;
    int writesBeforeLoss = -1;
};

class SessionPrintingTest : public ::testing::Test {
  protected:
    void start(const std::string& ini) {
        testing::writeFile(folder_ / "Talvex.ini",
                           "[Talvex]\nAddins0=VantPrint\n[Ports]\nCOM2=/dev/label\n" + ini);
        session_ = std::make_unique<TapeSession>(
            SessionPorts{view_, dialogs_, noWindow_, progress_, printers_},
            ConfigStore(folder_ / "Talvex.ini"), '.');
        session_->document.columns.setDefaults();
        session_->engine.newTape();
        for (const char c : std::string("5+7+T")) session_->engine.keyChar(c);
    }
    void run(const char* id) { ASSERT_NE(session_->commands.run(id), nullptr) << id; }
    LabelPrinter& label() { return session_->addins.labelPrinter(); }
    AddinFramework& framework() { return session_->addins.framework(); }
    std::string caption(int button) const {
        return session_->addins.framework().panel(0)->layout.buttons[button].caption;
    }

    testing::TempFolder folder_;
    testing::RecordingView view_;
    testing::ScriptedDialogs dialogs_;
    FrontEndPort noWindow_;
    ProgressPort progress_;
    RecordingPrinters printers_;
    std::unique_ptr<TapeSession> session_;
};

// "Print" goes to the main printer, "Sprint" to the label printer, "SPrint" wherever the
// label printer's state says; the state is as before after each.
TEST_F(SessionPrintingTest, ToolbarButtonsChooseTheirPrinter) {
    start("[VantPrint]\nMode=1\nPort=2\n");
    const struct {
        const char* id;
        int stateBefore;
        bool serial;
    } cases[] = {{"Print", 0, false},
                 {"Print", 1, false},
                 {"Sprint", 0, true},
                 {"SPrint", 0, false},
                 {"SPrint", 1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.id) + " " + std::to_string(c.stateBefore));
        printers_.printed.clear();
        printers_.serial = {};
        label().setActive(c.stateBefore);
        run(c.id);
        EXPECT_EQ(label().active(), c.stateBefore);
        EXPECT_EQ(printers_.serial.path, c.serial ? "/dev/label" : "");
        EXPECT_EQ(printers_.printed.empty(), c.serial);
        // The same lines on both, only the label printer's set-up line before them.
        const std::string& out = c.serial ? printers_.serial.bytes : printers_.printed;
        EXPECT_NE(out.find("12. T"), std::string::npos) << out;
    }
}

// A label printer on a printer of the system prints in its font at the size its list
// allows; the main printer's font gives the measures, or escape codes in its own fonts.
TEST_F(SessionPrintingTest, FontsGiveThePrintersTheirMeasures) {
    start(
        "[VantPrint]\nMode=0\nPrinter=Label\nFont=Arial,9,1,0\n[Printer]\nFont=Roman "
        "12cpi,10,0,0\n");
    // Without a printer of the system the label printer has nothing to print on.
    EXPECT_FALSE(session_->commands.find("Sprint")->isEnabled());
    printers_.installed = {"Office", "Label"};
    session_->printing.setPrintFont({"Times", 12, false, true});
    run("Print");
    ASSERT_EQ(printers_.targets.size(), 1u);
    EXPECT_EQ(printers_.targets[0].font.name, "Times");
    EXPECT_DOUBLE_EQ(printers_.targets[0].charsPerInch, 10);
    EXPECT_DOUBLE_EQ(printers_.targets[0].linesPerInch, 6);
    session_->document.font.labelPrinterSize = "7";
    run("Sprint");
    EXPECT_EQ(printers_.targets[0].printer, "");
    EXPECT_EQ(printers_.targets[1].printer, "Label");
    EXPECT_EQ(printers_.targets[1].font.name, "Arial");
    EXPECT_TRUE(printers_.targets[1].font.bold);
    EXPECT_DOUBLE_EQ(printers_.targets[1].font.size, 7);
    // The printer's own fixed font: reset by CAN, 12 characters an inch.
    session_->printing.setPrintFont({"Roman 12cpi", 10, false, false});
    printers_.printed.clear();
    run("Print");
    EXPECT_DOUBLE_EQ(printers_.targets[2].charsPerInch, 12);
    EXPECT_EQ(printers_.printed.substr(0, 2), "\x18\n");
}

TEST_F(SessionPrintingTest, APortThatFailsIsReportedAndSendsNothingMore) {
    start("[VantPrint]\nMode=1\nPort=3\n");
    printers_.portOpens = false;
    run("Sprint");
    EXPECT_EQ(printers_.serial.path, "/dev/ttyS2");
    EXPECT_EQ(printers_.serial.bytes, "");
    EXPECT_EQ(view_.lastError(), "no such port");
    EXPECT_EQ(label().active(), 0);
    printers_.portOpens = true;
    printers_.writesBeforeLoss = 3;
    run("Sprint");
    EXPECT_NE(view_.lastError().find("port was lost"), std::string::npos) << view_.lastError();
    EXPECT_TRUE(printers_.serial.closed);
}

// The panel: Test prints the first two rows, Trnc toggles, the size list sets the size; the
// buttons show the choices and leave the label printer selected.
TEST_F(SessionPrintingTest, PanelButtonsRunTheLabelPrinter) {
    start("[VantPrint]\nMode=1\nPort=2\n");
    for (const char c : std::string("9+")) session_->engine.keyChar(c);
    framework().choose(addin_list::kDevices, 1);
    ASSERT_NE(framework().panel(0), nullptr);
    EXPECT_EQ(caption(5), "10");
    EXPECT_EQ(caption(6), "Trnc");
    for (const char* expected : {"Wrp", "Trnc"}) {
        framework().pressButton(0, 6);
        EXPECT_EQ(caption(6), expected);
    }
    framework().pressButton(0, 1);
    EXPECT_EQ(label().active(), 1);
    const std::string& bytes = printers_.serial.bytes;
    EXPECT_NE(bytes.find("7. +"), std::string::npos);
    EXPECT_EQ(bytes.find("12. T"), std::string::npos) << "only the first two rows";
    framework().choose(addin_list::kDeviceSecond, 0);
    EXPECT_EQ(session_->document.font.labelPrinterSize, "Fit");
    EXPECT_EQ(caption(5), "Fit");
    // Twenty characters on 2.25 inches: 10 characters an inch, shown as 12 points.
    session_->layout.setText(layout_text::kWidth, "2.25\"");
    for (int col = 1; col <= session_->document.columns.colCount(); ++col)
        session_->document.columns.column(col).printWidth = col == 4 ? 20 : 0;
    EXPECT_EQ(session_->printing.labelSizeText(), "Fit (12.)");
}

// A tape that names no device panel opens with the label printer's when its settings ask.
TEST_F(SessionPrintingTest, TheLabelPrinterPanelCanOpenWithATape) {
    for (const int options : {0, 1}) {
        start("[VantPrint]\nOptions=" + std::to_string(options) + "\n");
        session_->addins.tapeRead({0, 0});
        EXPECT_EQ(framework().active(0), options == 1 ? "VantPrint" : "{none}");
    }
}

TEST_F(SessionPrintingTest, SerialPortNamesMapToDevicePaths) {
    start("");
    const std::pair<const char*, const char*> ports[] = {{"COM2", "/dev/label"},
                                                         {"com3", "/dev/ttyS2"},
                                                         {"/dev/ttyUSB0", "/dev/ttyUSB0"},
                                                         {"ttyUSB1", "/dev/ttyUSB1"}};
    for (const auto& [name, path] : ports) EXPECT_EQ(session_->config.serialPortPath(name), path);
}

}  // namespace
}  // namespace talvex
