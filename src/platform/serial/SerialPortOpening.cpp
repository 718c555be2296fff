#include "platform/serial/SerialPortOpening.h"

#include <QSerialPort>

namespace talvex {

namespace {

constexpr const char* kNoPort = "No serial port is named.";

std::string failed(QSerialPort& port, const std::string& device) {
    const std::string why = device + ": " + port.errorString().toLocal8Bit().toStdString();
    if (port.isOpen()) port.close();
    return why;
}

}  // namespace

std::string openAt9600(QSerialPort& port, const std::string& device) {
    if (port.isOpen()) port.close();
    if (device.empty()) return kNoPort;
    port.setPortName(QString::fromLocal8Bit(device.c_str()));
    if (!port.open(QIODevice::ReadWrite)) return failed(port, device);
    const bool set =
        port.setBaudRate(QSerialPort::Baud9600) && port.setDataBits(QSerialPort::Data8) &&
        port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop) &&
        port.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) return failed(port, device);
    // A pseudo-terminal has no modem lines: a refused DTR is no reason to give up the port.
    port.setDataTerminalReady(true);
    port.clearError();
    return {};
}

}  // namespace talvex
