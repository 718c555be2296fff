// A serial port that keeps what is written to it, can refuse to open, and can vanish after a
// number of writes.
#pragma once

#include <string>

#include "printing/SerialLink.h"

namespace talvex::testing {

struct SerialRecord {
    std::string path;
    std::string bytes;
    bool opened = false;
    bool closed = false;
};

class FakeSerialLink : public SerialLink {
  public:
    explicit FakeSerialLink(SerialRecord& record, bool opens = true, int writesBeforeLoss = -1)
        : record_(record), opens_(opens), writesLeft_(writesBeforeLoss) {}
    bool open(const std::string& path) override {
        record_.path = path;
        record_.opened = opens_;
        return opens_;
    }
    bool write(std::string_view bytes) override {
        if (writesLeft_ == 0) return false;
        if (writesLeft_ > 0) --writesLeft_;
        record_.bytes += bytes;
        return true;
    }
    void close() override { record_.closed = true; }
    std::string error() const override {
        return opens_ ? (writesLeft_ == 0 ? "device gone" : "") : "no such port";
    }

  private:
    SerialRecord& record_;
    bool opens_;
    int writesLeft_;
};

}  // namespace talvex::testing
