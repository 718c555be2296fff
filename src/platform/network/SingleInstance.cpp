// The guard and the channel of the one background instance.
#include "platform/network/SingleInstance.h"

#include <unistd.h>

#include <QByteArray>
#include <QByteArrayView>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QtGlobal>

#include "shell/Startup.h"

namespace talvex {

namespace {

constexpr QByteArrayView kRestore = "restore";
// A request is one short line; anything longer is not ours.
constexpr qint64 kMaxRequest = 256;
constexpr int kRetryMs = 50;
// A socket path longer than this does not fit the system's address record.
constexpr qsizetype kMaxSocketPath = 100;

QString productName() {
    return QString::fromUtf8(kProductName.data(), kProductName.size());
}

// Both files carry the user's number, so users sharing the temp folder never meet.
QString baseName() {
    return productName() + QLatin1Char('-') + QString::number(::getuid());
}

QString channelFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QFileInfo(runtime).isWritable()) return runtime;
    return QDir::tempPath();
}

}  // namespace

SingleInstance::SingleInstance(std::optional<ConfigStore> config, QObject* parent)
    : QObject(parent), config_(std::move(config)) {}

SingleInstance::~SingleInstance() {
    // The socket goes before the lock: once the lock is free a new instance may listen on the
    // same name, and closing ours afterwards would delete its socket.
    delete server_;
    server_ = nullptr;
    clearIpc();
    lock_.reset();
}

QString SingleInstance::lockFilePath() {
    return channelFolder() + QLatin1Char('/') + baseName() + QStringLiteral(".lock");
}

QString SingleInstance::serverName() {
    const QString path =
        channelFolder() + QLatin1Char('/') + baseName() + QStringLiteral(".socket");
    // A bare name lands in the temp folder, still one per user.
    return path.size() <= kMaxSocketPath ? path : baseName();
}

bool SingleInstance::tryBecomePrimary() {
    if (primary_) return true;
    const bool locked = takeLock();
    if (!locked && !lock_) return false;
    primary_ = true;
    if (locked) {
        clearStaleIpc();
        listen();
    }
    return true;
}

// Holding the lock proves that no instance runs: a key still naming one was left by a run that
// was killed, and must not outlive this start even when listening fails.
void SingleInstance::clearStaleIpc() {
    if (config_ && !config_->readIpc(kProductName).empty()) config_->writeIpc(kProductName, "");
}

// True when the lock is ours. A refusal because another process holds the lock leaves lock_
// empty; any other failure keeps the unlocked object, meaning "go on unguarded".
bool SingleInstance::takeLock() {
    auto lock = std::make_unique<QLockFile>(lockFilePath());
    // Age proves nothing for a lock held as long as the program runs; only a dead owner does.
    lock->setStaleLockTime(0);
    bool locked = lock->tryLock(0);
    // An owner that died while writing its lock leaves a file no one can read. The owner's
    // system lock on the file ended with it, and removeStaleLockFile refuses while it lives.
    if (!locked && lock->error() == QLockFile::LockFailedError && lock->removeStaleLockFile()) {
        locked = lock->tryLock(0);
    }
    if (!locked && lock->error() == QLockFile::LockFailedError) return false;
    if (!locked)
        qWarning("Talvex: cannot create %s; running unguarded", qPrintable(lock->fileName()));
    lock_ = std::move(lock);
    return locked;
}

void SingleInstance::listen() {
    const QString name = serverName();
    // Holding the lock proves that a socket of this name was left by a crash.
    QLocalServer::removeServer(name);
    server_ = new QLocalServer(this);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    if (!server_->listen(name)) {
        qWarning("Talvex: cannot listen on %s: %s", qPrintable(name),
                 qPrintable(server_->errorString()));
        return;
    }
    if (config_) ipcWritten_ = config_->writeIpc(kProductName, name.toLocal8Bit().toStdString());
}

void SingleInstance::clearIpc() {
    if (!ipcWritten_ || !config_) return;
    // Leave the key alone when another instance wrote it since.
    if (config_->readIpc(kProductName) == serverName().toLocal8Bit().toStdString()) {
        config_->writeIpc(kProductName, "");
    }
    ipcWritten_ = false;
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequests(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            readRequests(socket);
            socket->deleteLater();
        });
        // The request may have arrived with the connection itself.
        readRequests(socket);
    }
}

void SingleInstance::readRequests(QLocalSocket* socket) {
    // A restore may ask about the tape in a modal dialog, whose event loop can see this socket
    // disconnect and be deleted: each request is handled only after the socket was let go.
    while (socket->canReadLine()) {
        if (socket->readLine(kMaxRequest).trimmed() == kRestore)
            QTimer::singleShot(0, this, &SingleInstance::restoreRequested);
    }
    if (socket->bytesAvailable() > kMaxRequest) socket->abort();
}

bool SingleInstance::askPrimaryToRestore(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    const QString name = serverName();
    // The holder of the lock may still be on its way to listening: try until the time is up.
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(name, QIODevice::WriteOnly);
        if (socket.waitForConnected(int(deadline.remainingTime()))) {
            socket.write(kRestore.data(), kRestore.size());
            socket.write("\n", 1);
            if (socket.bytesToWrite() > 0)
                socket.waitForBytesWritten(int(deadline.remainingTime()));
            const bool sent = socket.bytesToWrite() == 0;
            socket.disconnectFromServer();
            return sent;
        }
        if (deadline.hasExpired()) return false;
        QThread::msleep(kRetryMs);
    }
}

}  // namespace talvex
