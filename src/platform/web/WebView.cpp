#include "platform/web/WebView.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#ifdef TALVEX_HAS_WEBENGINE
#include <QWebEngineView>
#endif

#include "platform/web/PageFetch.h"
#include "platform/web/WebAddress.h"

namespace talvex {

namespace {

constexpr const char* kCouldNotOpen = "Could not open %1: %2";
constexpr const char* kFileNotFound = "File not found";
constexpr QSize kWindowSize(800, 600);
// processEvents() gives a loading page this long before the caller looks again.
constexpr int kEventSliceMs = 50;

std::string toBytes(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

}  // namespace

WebView::WebView(const QString& workingFolder, QWidget* parent)
    : QWidget(parent),
      workingFolder_(workingFolder.isEmpty() ? QDir::currentPath() : workingFolder),
      timeoutMs_(PageFetch::kDefaultTimeoutMs) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("failureNotice"));
    // Addresses and server messages are shown as given, never read as markup.
    notice_->setTextFormat(Qt::PlainText);
    notice_->setWordWrap(true);
    notice_->hide();
    layout->addWidget(notice_);
    layout->addWidget(createPage(), 1);
}

void WebView::navigate(const std::string& address, bool newWindow) {
    if (newWindow) {
        openWindow(address);
        return;
    }
    open(webAddressFromText(QString::fromLocal8Bit(address), workingFolder_), kNewEntry);
}

void WebView::openWindow(const std::string& address) {
    auto* window = new WebView(workingFolder_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(kWindowSize);
    window->setTimeoutMs(timeoutMs_);
    window->show();
    emit windowOpened(window);
    window->navigate(address, false);
}

void WebView::setTimeoutMs(int timeoutMs) {
    timeoutMs_ = timeoutMs;
#ifndef TALVEX_HAS_WEBENGINE
    fetch_->setTimeoutMs(timeoutMs);
#endif
}

// While a page loads, waits for it a slice at a time: the window repaints and the page's
// network and timers run, and the caller looks again after each slice. The user's keys and
// clicks wait until the caller is done, since it is in the middle of moving the tape's cursor.
void WebView::processEvents() {
    if (!loading_) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    QEventLoop slice;
    QTimer::singleShot(kEventSliceMs, &slice, &QEventLoop::quit);
    connect(this, &WebView::navigationCompleted, &slice, &QEventLoop::quit);
    connect(this, &WebView::navigationFailed, &slice, &QEventLoop::quit);
    slice.exec(QEventLoop::ExcludeUserInputEvents);
}

void WebView::open(const QUrl& address, int historyIndex) {
    cancelLoad();
    if (const QString refusal = refusalOf(address); !refusal.isEmpty()) {
        fail(address, refusal);
        return;
    }
    load(address, historyIndex);
}

void WebView::arrive(const QUrl& address) {
    loading_ = false;
    notice_->hide();
    if (isWindow()) setWindowTitle(QString::fromLocal8Bit(currentTitle()));
    emit navigationCompleted(address.toString());
}

// The page shown and the history stay as they were; the notice says what went wrong.
void WebView::fail(const QUrl& address, const QString& reason) {
    loading_ = false;
    const QString shown = address.toString();
    notice_->setText(QString::fromLatin1(kCouldNotOpen).arg(shown, reason));
    notice_->show();
    emit navigationFailed(shown, reason);
}

#ifdef TALVEX_HAS_WEBENGINE

QWidget* WebView::createPage() {
    engine_ = new QWebEngineView(this);
    connect(engine_, &QWebEngineView::loadStarted, this, [this] { loading_ = true; });
    connect(engine_, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (ok) arrive(engine_->url());
        if (!ok) fail(engine_->url(), QStringLiteral("The page did not load"));
    });
    return engine_;
}

void WebView::cancelLoad() {}
void WebView::load(const QUrl& address, int) {
    engine_->load(address);
}
void WebView::followLink(const QUrl& link) {
    open(engine_->url().resolved(link), kNewEntry);
}
void WebView::back() {
    engine_->back();
}
void WebView::forward() {
    engine_->forward();
}
std::string WebView::currentAddress() const {
    return toBytes(engine_->url().toString());
}
std::string WebView::currentTitle() const {
    return toBytes(engine_->title());
}

