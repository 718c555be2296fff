// A two-way serial line to a modem: commands go out, and a reply is waited for, never longer
// than the caller allows.
#pragma once

#include <string>
#include <string_view>

namespace talvex {

// How a wait for the modem's reply ended.
enum class ReplyWait { arrived, silent, lost };

class ModemLine {
  public:
    virtual ~ModemLine() = default;
    // 9600 baud, no parity, 8 data bits, 1 stop bit, no flow control. False with error() set.
    virtual bool open(const std::string& path) = 0;
    // Drops whatever the modem sent before the next command.
    virtual void clearInput() = 0;
    // False with error() set when the bytes could not be written (the port vanished).
    virtual bool write(std::string_view bytes) = 0;
    // Waits at most timeoutMs for at least one byte and takes what came; lost when the port
    // failed while waiting (error() says why).
    virtual ReplyWait awaitReply(int timeoutMs) = 0;
    // False with error() set when the port could not be closed cleanly.
    virtual bool close() = 0;
    virtual std::string error() const = 0;
};

}  // namespace talvex
