// Printing from the window as a user does it: the page layout dialog, the options dialog's
// printer tab, the label printer's setup, a long print cancelled, and a tape printed to PDF
// from the window read back against the same tape printed as text by talvex-tape.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <filesystem>

#include "WindowHarness.h"
#include "documents/TapeDocument.h"
#include "platform/LayoutDialog.h"
#include "platform/OptionsDialog.h"
#include "platform/PaperFrame.h"
#include "platform/PrinterTab.h"
#include "platform/ProgressDialogPort.h"
#include "platform/QtPrinterPort.h"
#include "platform/Ruler.h"
#include "platform/SpinText.h"
#include "platform/VDevForm.h"
#include "printing/PageLayout.h"

namespace talvex {

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

// A list entry picked as the user picks it.
void choose(QComboBox* list, int entry) {
    list->setCurrentIndex(entry);
    emit list->activated(entry);
    emit list->textActivated(list->itemText(entry));
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    // Leaving the box stores it.
    QMetaObject::invokeMethod(edit, "editingFinished");
}

// Runs act on the first visible top-level widget of type T once it shows (modal dialogs run
// their own loop until they close).
template <typename T>
void whenShown(std::function<void(T*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [=] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<T*>(w); found && found->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(found);
                return;
            }
    });
    poll->start(20);
}

}  // namespace

class PrintWindowTest : public QObject {
    Q_OBJECT

  private:
    WindowHarness h_;
    std::unique_ptr<LayoutDialog> dialog_;

    PageLayout& layout() { return h_.session->layout(); }

    // The dialog as the window makes it, shown and active so its boxes take the focus.
    LayoutDialog* openLayoutDialog() {
        dialog_ = std::make_unique<LayoutDialog>(
            layout(), h_.session->settings(), h_.session->config(),
            [this] { return h_.engine().state().tapeOn; }, &h_.window());
        dialog_->show();
        QApplication::setActiveWindow(dialog_.get());
        if (!QTest::qWaitForWindowActive(dialog_.get())) return nullptr;
        return dialog_.get();
    }

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
    void cleanup() {
        dialog_.reset();
        h_.session.reset();
    }

    // The ruler leads to the page layout, which edits the live layout: what the ruler shows
    // follows at once.
    void rulerOpensThePageLayout() {
        Ruler* ruler = h_.window().ruler();
        QCOMPARE(ruler->toolTip(), QString("VantPrint Ruler.  Click for Page Layout."));
        const int before = h_.window().paperFrame()->paper().width > 0;
        QVERIFY(!before);
        whenShown<LayoutDialog>([](LayoutDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Page Layout"));
            choose(dialog->paperList(), 0);  // 2.25 inch tape
            for (QPushButton* b : dialog->findChildren<QPushButton*>())
                if (b->text() == "Close") b->click();
        });
        QTest::mouseClick(ruler, Qt::LeftButton);
        QVERIFY(!h_.window().layoutDialog()->isVisible());
        QCOMPARE(layout().text(layout_text::kWidth), std::string("2.25\""));
        // At the tape font's pitch of 120 / 10 characters to the inch.
        QCOMPARE(h_.window().paperFrame()->paper().width, 27.0);
    }