#else

QWidget* WebView::createPage() {
    browser_ = new QTextBrowser(this);
    // Every link goes through followLink, so a click is a navigation with its report and its
    // history entry, and a scheme other than file, http or https is refused there.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &WebView::followLink);
    fetch_ = new PageFetch(this);
    fetch_->setTimeoutMs(timeoutMs_);
    connect(fetch_, &PageFetch::fetched, this,
            [this](const QUrl& address, const QByteArray& body, const QString& contentType) {
                showFetchedPage(address, body, contentType);
            });
    connect(fetch_, &PageFetch::failed, this, &WebView::fail);
    return browser_;
}

void WebView::cancelLoad() {
    fetch_->cancel();
    loading_ = false;
}

void WebView::load(const QUrl& address, int historyIndex) {
    if (address.isLocalFile()) {
        showLocalPage(address, historyIndex);
        return;
    }
    pendingIndex_ = historyIndex;
    loading_ = true;
    fetch_->start(address);
}

// The text browser reads the file itself, so pictures next to the page show too. It skips
// loading the address it already shows, but a page opened again may have changed since.
void WebView::showLocalPage(const QUrl& address, int historyIndex) {
    const QFileInfo file(address.toLocalFile());
    if (!file.isFile() || !file.isReadable()) {
        fail(address, QString::fromLatin1(kFileNotFound));
        return;
    }
    const QUrl page = address.adjusted(QUrl::RemoveFragment);
    if (browser_->source().adjusted(QUrl::RemoveFragment) == page) browser_->reload();
    browser_->setSource(address);
    enterHistory(address, historyIndex);
    arrive(address);
}

void WebView::showFetchedPage(const QUrl& address, const QByteArray& body,
                              const QString& contentType) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(body);
    if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(body);
    // Without its own base the text browser would resolve the page's pictures against the last
    // local page and show that folder's files in a page from elsewhere.
    browser_->document()->setBaseUrl(address.adjusted(QUrl::RemoveFragment));
    if (contentType.isEmpty() || contentType.contains(QStringLiteral("html"), Qt::CaseInsensitive))
        browser_->setHtml(text);
    else
        browser_->setPlainText(text);
    if (address.hasFragment()) browser_->scrollToAnchor(address.fragment());
    enterHistory(address, pendingIndex_);
    arrive(address);
}

void WebView::enterHistory(const QUrl& address, int historyIndex) {
    if (historyIndex != kNewEntry) {
        shownIndex_ = historyIndex;
        return;
    }
    history_.resize(static_cast<size_t>(shownIndex_ + 1));
    history_.push_back(address);
    shownIndex_ = static_cast<int>(history_.size()) - 1;
}

// An anchor of the page shown only scrolls it; every other link is a navigation.
void WebView::followLink(const QUrl& link) {
    const QUrl shown = shownIndex_ < 0 ? QUrl() : history_[static_cast<size_t>(shownIndex_)];
    const QUrl target = shown.resolved(link);
    const bool samePage =
        target.adjusted(QUrl::RemoveFragment) == shown.adjusted(QUrl::RemoveFragment);
    if (samePage && target.hasFragment()) {
        browser_->scrollToAnchor(target.fragment());
        return;
    }
    open(target, kNewEntry);
}

void WebView::stepTo(int historyIndex) {
    if (historyIndex < 0 || historyIndex >= static_cast<int>(history_.size())) return;
    open(history_[static_cast<size_t>(historyIndex)], historyIndex);
}

void WebView::back() {
    stepTo(shownIndex_ - 1);
}
void WebView::forward() {
    stepTo(shownIndex_ + 1);
}

std::string WebView::currentAddress() const {
    if (shownIndex_ < 0) return {};
    return toBytes(history_[static_cast<size_t>(shownIndex_)].toString());
}

std::string WebView::currentTitle() const {
    if (shownIndex_ < 0) return {};
    return toBytes(browser_->documentTitle());
}

#endif

}  // namespace talvex
