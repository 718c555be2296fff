// The page layout from the window: the ruler that opens it, the "Page Layout" dialog writing
// each entry of the layout and nothing while it fills, its refusal of commas, and where the tape
// and its paper lie in the pane.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <memory>

#include "DialogDriving.h"
#include "WindowHarness.h"
#include "platform/LayoutDialog.h"
#include "platform/PaperFrame.h"
#include "platform/Ruler.h"
#include "platform/SpinText.h"
#include "printing/PageLayout.h"
#include "printing/PrintSink.h"

namespace talvex {

using testing::choose;
using testing::typeInto;
using testing::whenShown;

class PageLayoutTest : public QObject {
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

  private slots:
    void init() {
        h_.install();
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
        QCOMPARE(h_.window().paperFrame()->paper().width, 0.0);
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
};

}  // namespace talvex

QTEST_MAIN(talvex::PageLayoutTest)
#include "PageLayoutTest.moc"
