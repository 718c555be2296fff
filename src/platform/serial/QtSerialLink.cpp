#include "platform/serial/QtSerialLink.h"

namespace talvex {

namespace {

constexpr int kWriteTimeoutMs = 5000;
constexpr const char* kNoPort = "No serial port is named.";

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
    error_.clear();
    if (port_.isOpen()) port_.close();
    const std::string device = devicePath(path);
    if (device.empty()) {
        error_ = kNoPort;
        return false;
    }
    port_.setPortName(QString::fromLocal8Bit(device.c_str()));
    if (!port_.open(QIODevice::ReadWrite)) return fail(device);
    const bool set =
        port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8) &&
        port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
        port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) return fail(device);
    // A pseudo-terminal has no modem lines: a refused DTR is no reason to give up the port.
    port_.setDataTerminalReady(true);
    port_.clearError();
    return true;
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
