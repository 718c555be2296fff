// Keeps the recovery copy of the window's tape while it has unsaved changes. A timer looks at
// the tape twice a second; the tape is turned into file text here, on the window's thread
// (milliseconds even for a long tape), and one worker thread writes and removes the files in
// the order they were asked for, so that a key never waits for the disk.
#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <filesystem>

#include "session/RecoveryCopies.h"
#include "session/RecoverySchedule.h"

namespace talvex {

class DialogsPort;
class TapeSession;

class RecoveryKeeper : public QObject {
  public:
    RecoveryKeeper(TapeSession& core, const std::filesystem::path& folder,
                   QObject* parent = nullptr);
    // Waits for the files being written or removed.
    ~RecoveryKeeper() override;

    // Offers the copies windows that crashed left behind; true when one became the tape.
    bool offerLeftCopies(DialogsPort& ask);
    // The tape changed: the copy is written once it has been quiet for a while.
    void tapeChanged();
    // The program ends. A tape whose changes were to be saved, yet were not, keeps its copy;
    // any other goes.
    void programEnds();

  private:
    void tick();
    void write();
    void remove();

    TapeSession& core_;
    RecoveryCopies copies_;
    RecoverySchedule schedule_;
    QTimer timer_;
    QThreadPool worker_;
};

// Whether a process of this program runs under the id (an id reused by another program is
// not one).
bool talvexRunning(int pid);

}  // namespace talvex
