#include "platform/serial/QtModemLine.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>

#include "platform/serial/QtSerialLink.h"

#include "platform/serial/SerialPortOpening.h"

namespace talvex {

namespace {

constexpr int kWriteTimeoutMs = 5000;
// The wait for a reply is cut into slices; between them the window repaints and its timers
// run, so it does not look hung while the modem thinks.
constexpr int kSliceMs = 50;
constexpr const char* kNoPort = "No serial port is named.";

}  // namespace

bool QtModemLine::fail(const std::string& what) {
    error_ = what + ": " + port_.errorString().toLocal8Bit().toStdString();
    if (port_.isOpen()) port_.close();
    return false;
}

bool QtModemLine::portFailed() const {
    const QSerialPort::SerialPortError error = port_.error();
    return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
}

bool QtModemLine::open(const std::string& path) {
    error_ = openAt9600(port_, QtSerialLink::devicePath(path));
    return error_.empty();
}

void QtModemLine::clearInput() {
    if (!port_.isOpen()) return;
    port_.clear(QSerialPort::Input);
    port_.readAll();
    port_.clearError();
}

bool QtModemLine::write(std::string_view bytes) {
    if (!port_.isOpen()) {
        error_ = kNoPort;
        return false;
    }
    const qint64 size = static_cast<qint64>(bytes.size());
    if (port_.write(bytes.data(), size) != size) return fail("write");
    while (port_.bytesToWrite() > 0)
        if (!port_.waitForBytesWritten(kWriteTimeoutMs)) return fail("write");
    return true;
}

// The wait runs on the window's thread in slices, letting Qt deliver everything but the
// user's input in between: the window repaints, but no key or close can reach the dialler
// while it is in the middle of a command, and the whole wait ends after timeoutMs.
ReplyWait QtModemLine::awaitReply(int timeoutMs) {
    if (!port_.isOpen()) return ReplyWait::lost;
    QElapsedTimer elapsed;
    elapsed.start();
    while (true) {
        if (port_.bytesAvailable() > 0) {
            port_.readAll();
            return ReplyWait::arrived;
        }
        const qint64 left = timeoutMs - elapsed.elapsed();
        if (left <= 0) return ReplyWait::silent;
        const bool ready =
            port_.waitForReadyRead(static_cast<int>(std::min<qint64>(left, kSliceMs)));
        if (!ready && portFailed()) {
            fail("read");
            return ReplyWait::lost;
        }
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

bool QtModemLine::close() {
    if (!port_.isOpen()) return true;
    port_.clearError();
    port_.close();
    if (portFailed()) return fail("close");
    return true;
}

}  // namespace talvex
