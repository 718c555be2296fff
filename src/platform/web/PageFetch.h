// One http or https page at a time, fetched while the window keeps answering and given up after
// a bound: a server that accepts and never answers must not leave the view waiting for ever.
#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

class QNetworkReply;

namespace talvex {

class PageFetch : public QObject {
    Q_OBJECT

  public:
    static constexpr int kDefaultTimeoutMs = 10000;

    explicit PageFetch(QObject* parent = nullptr);
    ~PageFetch() override;

    void setTimeoutMs(int timeoutMs) { timeoutMs_ = timeoutMs; }
    // Drops a fetch still running: it reports nothing, so only the latest address is answered.
    void start(const QUrl& address);
    void cancel();
    bool busy() const { return !reply_.isNull(); }

  signals:
    // address: where the page came from after any redirection.
    void fetched(const QUrl& address, const QByteArray& body, const QString& contentType);
    void failed(const QUrl& address, const QString& reason);

  private:
    void finish();
    QString failureReasonOf(QNetworkReply* reply) const;

    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
    QTimer guard_;
    int timeoutMs_ = kDefaultTimeoutMs;
    bool timedOut_ = false;
};

}  // namespace talvex
