// Printing from the window as a user does it: the options dialog's printer tab, the label
// printer's setup, a tape printed to PDF from the window read back against the same tape printed
// as text by talvex-tape, and long prints with their progress.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QPrintDialog>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include <filesystem>

#include "DialogDriving.h"
#include "WindowHarness.h"
#include "documents/Columns.h"
#include "documents/TapeDocument.h"
#include "platform/OptionsDialog.h"
#include "platform/PrinterTab.h"
#include "platform/ProgressDialogPort.h"
#include "platform/QtPrinterPort.h"
#include "platform/VDevForm.h"
#include "printing/PageLayout.h"

namespace talvex {

using testing::whenShown;

namespace {

// Every figure of a printed text, line by line: what must not move between two printers.
std::vector<QString> figures(const QString& text) {
    static const QRegularExpression figure(R"(-?\d[\d,]*\.\d+)");
    std::vector<QString> found;
    for (const QString& line : text.split('\n')) {
        QString figuresOfLine;
        for (const auto& m : figure.globalMatch(line)) figuresOfLine += m.captured() + ' ';
        if (!figuresOfLine.isEmpty()) found.push_back(figuresOfLine.trimmed());
    }
    return found;
}

// Where each figure of a line ends, as a column: amounts line up on their last digit.
std::vector<int> figureEnds(const QString& text) {
    static const QRegularExpression amount(R"(\d\.\d\d\b)");
    std::vector<int> ends;
    for (const QString& line : text.split('\n'))
        for (const auto& m : amount.globalMatch(line)) ends.push_back(m.capturedEnd());
    return ends;
}

}  // namespace

class PrintWindowTest : public QObject {
    Q_OBJECT

  private:
    WindowHarness h_;

    PageLayout& layout() { return h_.session->layout(); }

    PrinterTab* printerTab() {
        h_.window().showPrinterOptions();
        OptionsDialog* options = h_.window().optionsDialog();
        if (!options) return nullptr;
        auto* tabs = options->findChild<QTabWidget*>();
        return qobject_cast<PrinterTab*>(tabs->currentWidget());
    }

    QString printToPdf(const char* name) {
        const QString pdf = QString::fromStdString(h_.path(name));
        h_.session->printerPort().setPdfOutput(pdf.toStdString());
        PrinterTab* tab = printerTab();
        if (!tab) return {};
        tab->allLines()->setChecked(true);
        tab->button("&Print")->click();
        return pdf;
    }

