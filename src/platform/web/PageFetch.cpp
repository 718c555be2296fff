#include "platform/web/PageFetch.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace talvex {

PageFetch::PageFetch(QObject* parent) : QObject(parent) {
    guard_.setSingleShot(true);
    // The transfer timeout only counts silence; the guard bounds the whole fetch, so a server
    // that trickles a byte now and then cannot hold the view either.
    connect(&guard_, &QTimer::timeout, this, [this] {
        if (reply_.isNull()) return;
        timedOut_ = true;
        reply_->abort();
    });
}

PageFetch::~PageFetch() {
    cancel();
}

void PageFetch::start(const QUrl& address) {
    cancel();
    QNetworkRequest request(address);
    request.setTransferTimeout(timeoutMs_);
    timedOut_ = false;
    reply_ = network_.get(request);
    connect(reply_, &QNetworkReply::finished, this, &PageFetch::finish);
    guard_.start(timeoutMs_);
}

void PageFetch::cancel() {
    guard_.stop();
    if (reply_.isNull()) return;
    QNetworkReply* reply = reply_;
    reply_.clear();
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void PageFetch::finish() {
    if (reply_.isNull()) return;
    guard_.stop();
    QNetworkReply* reply = reply_;
    reply_.clear();
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        emit failed(reply->url(), failureReasonOf(reply));
        return;
    }
    const QString contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    emit fetched(reply->url(), reply->readAll(), contentType);
}

// A transfer timeout ends the reply as cancelled; only this object cancels otherwise, and it
// disconnects first, so a cancelled reply that reaches here ran out of time.
QString PageFetch::failureReasonOf(QNetworkReply* reply) const {
    const QNetworkReply::NetworkError error = reply->error();
    if (timedOut_ || error == QNetworkReply::OperationCanceledError ||
        error == QNetworkReply::TimeoutError)
        return QStringLiteral("Timed out after %1 ms").arg(timeoutMs_);
    return reply->errorString();
}

}  // namespace talvex
