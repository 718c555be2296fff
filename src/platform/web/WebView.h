// The web view of the browser links and the messenger. With Qt WebEngine it is a full browser;
// without it, a QTextBrowser that shows local pages itself and fetches http pages over Qt
// Network, keeping a history of its own so that both kinds step back and forward alike.
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

#include <string>
#include <vector>

#include "devices/WebViewPort.h"

class QLabel;
class QTextBrowser;
class QWebEngineView;

namespace talvex {

class PageFetch;

class WebView : public QWidget, public WebViewPort {
    Q_OBJECT

  public:
    // workingFolder: where a bare file name is looked for; empty for the current folder.
    explicit WebView(const QString& workingFolder = QString(), QWidget* parent = nullptr);

    void navigate(const std::string& address, bool newWindow) override;
    void back() override;
    void forward() override;
    std::string currentAddress() const override;
    std::string currentTitle() const override;
    void processEvents() override;

    // What a click on a link of the page shown does; the link may be relative to the page.
    void followLink(const QUrl& link);
    void setTimeoutMs(int timeoutMs);

  signals:
    void navigationCompleted(const QString& address);
    void navigationFailed(const QString& address, const QString& reason);
    // A page asked for in a window of its own; that window reports its own navigations.
    void windowOpened(talvex::WebView* window);

  private:
    // The history position a load ends at: a new entry after the page shown, or an old one.
    static constexpr int kNewEntry = -1;

    QWidget* createPage();
    void open(const QUrl& address, int historyIndex);
    void openWindow(const std::string& address);
    void cancelLoad();
    void load(const QUrl& address, int historyIndex);
    void arrive(const QUrl& address);
    void fail(const QUrl& address, const QString& reason);

    QString workingFolder_;
    QLabel* notice_ = nullptr;
    int timeoutMs_;
    bool loading_ = false;
#ifdef TALVEX_HAS_WEBENGINE
    QWebEngineView* engine_ = nullptr;
#else
    void showLocalPage(const QUrl& address, int historyIndex);
    void showFetchedPage(const QUrl& address, const QByteArray& body, const QString& contentType);
    void enterHistory(const QUrl& address, int historyIndex);
    void stepTo(int historyIndex);

    QTextBrowser* browser_ = nullptr;
    PageFetch* fetch_ = nullptr;
    std::vector<QUrl> history_;
    int shownIndex_ = -1;
    int pendingIndex_ = kNewEntry;
#endif
};

}  // namespace talvex
