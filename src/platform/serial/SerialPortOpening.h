// The one way this program opens a serial port: 9600 baud, 8 data bits, no parity, one stop
// bit, no flow control.
#pragma once

#include <string>

class QSerialPort;

namespace talvex {

// "" when the port is open and set; else why not, and the port is closed again.
std::string openAt9600(QSerialPort& port, const std::string& device);

}  // namespace talvex
