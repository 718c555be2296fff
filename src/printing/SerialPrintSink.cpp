#include "printing/SerialPrintSink.h"

namespace talvex {

namespace {
constexpr char kLineEnd = '\n';
}

bool SerialPrintSink::open() {
    if (!link_.open(path_)) {
        error_ = link_.error();
        if (error_.empty()) error_ = "Cannot open " + path_;
        return false;
    }
    opened_ = true;
    write(initialisation_);
    endLine();
    return true;
}

// Once the port is gone nothing more is tried: every later write would fail the same way.
void SerialPrintSink::write(std::string_view bytes) {
    if (!opened_ || failed_ || bytes.empty()) return;
    if (link_.write(bytes)) return;
    failed_ = true;
    error_ = link_.error();
}

void SerialPrintSink::putText(std::string_view text) {
    write(text);
}

void SerialPrintSink::endLine() {
    write(std::string_view(&kLineEnd, 1));
}

void SerialPrintSink::close() {
    if (opened_) link_.close();
    opened_ = false;
}

}  // namespace talvex
