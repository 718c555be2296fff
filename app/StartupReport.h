#pragma once

#include <QElapsedTimer>
#include <QObject>

class QWidget;

namespace talvex {

// With TALVEX_STARTUP_REPORT set, the program reports on standard error how long it took from
// start to the first painted tape and how much memory it holds then; with the value "quit" it
// ends right after. scripts/measure-startup uses it.
class StartupReport : public QObject {
    Q_OBJECT

  public:
    static bool requested();
    StartupReport(QWidget* painted, QObject* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QElapsedTimer timer_;
    bool reported_ = false;
};

}  // namespace talvex
