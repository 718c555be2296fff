// The label printer's serial port on Qt SerialPort: 9600 baud, 8 data bits, no parity, one
// stop bit, no flow control.
#pragma once

#include <QSerialPort>

#include <string>
#include <string_view>

#include "printing/SerialLink.h"

namespace talvex {

class QtSerialLink : public SerialLink {
  public:
    // A path starts with "/"; a bare name ("ttyS0") is a device of /dev.
    bool open(const std::string& path) override;
    bool write(std::string_view bytes) override;
    void close() override;
    std::string error() const override { return error_; }

    static std::string devicePath(const std::string& name);

  private:
    bool fail(const std::string& what);

    QSerialPort port_;
    std::string error_;
};

}  // namespace talvex
