// The modem's serial line on Qt SerialPort: 9600 baud, 8 data bits, no parity, one stop bit,
// no flow control, open from the dial to the hang-up.
#pragma once

#include <QSerialPort>

#include <string>
#include <string_view>

#include "devices/ModemLine.h"

namespace talvex {

class QtModemLine : public ModemLine {
  public:
    bool open(const std::string& path) override;
    void clearInput() override;
    bool write(std::string_view bytes) override;
    ReplyWait awaitReply(int timeoutMs) override;
    bool close() override;
    std::string error() const override { return error_; }

  private:
    bool fail(const std::string& what);
    bool portFailed() const;

    QSerialPort port_;
    std::string error_;
};

}  // namespace talvex
