#pragma once

#include <QPointer>
#include <QString>

#include "engine/ProgressPort.h"

class QProgressDialog;
class QWidget;

namespace talvex {

// Long work keeps the window alive and can be cancelled. The dialog belongs to one task: it
// goes when the task ends, and its Cancel never reaches a later task. Until it shows, keys and
// clicks wait for the task to end; once it shows, it keeps them from every other window.
// Nothing from another process is handled halfway through a task.
class ProgressDialogPort : public ProgressPort {
  public:
    explicit ProgressDialogPort(QWidget* parent) : parent_(parent) {}

    void begin(std::string_view caption, int steps) override;
    bool step(int done, int steps) override;
    void end() override;

    // A task is under way.
    bool running() const { return !dialog_.isNull(); }

  private:
    // The dialog of the task under way, or a new one.
    void showDialog(int steps);

    QWidget* parent_;
    QString caption_;
    QPointer<QProgressDialog> dialog_;
};

}  // namespace talvex