    // Each control writes its own entry of the layout; "SaveAs Default" and "Reset Defaults"
    // bring back exactly what the dialog showed.
    void layoutDialogEditsRoundTrip() {
        LayoutDialog* dialog = openLayoutDialog();
        QVERIFY(dialog);
        choose(dialog->paperList(), 4);  // Letter
        QCOMPARE(layout().text(layout_text::kWidth), std::string("8.5\""));
        QCOMPARE(layout().text(layout_text::kHeight), std::string("11.0\""));
        QVERIFY(!dialog->widthBox()->isEnabled());
        choose(dialog->paperList(), kPaperTypes - 1);  // Custom
        QVERIFY(dialog->widthBox()->isEnabled());
        typeInto(dialog->widthBox()->edit(), "7.25\"");
        QCOMPARE(layout().text(layout_text::kWidth), std::string("7.25\""));
        for (int i = 0; i < LayoutDialog::kSpacings; ++i) {
            typeInto(dialog->spacing(i)->edit(), QString::number(i + 1));
            dialog->spacingCheck(i)->setChecked(i % 2 == 0);
        }
        for (int i = 0; i < LayoutDialog::kSpacings; ++i) {
            QCOMPARE(layout().text(layout_text::kTop + i), std::to_string(i + 1));
            QCOMPARE(layout().flag(layout_flag::kTop + i), i % 2 == 0 ? 1 : 0);
        }
        typeInto(dialog->pageText(0), "Page $page of $stape");
        QTest::mouseClick(dialog->pageText(2), Qt::LeftButton);
        typeInto(dialog->pageText(2), "$date");
        dialog->attributeButton(print_attribute::kBold)->click();
        dialog->attributeButton(print_attribute::kStrikethrough)->click();
        QCOMPARE(layout().text(layout_text::kHeaderText), std::string("Page $page of $stape"));
        QCOMPARE(layout().text(layout_text::kFooterStyle), std::string("x  x"));
        QVERIFY(dialog->pageText(2)->font().bold());
        QVERIFY(dialog->pageText(2)->font().strikeOut());
        const std::string flags = layout().flagsText();
        const std::string texts = layout().textsText();

        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == "SaveAs Default") b->click();
        layout().setFlagsText("0");
        layout().setTextsText("");
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == "Reset Defaults") b->click();
        QCOMPARE(layout().flagsText(), flags);
        QCOMPARE(layout().textsText(), texts);
        QCOMPARE(dialog->pageText(0)->text(), QString("Page $page of $stape"));
        QCOMPARE(dialog->paperList()->currentIndex(), kPaperTypes - 1);
    }

    // A comma would shift every later stored text: it never gets into a layout text, and the
    // user is told why.
    void layoutDialogRefusesCommas() {
        LayoutDialog* dialog = openLayoutDialog();
        QVERIFY(dialog);
        typeInto(dialog->pageText(0), "Smith, Jones");
        QCOMPARE(dialog->pageText(0)->text(), QString("Smith Jones"));
        QVERIFY(!dialog->refusal()->isHidden());
        typeInto(dialog->spacing(2)->edit(), "1,5");
        QCOMPARE(layout().text(layout_text::kHeaderText), std::string("Smith Jones"));
        QCOMPARE(layout().text(layout_text::kLeft), std::string("15"));
        // The stored list still reads back into the same texts.
        const std::string texts = layout().textsText();
        layout().setTextsText(texts);
        QCOMPARE(layout().text(layout_text::kFooterText), std::string());
        QCOMPARE(layout().textsText(), texts);
    }

    // Opening the dialog shows the layout without changing it, even where the lists cannot
    // show what it holds.
    void fillingTheLayoutDialogWritesNothing() {
        layout().setText(layout_text::kFormat, kFormatFormReport);
        layout().setText(layout_text::kPaper, "Folio");
        const std::string texts = layout().textsText();
        const std::string flags = layout().flagsText();
        LayoutDialog* dialog = openLayoutDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->formatList()->currentText(), QString(kFormatTape));
        QCOMPARE(layout().textsText(), texts);
        QCOMPARE(layout().flagsText(), flags);
    }

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
        QVERIFY(!tab->button("&Messenger...")->isEnabled());
        const bool label = h_.session->printing().labelPrinterSelected();
        tab->button("Swi&tch Prnters")->click();
        QCOMPARE(h_.session->printing().labelPrinterSelected(), !label);
        tab->button("Cl&ose")->click();
        QTRY_VERIFY(!h_.window().optionsDialog() || !h_.window().optionsDialog()->isVisible());
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

    // Whatever the paper and the pane, the tape stays usable: the paper never leaves the pane,
    // the margins take at most a third of it, the grid keeps every column where the pane has
    // room for them, and between those bounds the paper is as wide as the layout says.
    void paperPlacementKeepsTheTapeUsable() {
        const int character = 8;
        for (int pane : {120, 320, 400, 640, 1000, 1900})
            for (double width : {0.0, 10.0, 27.0, 39.0, 102.0, 500.0})
                for (double margin : {0.0, 1.0, 2.0, 12.0, 60.0})
                    for (int leastGrid : {150, 420}) {
                        const TapePaper paper{width, margin, margin / 2, margin};
                        const PaperPixels p = PaperFrame::place(paper, pane, character, leastGrid);
                        const QString at = QStringLiteral("pane %1 width %2 margin %3 grid %4")
                                               .arg(pane)
                                               .arg(width)
                                               .arg(margin)
                                               .arg(leastGrid);
                        QVERIFY2(0 <= p.left && p.left <= p.right, qPrintable(at));
                        QVERIFY2(p.right <= p.paperWidth && p.paperWidth <= pane, qPrintable(at));
                        const int margins = p.left + (p.paperWidth - p.right) + p.gap;
                        QVERIFY2(margins <= pane / 3, qPrintable(at));
                        const int needed = std::max(leastGrid + p.gap, 30 * character);
                        if (pane >= needed + p.left + (p.paperWidth - p.right))
                            QVERIFY2(p.right - p.left >= needed, qPrintable(at));
                        const int wanted = static_cast<int>(width * character);
                        if (width == 0) QVERIFY2(p.paperWidth == pane, qPrintable(at));
                        if (width > 0 && wanted <= pane && wanted >= needed + margins)
                            QVERIFY2(p.paperWidth == wanted, qPrintable(at));
                    }
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
