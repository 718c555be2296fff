// A serial port, opened for one print or feed: the label printer's bytes go out through it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace talvex {

class SerialLink {
  public:
    virtual ~SerialLink() = default;
    // 9600 baud, no parity, 8 data bits, 1 stop bit, no flow control. False with error() set.
    virtual bool open(const std::string& path) = 0;
    // False when the bytes could not be written (the port vanished); the print then ends.
    virtual bool write(std::string_view bytes) = 0;
    virtual void close() = 0;
    virtual std::string error() const = 0;
};

}  // namespace talvex
