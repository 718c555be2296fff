// The main window's side of the messenger: its panel's place and height, the click that opens
// the settings, the double-click that opens the address, and the password in front of them.
#include <QSplitter>

#include <algorithm>

#include "messenger/MessengerLocks.h"
#include "platform/LogoForm.h"
#include "platform/MainWindow.h"
#include "platform/MessengerPanel.h"
#include "platform/OptionsDialog.h"
#include "platform/PwdForm.h"
#include "platform/web/WebView.h"
#include "session/TapeSession.h"

namespace talvex {

void MainWindow::buildMessenger() {
    messenger_ = new MessengerPanel(core_.dialogs, core_.config.workingFolder(), this);
    connect(messenger_, &MessengerPanel::clicked, this, &MainWindow::openMessengerFromPanel);
    connect(messenger_, &MessengerPanel::doubleClicked, this, &MainWindow::launchMessengerAddress);
    connect(messenger_, &MessengerPanel::layoutChanged, this, &MainWindow::layOutMessenger);
    buildBrowser();
    // The session loaded the configured messenger before there was a panel to show it.
    messenger_->showRecord(core_.messenger.record());
    core_.messenger.attachPanel(messenger_);
    layOutMessenger();
}

// The browser lives inside the messenger's frame; the links hear where it went, and a page
// that did not open says why in the status bar.
void MainWindow::buildBrowser() {
    const QString folder = QString::fromStdString(core_.config.workingFolder().string());
    web_ = new WebView(folder, messenger_);
    web_->setObjectName("Browser");
    messenger_->setWebView(web_);
    BrowserLinks& links = core_.addins.browser();
    links.setWebView(web_);
    connect(web_, &WebView::navigationCompleted, this,
            [&links](const QString& address) { links.navigationCompleted(address.toStdString()); });
    connect(web_, &WebView::navigationFailed, this,
            [this, &links](const QString& address, const QString& reason) {
                links.navigationEnded();
                showStatus(tr("Could not open %1: %2").arg(address, reason).toStdString(), false);
            });
}

// Locked, the panel keeps at least its minimum height; unlocked, the user may fold it away
// with the splitter. It never grows past its maximum height.
void MainWindow::layOutMessenger() {
    const MessengerRecord& record = messenger_->record();
    QSplitter* host = record.isOn(MessengerSwitch::maxWidth) ? top_ : tapeSide_;
    if (host->indexOf(messenger_) != 0) host->insertWidget(0, messenger_);
    host->setStretchFactor(0, 0);
    const int least = messenger_->pixelsOf(record.minHeight);
    const int most = messenger_->pixelsOf(record.maxHeight);
    messenger_->setMinimumHeight(least);
    messenger_->setMaximumHeight(most);
    host->setCollapsible(0, !record.viewLock);
    QList<int> sizes = host->sizes();
    if (sizes.size() < 2) return;
    // A folded panel stays folded while the lock allows it; otherwise it takes its full height.
    const bool folded = sizes[0] == 0 && !record.viewLock;
    const int wanted = folded ? 0 : most;
    const int room = sizes[0] + sizes[1];
    sizes[1] = std::max(0, room - wanted);
    sizes[0] = room - sizes[1];
    host->setSizes(sizes);
}

void MainWindow::openMessengerFromPanel() {
    if (clickOpensSettings(core_.messenger.record())) showMessengerSettings();
}

void MainWindow::openMessengerFromOptions() {
    const MessengerRecord& record = core_.messenger.record();
    if (settingsNeedPassword(record) && !PwdForm::ask(record.password, this)) return;
    showMessengerSettings();
}

void MainWindow::showMessengerSettings() {
    LogoForm form(core_.messenger, core_.settings, core_.config, core_.dialogs, this);
    connect(&form, &LogoForm::applied, this, [this] {
        core_.engine.setModified(true);
        showModified();
        layOutMessenger();
        syncCommands();
        if (options_) options_->refresh();
    });
    form.exec();
}

void MainWindow::launchMessengerAddress() {
    if (const auto address = launchAddress(core_.messenger.record())) openPage(*address);
}

}  // namespace talvex
