// One background instance per user: a lock file says who it is, a local socket carries the
// request of a later start to bring its main window back.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "shell/ConfigStore.h"

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace talvex {

class SingleInstance : public QObject {
    Q_OBJECT

  public:
    // The configuration file, when given, shows the channel's name in its IPC key.
    explicit SingleInstance(std::optional<ConfigStore> config = std::nullopt,
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process now holds the guard and listens. A lock left by a process that
    // no longer exists, and a socket and IPC key left by a crash, are taken over. When no lock file
    // can be made at all the start goes on unguarded (true, without listening): a folder we may not
    // write must never keep the program from starting.
    bool tryBecomePrimary();
    bool isPrimary() const { return primary_; }

    // Sends "restore" to the instance holding the guard; false when nobody answers in time.
    static bool askPrimaryToRestore(int timeoutMs);

    // Where the guard and the channel live: the user's runtime folder, else the temp folder.
    static QString lockFilePath();
    static QString serverName();

  signals:
    void restoreRequested();

  private:
    bool takeLock();
    void clearStaleIpc();
    void listen();
    void clearIpc();
    void acceptConnections();
    void readRequests(QLocalSocket* socket);

    std::optional<ConfigStore> config_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    bool primary_ = false;
    bool ipcWritten_ = false;
};

}  // namespace talvex
