// Where a print goes: plain text, a printer or PDF, or the label printer's serial port. The
// print engine lays everything out in character columns and lines; a sink only puts text.
#pragma once

#include <string>
#include <string_view>

namespace talvex {

// The four attribute positions of an attribute string.
namespace print_attribute {
inline constexpr int kBold = 0;
inline constexpr int kUnderline = 1;
inline constexpr int kItalic = 2;
inline constexpr int kStrikethrough = 3;
}  // namespace print_attribute

class PrintSink {
  public:
    virtual ~PrintSink() = default;
    // False when the output cannot be opened: nothing is printed. error() says why.
    virtual bool open() = 0;
    // Text without a line end (bytes in the system encoding; escape codes pass as they are).
    virtual void putText(std::string_view text) = 0;
    // Ends the current line.
    virtual void endLine() = 0;
    // A font attribute on or off; only a printer with scalable fonts shows them, the others
    // get their escape codes as text from the engine.
    virtual void setAttribute(int /*attribute*/, bool /*on*/) {}
    // Proportional printing: the next text starts at this character column (from 0), and from
    // the amount on the font is the fixed-pitch one.
    virtual void moveToColumn(double /*column*/) {}
    virtual void setFixedPitch(bool /*on*/) {}
    virtual void close() = 0;
    virtual std::string error() const { return {}; }
    // True once the output went away during the run (a serial port unplugged): the print
    // stops there instead of writing into nothing.
    virtual bool failed() const { return false; }
};

// Everything into one string, lines ended with "\n"; attributes are not shown. A move to a
// column pads the line with blanks up to it, so proportional prints still line up as text.
class TextSink : public PrintSink {
  public:
    bool open() override { return true; }
    void putText(std::string_view text) override;
    void endLine() override;
    void moveToColumn(double column) override;
    void close() override {}
    const std::string& text() const { return text_; }

  private:
    std::string text_;
    size_t lineStart_ = 0;
};

}  // namespace talvex