    static bool progressShown() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QProgressDialog*>(w) && w->isVisible()) return true;
        return false;
    }

  private slots:
    void init() {
        h_.install("MaxRows=10000\n");
        QVERIFY(h_.open());
    }
    void cleanup() { h_.session.reset(); }

    void printerTabRangeAndSwitches() {
        PrinterTab* tab = printerTab();
        QVERIFY(tab);
        tab->allLines()->setChecked(true);
        QVERIFY(!tab->fromBox()->isEnabled());
        QVERIFY(!tab->toBox()->isEnabled());
        tab->selectedLines()->setChecked(true);
        QVERIFY(tab->fromBox()->isEnabled());
        tab->fromBox()->setValue(3);
        tab->toBox()->setValue(7);
        const TapeDocument& document = h_.session->document();
        QCOMPARE(document.printRangeChoice, 1);
        QCOMPARE(document.fromRow, 3);
        QCOMPARE(document.toRow, 7);
        for (int i = 0; i < PrinterTab::kIncludeSwitches; ++i) {
            tab->includeSwitch(i)->setChecked(i != 4);
            QCOMPARE(layout().flag(i), i != 4 ? 1 : 0);
        }
        // A column's width and alignment on paper, as the list's row of that column sets them.
        auto* list = tab->findChild<QTableWidget*>("PrintColumns");
        const int amount = h_.engine().layout().roles.amount;
        const int row = amount - ColumnSet::kFirstColumn;
        qobject_cast<QSpinBox*>(list->cellWidget(row, 1))->setValue(9);
        qobject_cast<QComboBox*>(list->cellWidget(row, 2))->setCurrentIndex(3);
        QCOMPARE(document.columns.column(amount).printWidth, 9);
        QCOMPARE(document.columns.column(amount).alignment, ColumnAlignment::centre);
        QVERIFY(tab->button("&Messenger...")->isEnabled());
        const bool label = h_.session->printing().labelPrinterSelected();
        tab->button("Swi&tch Prnters")->click();
        QCOMPARE(h_.session->printing().labelPrinterSelected(), !label);
        tab->button("Cl&ose")->click();
        QTRY_VERIFY(!h_.window().optionsDialog() || !h_.window().optionsDialog()->isVisible());
    }

    // The main printer's setup is the system's dialog under its own title; Cancel keeps the
    // printer chosen before.
    void printerSetupIsTheSystemDialog() {
        QString title;
        whenShown<QPrintDialog>([&title](QPrintDialog* dialog) {
            title = dialog->windowTitle();
            dialog->reject();
        });
        std::string printer = "Front desk";
        QVERIFY(!h_.session->printerPort().printerSetup(printer));
        QCOMPARE(title, QString("Printer Setup"));
        QCOMPARE(printer, std::string("Front desk"));
    }

    // OK hands back every choice; Cancel nothing, whatever was changed.
    void labelPrinterSetupOkAndCancel_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    // A device typed in place of a COM port is kept as that port's device on this machine,
    // shown again the next time, and found by the label printer's prints.
    void typedPortDeviceIsKept() {
        LabelPrinterSetup setup;
        setup.mode = 1;
        setup.port = 3;
        whenShown<VDevForm>([](VDevForm* form) {
            form->portList()->setEditText("/dev/ttyUSB0");
            form->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QVERIFY(h_.session->printerPort().labelPrinterSetup(setup));
        QCOMPARE(setup.port, 3);
        QCOMPARE(h_.session->config().serialPortPath("COM3"), std::string("/dev/ttyUSB0"));
        QString shown;
        whenShown<VDevForm>([&shown](VDevForm* form) {
            shown = form->portList()->currentText();
            form->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
        });
        QVERIFY(!h_.session->printerPort().labelPrinterSetup(setup));
        QCOMPARE(shown, QString("/dev/ttyUSB0"));
    }

    void labelPrinterSetupOkAndCancel() {
        QFETCH(bool, ok);
        LabelPrinterSetup setup;
        setup.printers = {"Front desk", "Back office"};
        setup.printer = "Back office";
        setup.port = 2;
        const LabelPrinterSetup before = setup;
        whenShown<VDevForm>([ok](VDevForm* form) {
            QCOMPARE(form->printerList()->currentText(), QString("Back office"));
            QCOMPARE(form->portList()->currentText(), QString("COM2"));
            QVERIFY(!form->portList()->isEnabled());
            form->typeButton(1)->click();
            QVERIFY(form->portList()->isEnabled());
            QVERIFY(!form->printerList()->isEnabled());
            form->portList()->setCurrentIndex(3);
            form->showOnStartup()->setChecked(true);
            auto* buttons = form->findChild<QDialogButtonBox*>();
            buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
        QCOMPARE(h_.session->printerPort().labelPrinterSetup(setup), ok);
        if (ok) {
            QCOMPARE(setup.mode, 1);
            QCOMPARE(setup.port, 4);
            QCOMPARE(setup.model, std::string("CoStar LabelWriter Ascii-250"));
            QVERIFY(setup.showPanelOnStartup);
        } else {
            QCOMPARE(setup.mode, before.mode);
            QCOMPARE(setup.port, before.port);
            QCOMPARE(setup.model, before.model);
            QCOMPARE(setup.showPanelOnStartup, before.showPanelOnStartup);
        }
    }

    // The household tape printed from the window's printer tab into a PDF, and by talvex-tape
    // as text: the same figures on the same lines, lined up in the same columns.
    void pdfFromTheWindowMatchesTheTextPrint() {
        const std::string tape = h_.path("Household.kwd");
        std::filesystem::copy_file(std::string(TALVEX_DATA_DIR) + "/Household.kwd", tape,
                                   std::filesystem::copy_options::overwrite_existing);
        h_.session->documents().openGrid(tape);
        h_.window().documentChanged();
        const QString pdf = printToPdf("Household.pdf");
        QVERIFY(QFile::exists(pdf));
        const PrintFont font = h_.session->printing().printFont();
        QProcess reader;
        reader.start("pdftotext",
                     {"-layout", "-fixed", QString::number(font.size * 72 / 120), pdf, "-"});
        QVERIFY(reader.waitForFinished(20000));
        const QString fromPdf = QString::fromLocal8Bit(reader.readAllStandardOutput());
        // A tape read from a file prints its columns as they are shown.
        QVERIFY2(figures(fromPdf).size() >= 11, qPrintable(fromPdf));
        const Result text = tool({"print", tape, "--text"});
        QCOMPARE(text.status, 0);
        const QString fromTool = QString::fromLocal8Bit(text.out.c_str());
        QVERIFY(!figures(fromTool).empty());
        QCOMPARE(figures(fromPdf), figures(fromTool));
        // The PDF reader closes up the left margin, so columns compare from the first one.
        std::vector<int> pdfEnds = figureEnds(fromPdf), toolEnds = figureEnds(fromTool);
        QCOMPARE(pdfEnds.size(), toolEnds.size());
        for (size_t i = 1; i < pdfEnds.size(); ++i)
            QCOMPARE(pdfEnds[i] - pdfEnds[0], toolEnds[i] - toolEnds[0]);
    }

    // A task that ended before its progress dialog showed leaves no dialog to pop up later,
    // not even while a modal dialog (the print preview) runs its own loop.
    void endedProgressStaysGoneUnderAModalLoop() {
        ProgressDialogPort port(&h_.window());
        QEventLoop outer;
        bool shownLater = false;
        QTimer::singleShot(0, [&] {
            port.begin("Printing the tape...", 10);
            port.step(1, 10);
            port.end();
            QEventLoop modal;
            // The dialog itself arms a four-second timer when it is made.
            QTimer::singleShot(4500, &modal, &QEventLoop::quit);
            modal.exec();
            shownLater = progressShown();
            outer.quit();
        });
        outer.exec();
        QVERIFY(!shownLater);
    }

    // A long print shows its progress; Cancel ends it and the window goes on working.
    void longPrintCancelled() {
        h_.typeKeys(QString("1+").repeated(3000) + "T");
        h_.session->printerPort().setPdfOutput(h_.path("long.pdf"));
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(w)) progress->cancel();
        });
        const PrintOutcome outcome =
            h_.session->printing().print(PrintRoute::mainPrinter, PrintRange{}, false);
        QCOMPARE(outcome, PrintOutcome::cancelled);
        QTRY_VERIFY(!progressShown());
        h_.typeKeys("5+");
        // 3000 lines, the total and its blank line, the new line and the open row.
        QCOMPARE(h_.rows().size(), size_t(3004));
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::PrintWindowTest)
#include "PrintWindowTest.moc"
