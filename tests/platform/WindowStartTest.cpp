// The started window and the ways back to it: a second start and the tray, on desktops with
// and without a tray, with the tape's questions asked in modal loops as the real boxes do.
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>

#include "WindowHarness.h"
#include "app/WindowStart.h"
#include "platform/TrayIcon.h"
#include "platform/network/SingleInstance.h"

namespace talvex {

namespace {

constexpr int kTimeoutMs = 5000;

// A message box runs its own event loop: sockets close and deferred deletions happen there.
struct ModalDialogs : ScriptedDialogs {
    answer::Answer message(const std::string& text, const std::string& title, Buttons buttons,
                           Icon icon) override {
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        return ScriptedDialogs::message(text, title, buttons, icon);
    }
};

}  // namespace

class WindowStartTest : public QObject {
    Q_OBJECT

  private:
    WindowHarness h_;
    ModalDialogs dialogs_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<WindowStart> start_;

    MainWindow& window() { return h_.session->window(); }

    // A start that listens for the next one, with a modified tape in its window.
    void startModified(StartupOutcome outcome, bool hasTray) {
        StartupPlan plan;
        plan.outcome = outcome;
        plan.waitsInTray = true;
        h_.session = std::make_unique<Session>(ConfigStore(h_.path("Talvex.ini")), '.', &dialogs_);
        h_.session->loadMainWindow({});
        instance_ = std::make_unique<SingleInstance>();
        QVERIFY(instance_->tryBecomePrimary());
        start_ =
            std::make_unique<WindowStart>(*h_.session, *instance_, fitToDesktop(plan, hasTray));
        start_->show();
        if (outcome == StartupOutcome::showMain) QVERIFY(QTest::qWaitForWindowExposed(&window()));
        h_.typeKeys("5+");
        QVERIFY(h_.session->engine().state().modified);
    }

  private slots:
    void init() {
        h_.install();
        dialogs_ = ModalDialogs{};
    }
    void cleanup() {
        start_.reset();
        instance_.reset();
        h_.session.reset();
    }

    void closingToTheTrayAsksOnce() {
        startModified(StartupOutcome::showMain, true);
        if (QTest::currentTestFailed()) return;
        // No at closing; a second question would be cancelled.
        dialogs_.answers = {answer::kNo, answer::kCancel};
        window().close();
        QVERIFY(!window().isVisible());
        QCOMPARE(dialogs_.messages.size(), size_t(1));

        QVERIFY(SingleInstance::askPrimaryToRestore(kTimeoutMs));
        QTRY_VERIFY_WITH_TIMEOUT(window().isVisible(), kTimeoutMs);
        QCOMPARE(h_.session->engine().state().lastRow, 1);

        // Nor does the tray's Exit ask again about a tape left in the hidden window.
        h_.typeKeys("7+");
        dialogs_.answers = {answer::kNo, answer::kCancel};
        window().close();
        QSignalSpy ended(&window(), &MainWindow::closedForGood);
        emit start_->tray()->exitRequested();
        QCOMPARE(ended.count(), 1);
        QCOMPARE(dialogs_.messages.size(), size_t(2));
    }

    // The slot runs a modal loop, in which the request's socket closes and is deleted.
    void restoreRequestOutlivesItsSocket() {
        instance_ = std::make_unique<SingleInstance>();
        QVERIFY(instance_->tryBecomePrimary());
        connect(instance_.get(), &SingleInstance::restoreRequested, this,
                [this] { dialogs_.message({}, {}, Buttons::yesNoCancel, Icon::question); });
        for (size_t restores : {1, 2}) {
            QVERIFY(SingleInstance::askPrimaryToRestore(kTimeoutMs));
            QTRY_COMPARE_WITH_TIMEOUT(dialogs_.messages.size(), restores, kTimeoutMs);
        }
    }

    void withoutATrayTheWindowIsNeverHidden() {
        startModified(StartupOutcome::trayOnly, false);
        if (QTest::currentTestFailed()) return;
        QVERIFY(start_->tray() == nullptr);
        QVERIFY(window().isVisible());
        QVERIFY(window().isMinimized());

        QVERIFY(SingleInstance::askPrimaryToRestore(kTimeoutMs));
        QTRY_VERIFY_WITH_TIMEOUT(!window().isMinimized(), kTimeoutMs);

        QSignalSpy ended(&window(), &MainWindow::closedForGood);
        dialogs_.answers = {answer::kCancel, answer::kNo};
        for (const bool endedNow : {false, true}) {
            window().close();
            QCOMPARE(ended.count(), endedNow ? 1 : 0);
            QCOMPARE(window().isVisible(), !endedNow);
        }
    }
};

}  // namespace talvex

QTEST_MAIN(talvex::WindowStartTest)
#include "WindowStartTest.moc"
