// The fallback web view as the browser links drive it: local pages and their links, its own
// history, refused addresses, and http pages from a server on this machine that answers or
// stays silent.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <string>

#include "platform/web/WebView.h"

namespace talvex {
namespace {

constexpr int kShortTimeoutMs = 1500;
constexpr int kBoundMs = 6000;
constexpr const char* kServedPage = "<html><title>Served</title><img src=\"pic.png\"></html>";

void writePage(const QTemporaryDir& dir, const QString& name, const QString& title,
               const QString& body = {}) {
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QString("<html><title>%1</title><body>%2</body></html>").arg(title, body).toUtf8());
}

// Answers every request with its page, or never when the page is empty.
class PageServer : public QTcpServer {
  public:
    explicit PageServer(QByteArray page) : page_(std::move(page)) {
        connect(this, &QTcpServer::newConnection, this, &PageServer::take);
        listen(QHostAddress::LocalHost);
    }
    std::string address() const {
        return "http://127.0.0.1:" + std::to_string(serverPort()) + "/page.html";
    }

  private:
    void take() {
        while (QTcpSocket* socket = nextPendingConnection()) {
            if (page_.isEmpty()) continue;
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                request_ += socket->readAll();
                if (!request_.contains("\r\n\r\n")) return;
                socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                              QByteArray::number(page_.size()) + "\r\n\r\n" + page_);
                socket->disconnectFromHost();
                request_.clear();
            });
        }
    }

    QByteArray page_;
    QByteArray request_;
};

}  // namespace

class WebViewTest : public QObject {
    Q_OBJECT

    std::string fileAddress(const QString& name) const {
        return QUrl::fromLocalFile(dir_.filePath(name)).toString().toStdString();
    }

  private slots:
    void init() {
        writePage(dir_, "a.html", "First", "<a href=\"b.html\">next</a>");
        writePage(dir_, "b.html", "Second", "<a name=\"end\">end</a>");
        writePage(dir_, "c.html", "Third");
    }

