// The options dialog and the column dialog: every control reaches the core through the core's
// own operations, and the column buttons go through the column actions and their prompts.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "documents/ColumnActions.h"
#include "documents/DialogsPort.h"
#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "engine/OptionNumbers.h"
#include "platform/ColumnDialog.h"
#include "platform/OptionsDialog.h"
#include "session/TapeCommands.h"
#include "session/TapeSession.h"
#include "shell/ConfigStore.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex {
namespace {

// The dialog on the session the program runs, without its window.
struct Core {
    explicit Core(const std::string& ini)
        : session({view, dialogs, noWindow, progress}, ConfigStore(ini), '.') {
        doc.columns.setDefaults();
        dialog = std::make_unique<OptionsDialog>(settings, options, engine, doc, session.columns);
    }
    QWidget* tab(int index) const { return dialog->findChild<QTabWidget*>()->widget(index); }

    ViewPort view;
    testing::ScriptedDialogs dialogs;
    FrontEndPort noWindow;
    ProgressPort progress;
    TapeSession session;
    Engine& engine = session.engine;
    TapeDocument& doc = session.document;
    OptionTable& options = session.options;
    SettingsGroups& settings = session.settings;
    std::unique_ptr<OptionsDialog> dialog;
};

QAbstractButton* withText(QWidget* scope, const QString& text, int nth = 0) {
    for (auto* button : scope->findChildren<QAbstractButton*>())
        if (button->text() == text && nth-- == 0) return button;
    return nullptr;
}

QListWidgetItem* optionItem(QWidget* tab, const QString& name) {
    const auto items = tab->findChild<QListWidget*>()->findItems(name, Qt::MatchExactly);
    return items.size() == 1 ? items.front() : nullptr;
}

// Acts once on the next modal window (a message box) that opens while the
// returned timer lives, so a window that never opens cannot reach into a later test.
std::unique_ptr<QTimer> onNextModal(std::function<void(QWidget*)> act) {
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [watch = timer.get(), act] {
        if (QWidget* modal = QApplication::activeModalWidget()) watch->stop(), act(modal);
    });
    timer->start(10);
    return timer;
}

class OptionsDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        ini_ = (folder_ / "Talvex.ini").string();
        std::filesystem::remove(ini_);
        core_ = std::make_unique<Core>(ini_);
    }
    void cleanup() { core_.reset(); }

    void checkingAnOptionCallsTheOptionSetter() {
        QSignalSpy changed(core_->dialog.get(), &OptionsDialog::optionsChanged);
        auto* list = core_->tab(0)->findChild<QListWidget*>();
        list->setCurrentItem(optionItem(core_->tab(0), QStringLiteral("Tape On")));
        QTest::keyClick(list, Qt::Key_Space);
        QVERIFY(!core_->engine.state().tapeOn);
        optionItem(core_->tab(0), QStringLiteral("Auto Total Text"))->setCheckState(Qt::Unchecked);
        QVERIFY(!core_->engine.settings().autoTotalText);
        optionItem(core_->tab(1), QStringLiteral("Ruler"))->setCheckState(Qt::Checked);
        QCOMPARE(core_->options.option(6), 1);
        QCOMPARE(changed.count(), 3);
    }

    void refreshShowsChangesMadeElsewhereWithoutSettingThem() {
        QSignalSpy changed(core_->dialog.get(), &OptionsDialog::optionsChanged);
        core_->settings.setOption(option::kTapeOn, 0);
        core_->engine.setCalcOption(1, 3);
        core_->settings.setFlag(settings_group::kTape, 1);
        core_->dialog->refresh();
        QCOMPARE(optionState(0, "Tape On"), Qt::Unchecked);
        QVERIFY(find(0, "P  Places:")->isChecked());
        QVERIFY(core_->tab(0)->findChild<QSpinBox*>()->isEnabled());
        QVERIFY(find(1, "Save with Tape")->isChecked());
        QCOMPARE(changed.count(), 0);
    }

    // The mode buttons decide how amounts read and show; the places count belongs to
    // "P  Places:" alone.
    void formatButtonsChangeHowAmountsShow() {
        click(0, "P  Places:");
        auto* places = core_->tab(0)->findChild<QSpinBox*>();
        QVERIFY(places->isEnabled());
        places->setValue(4);
        QCOMPARE(core_->engine.format().format(1.0 / 3), std::string("0.3333"));
        click(0, "F  Floating");
        QVERIFY(!places->isEnabled());
        click(0, "+  1234=12.34");
        core_->engine.keyChar('5');
        core_->engine.keyChar('+');
        QCOMPARE(core_->engine.cell(1, core_->engine.layout().roles.amount), std::string("0.05"));
    }

    // Each tab's buttons act on its own group: its flag, and its section of the file.
    void eachTabSavesItsOwnGroup() {
        click(0, "Save with Tape");
        QCOMPARE(core_->settings.flag(settings_group::kCalculator), 1);
        QCOMPARE(core_->settings.flag(settings_group::kTape), 0);
        click(1, "Save with Tape");
        QCOMPARE(core_->settings.flag(settings_group::kTape), 1);
        optionItem(core_->tab(0), QStringLiteral("Tape On"))->setCheckState(Qt::Unchecked);
        click(0, "SaveAs Default");
        const std::string bits = core_->settings.groupField(settings_group::kCalculator, 1);
        const auto saved = [this](const std::string& text) {
            return testing::readFile(ini_).find(text) != std::string::npos;
        };
        QVERIFY(saved("[Calculator]") && saved("Options=" + bits) && !saved("[Tape]"));
        click(1, "SaveAs Default");
        QVERIFY(saved("[Tape]"));
    }

    void aFailedSaveIsReported() {
        // A configuration file inside a file cannot be written.
        testing::writeFile(folder_ / "blocker", "");
        core_ = std::make_unique<Core>((folder_ / "blocker" / "Talvex.ini").string());
        QString shown;
        const auto closeWarning = onNextModal([&shown](QWidget* modal) {
            shown = qobject_cast<QMessageBox*>(modal)->text();
            modal->close();
        });
        click(1, "SaveAs Default");
        QVERIFY(shown.contains(QStringLiteral("could not be written")));
    }

    void switchConfigMovesBetweenTheConfigurations() {
        testing::writeFile(ini_, "[VantCalc]\r\nOpts01=32\r\n");
        // The window answers the request as its command does.
        QObject::connect(core_->dialog.get(), &OptionsDialog::switchConfigRequested, [this] {
            switchConfiguration(core_->settings, !core_->settings.compact());
            core_->dialog->refresh();
        });
        click(1, "Swi&tch Config");
        QVERIFY(core_->settings.compact());
        QCOMPARE(optionState(0, "Keypad"), Qt::Unchecked);
        click(0, "SaveAs Default");
        QVERIFY(testing::readFile(ini_).find("Opts02=") != std::string::npos);
        click(0, "Swi&tch Config");
        QVERIFY(!core_->settings.compact());
    }

    // The keys and buttons act on the selected column, through the column prompts, and the list
    // shows the result.
    void columnButtonsAndKeysActOnTheSelection() {
        QSignalSpy columns(core_->dialog.get(), &OptionsDialog::columnsChanged);
        QCOMPARE(listMismatch(), QString());
        columnList()->setCurrentCell(2, 0);
        core_->dialogs.answers = {answer::kNo};
        QTest::keyClick(columnList(), Qt::Key_Delete);
        QCOMPARE(core_->dialogs.messages.size(), size_t(1));
        QCOMPARE(columns.count(), 0);
        core_->dialogs.answers = {answer::kYes};
        click(1, "&Delete");
        QCOMPARE(core_->doc.columns.colCount(), 6);
        QCOMPARE(columns.count(), 1);
        QCOMPARE(listMismatch(), QString());

        core_->dialogs.column = ColumnDialogState{"", "Tax", 9, 0, "", true};
        columnList()->setCurrentCell(0, 0);
        QTest::keyClick(columnList(), Qt::Key_Insert);
        QCOMPARE(core_->doc.columns.column(2).caption, std::string("Tax"));
        columnList()->setCurrentCell(columnList()->rowCount() - 1, 0);
        click(1, "&New");
        QCOMPARE(core_->doc.columns.column(8).caption, std::string("Tax"));
        QCOMPARE(listMismatch(), QString());

        columnList()->setCurrentCell(3, 0);
        click(1, "&Edit");
        QCOMPARE(core_->dialogs.asked.back().roleName, std::string("Amount"));
        QCOMPARE(columnList()->currentRow(), 3);
        columnList()->setCurrentCell(0, 0);
        QTest::keyClick(columnList(), Qt::Key_Return);
        QCOMPARE(core_->dialogs.asked.back().title, std::string("Edit Column 1 (Tax)?"));
        QCOMPARE(listMismatch(), QString());
        QCOMPARE(columns.count(), 5);
    }

    // A caption is one field of the tape file: what would end a field or a line cannot get
    // into it, typed or pasted. A width must be a number, and a role column keeps its type.
    void columnDialogRefusesWhatTheFileCannotHold() {
        ColumnDialog dialog{ColumnDialogState{}};
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("name"));
        name->setText(QStringLiteral("Net"));
        for (const QString& text : {QStringLiteral("\tdue"), QStringLiteral("a\nb")}) {
            name->insert(text);
            QCOMPARE(name->text(), QStringLiteral("Net"));
        }
        name->insert(QStringLiteral(" due"));
        auto* width = dialog.findChild<QLineEdit*>(QStringLiteral("width"));
        width->clear();
        QTest::keyClicks(width, QStringLiteral("abc"));
        QVERIFY(width->text().isEmpty());
        dialog.accept();
        QVERIFY(dialog.result() != QDialog::Accepted);
        QTest::keyClicks(width, QStringLiteral("12"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.state().width, 12);
        QCOMPARE(dialog.state().caption, std::string("Net due"));

        ColumnDialogState role;
        role.roleName = "Amount";
        QVERIFY(!ColumnDialog(role).findChild<QComboBox*>(QStringLiteral("type"))->isEnabled());
    }

  private:
    QAbstractButton* find(int tab, const char* text, int nth = 0) const {
        return withText(core_->tab(tab), QString::fromUtf8(text), nth);
    }
    void click(int tab, const char* text) const { find(tab, text)->click(); }
    Qt::CheckState optionState(int tab, const char* name) const {
        return optionItem(core_->tab(tab), QString::fromUtf8(name))->checkState();
    }
    QTableWidget* columnList() const { return core_->tab(1)->findChild<QTableWidget*>(); }
    // Empty when each row shows its document column's caption, width and visibility and one
    // empty row follows them; otherwise the first row that differs.
    QString listMismatch() const {
        const ColumnSet& set = core_->doc.columns;
        const int rows = set.colCount() - ColumnSet::kFirstColumn + 1;
        if (columnList()->rowCount() != rows + 1) return QStringLiteral("row count");
        for (int row = 0, col = ColumnSet::kFirstColumn; row <= rows; ++row, ++col) {
            const QString expected = row == rows ? QString("||0")
                                                 : QString("%1|%2|%3")
                                                       .arg(set.column(col).caption.c_str())
                                                       .arg(set.width(col))
                                                       .arg(set.column(col).visible);
            const auto* list = columnList();
            const QString shown = QString("%1|%2|%3")
                                      .arg(list->item(row, 0)->text(), list->item(row, 1)->text())
                                      .arg(list->item(row, 3)->checkState() == Qt::Checked);
            if (shown != expected) return QString("row %1: %2").arg(row).arg(shown);
        }
        return {};
    }
    testing::TempFolder folder_;
    std::string ini_;
    std::unique_ptr<Core> core_;
};

}  // namespace
}  // namespace talvex

QTEST_MAIN(talvex::OptionsDialogTest)
#include "OptionsDialogTest.moc"
