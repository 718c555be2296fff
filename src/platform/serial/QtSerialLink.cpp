#include "platform/serial/QtSerialLink.h"

#include "platform/serial/SerialPortOpening.h"

namespace talvex {

namespace {

constexpr int kWriteTimeoutMs = 5000;

}  // namespace

std::string QtSerialLink::devicePath(const std::string& name) {
    if (name.empty() || name.front() == '/') return name;
    return "/dev/" + name;
}

bool QtSerialLink::fail(const std::string& what) {
    error_ = what + ": " + port_.errorString().toLocal8Bit().toStdString();
    if (port_.isOpen()) port_.close();
    return false;
}

bool QtSerialLink::open(const std::string& path) {
    error_ = openAt9600(port_, devicePath(path));
    return error_.empty();
}

bool QtSerialLink::write(std::string_view bytes) {
    if (!port_.isOpen()) return false;
    if (bytes.empty()) return true;
    const qint64 size = static_cast<qint64>(bytes.size());
    if (port_.write(bytes.data(), size) != size) return fail("write");
    while (port_.bytesToWrite() > 0)
        if (!port_.waitForBytesWritten(kWriteTimeoutMs)) return fail("write");
    return true;
}

void QtSerialLink::close() {
    if (!port_.isOpen()) return;
    port_.flush();
    port_.close();
}

}  // namespace talvex