    void addressFormsOpenTheLocalPage_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("full path") << dir_.filePath("a.html");
        QTest::newRow("name in working folder") << QString("a.html");
        QTest::newRow("file address") << QString::fromStdString(fileAddress("a.html"));
    }
    void addressFormsOpenTheLocalPage() {
        QFETCH(QString, text);
        WebView view(dir_.path());
        QCOMPARE(view.currentAddress() + view.currentTitle(), std::string());
        QSignalSpy completed(&view, &WebView::navigationCompleted);
        view.navigate(text.toStdString(), false);
        QCOMPARE(completed.count(), 1);
        QCOMPARE(completed.at(0).at(0).toString().toStdString(), fileAddress("a.html"));
        QCOMPARE(view.currentAddress(), fileAddress("a.html"));
        QCOMPARE(view.currentTitle(), std::string("First"));
    }

    // Each step: what is done, the page shown after it, and whether it was a navigation.
    void linksAndHistoryMoveBetweenPages() {
        WebView view(dir_.path());
        QSignalSpy completed(&view, &WebView::navigationCompleted);
        auto* browser = view.findChild<QTextBrowser*>();
        const struct {
            std::string action;
            const char* page;
            const char* title;
            bool reported;
        } steps[] = {
            {"open a", "a.html", "First", true},    {"click b", "b.html", "Second", true},
            {"anchor", "b.html", "Second", false},  {"back", "a.html", "First", true},
            {"back", "a.html", "First", false},     {"forward", "b.html", "Second", true},
            {"forward", "b.html", "Second", false}, {"back", "a.html", "First", true},
            {"open c", "c.html", "Third", true},    {"forward", "c.html", "Third", false},
            {"back", "a.html", "First", true},      {"edit a", "a.html", "Edited", true},
        };
        for (const auto& step : steps) {
            const int before = completed.count();
            if (step.action == "open a") view.navigate("a.html", false);
            if (step.action == "open c") view.navigate("c.html", false);
            if (step.action == "click b") emit browser->anchorClicked(QUrl("b.html"));
            if (step.action == "anchor") emit browser->anchorClicked(QUrl("#end"));
            if (step.action == "back") view.back();
            if (step.action == "forward") view.forward();
            if (step.action == "edit a") writePage(dir_, "a.html", "Edited");
            if (step.action == "edit a") view.navigate("a.html", false);
            QVERIFY2(completed.count() == before + step.reported, step.action.c_str());
            QCOMPARE(view.currentAddress(), fileAddress(step.page));
            QCOMPARE(view.currentTitle(), std::string(step.title));
            if (step.reported)
                QCOMPARE(completed.last().at(0).toString().toStdString(), view.currentAddress());
        }
    }

    void unopenableAddressesFailAndKeepThePage_data() {
        QTest::addColumn<QString>("address");
        QTest::newRow("script") << QString("javascript:alert(1)");
        QTest::newRow("mail") << QString("mailto:someone@talvex.example");
        QTest::newRow("data") << QString("data:text/html,<b>x</b>");
        QTest::newRow("missing file") << dir_.filePath("missing.html");
    }
    void unopenableAddressesFailAndKeepThePage() {
        QFETCH(QString, address);
        WebView view(dir_.path());
        view.navigate("a.html", false);
        QSignalSpy completed(&view, &WebView::navigationCompleted);
        QSignalSpy failed(&view, &WebView::navigationFailed);
        view.navigate(address.toStdString(), false);
        QCOMPARE(completed.count(), 0);
        QCOMPARE(failed.count(), 1);
        const QString reason = failed.at(0).at(1).toString();
        QVERIFY(!reason.isEmpty());
        QCOMPARE(view.currentAddress(), fileAddress("a.html"));
        QCOMPARE(view.currentTitle(), std::string("First"));
        auto* notice = view.findChild<QLabel*>("failureNotice");
        QVERIFY(notice && !notice->isHidden() && notice->text().contains(reason));
    }

    void silentServerFailsWithinTheBoundWhileTheLoopRuns() {
        PageServer server{QByteArray()};
        WebView view(dir_.path());
        view.setTimeoutMs(kShortTimeoutMs);
        QSignalSpy failed(&view, &WebView::navigationFailed);
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(50);
        QElapsedTimer elapsed;
        elapsed.start();
        view.navigate(server.address(), false);
        while (failed.isEmpty() && elapsed.elapsed() < kBoundMs) view.processEvents();
        QCOMPARE(failed.count(), 1);
        QVERIFY(failed.at(0).at(1).toString().contains("Timed out"));
        QVERIFY2(ticks >= 5, "the event loop ran while the page was awaited");
        QCOMPARE(view.currentAddress(), std::string());
    }

    void newNavigationDropsThePendingOne() {
        PageServer server{QByteArray()};
        WebView view(dir_.path());
        view.setTimeoutMs(300);
        QSignalSpy completed(&view, &WebView::navigationCompleted);
        QSignalSpy failed(&view, &WebView::navigationFailed);
        view.navigate(server.address(), false);
        view.navigate("a.html", false);
        QTest::qWait(900);
        QCOMPARE(completed.count(), 1);
        QCOMPARE(failed.count(), 0);
    }

    // Back from a served page shows the local page again; the served page's pictures never
    // come from the folder of the local page shown before it.
    void servedPageCompletesAndSharesTheHistory() {
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir_.filePath("pic.png")));
        writePage(dir_, "pic.html", "Picture", "<img src=\"pic.png\">");
        PageServer server{kServedPage};
        WebView view(dir_.path());
        const QTextDocument* page = view.findChild<QTextBrowser*>()->document();
        const auto shownPicture = [page] {
            return page->resource(QTextDocument::ImageResource, QUrl("pic.png")).value<QImage>();
        };
        QSignalSpy completed(&view, &WebView::navigationCompleted);
        view.navigate("pic.html", false);
        QCOMPARE(shownPicture().size(), picture.size());
        view.navigate(server.address(), false);
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 2, kBoundMs);
        QCOMPARE(completed.last().at(0).toString().toStdString(), server.address());
        QCOMPARE(view.currentAddress(), server.address());
        QCOMPARE(view.currentTitle(), std::string("Served"));
        QVERIFY(shownPicture().isNull());
        view.back();
        QCOMPARE(view.currentTitle(), std::string("Picture"));
        view.forward();
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 4, kBoundMs);
        QCOMPARE(view.currentTitle(), std::string("Served"));
    }

    void newWindowLeavesThisViewAlone() {
        WebView view(dir_.path());
        view.navigate("a.html", false);
        QSignalSpy opened(&view, &WebView::windowOpened);
        view.navigate("b.html", true);
        QCOMPARE(opened.count(), 1);
        const QPointer<WebView> window = opened.at(0).at(0).value<WebView*>();
        QVERIFY(window && window->isWindow());
        QCOMPARE(window->currentAddress(), fileAddress("b.html"));
        QCOMPARE(window->windowTitle(), QString("Second"));
        QCOMPARE(view.currentAddress(), fileAddress("a.html"));
        window->close();
        // No event loop runs outside the waits, so the window's deferred deletion is forced.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
    }

  private:
    QTemporaryDir dir_;
};

}  // namespace talvex

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    talvex::WebViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WebViewTest.moc"
