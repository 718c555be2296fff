// A print to the label printer on its serial port: the set-up line first, then every line's
// bytes ended by LF. A port that goes away ends the print.
#pragma once

#include <string>

#include "printing/PrintSink.h"
#include "printing/SerialLink.h"

namespace talvex {

class SerialPrintSink : public PrintSink {
  public:
    SerialPrintSink(SerialLink& link, std::string path, std::string initialisation)
        : link_(link), path_(std::move(path)), initialisation_(std::move(initialisation)) {}

    bool open() override;
    void putText(std::string_view text) override;
    void endLine() override;
    void close() override;
    std::string error() const override { return error_; }
    bool failed() const override { return failed_; }

  private:
    void write(std::string_view bytes);

    SerialLink& link_;
    std::string path_;
    std::string initialisation_;
    std::string error_;
    bool opened_ = false;
    bool failed_ = false;
};

}  // namespace talvex
