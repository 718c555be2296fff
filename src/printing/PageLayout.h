// The page layout every print goes through: its twenty switches and thirty-three texts, the
// paper types, and the two measures that turn margins and spacings into lines and character
// columns. It is the printer's settings group: its fields travel with a tape in the "Prt"
// record and its storage is the "Printer" section of "Talvex.ini".
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "shell/OwnedGroup.h"

namespace talvex {

namespace layout_flag {
inline constexpr int kNotes = 0;
inline constexpr int kBlankLines = 1;
inline constexpr int kClearLines = 2;
inline constexpr int kSubtotalLines = 3;
inline constexpr int kTotalLines = 4;
inline constexpr int kClearDividers = 5;
inline constexpr int kSubtotalDividers = 6;
inline constexpr int kTotalDividers = 7;
inline constexpr int kReferences = 8;
inline constexpr int kRefSources = 9;
// The spacings' switches share their index with their texts: kTop == layout_text::kTop.
inline constexpr int kTop = 10;
inline constexpr int kBottom = 11;
inline constexpr int kLeft = 12;
inline constexpr int kLineNo = 13;
inline constexpr int kRight = 14;
inline constexpr int kHeader = 15;
inline constexpr int kColumnHeader = 16;
inline constexpr int kFooter = 17;
inline constexpr int kCount = 20;
}  // namespace layout_flag

namespace layout_text {
inline constexpr int kFormat = 0;
inline constexpr int kPaper = 1;
inline constexpr int kHeaderText = 2;
inline constexpr int kColumnHeaderText = 3;
inline constexpr int kFooterText = 4;
inline constexpr int kTop = 10;
inline constexpr int kBottom = 11;
inline constexpr int kLeft = 12;
inline constexpr int kLineNo = 13;
inline constexpr int kRight = 14;
inline constexpr int kHeaderSpacing = 15;
inline constexpr int kColumnHeaderSpacing = 16;
inline constexpr int kFooterSpacing = 17;
inline constexpr int kWidth = 18;
inline constexpr int kHeight = 19;
// Attribute strings: bold, underline, italic, strikethrough, "x" for on.
inline constexpr int kHeaderStyle = 22;
inline constexpr int kColumnHeaderStyle = 23;
inline constexpr int kFooterStyle = 24;
inline constexpr int kClearStyle = 25;
inline constexpr int kSubtotalStyle = 26;
inline constexpr int kTotalStyle = 27;
inline constexpr int kClearDividerStyle = 28;
inline constexpr int kSubtotalDividerStyle = 29;
inline constexpr int kTotalDividerStyle = 30;
inline constexpr int kReferenceStyle = 31;
inline constexpr int kCount = 33;
}  // namespace layout_text

// The print formats as the layout names them.
inline constexpr const char* kFormatTape = "Tape";
inline constexpr const char* kFormatLabel = "Label";
inline constexpr const char* kFormatFormReport = "Form Report";
inline constexpr const char* kFormatTableReport = "Table Report";
inline constexpr const char* kFormatCheck = "Check";

struct PaperType {
    const char* text;
    const char* width;   // inches; nullptr: the paper keeps what it has ("Custom")
    const char* height;  // inches; "0" is continuous paper
};
inline constexpr int kPaperTypes = 7;
extern const std::array<PaperType, kPaperTypes> kPapers;

class PageLayout : public OwnedGroup {
  public:
    PageLayout();

    int flag(int index) const;
    // Stores 0 or 1. Margins that change the tape's drawn width tell the window.
    void setFlag(int index, int value);
    const std::string& text(int index) const;
    void setText(int index, std::string_view value);
    // A paper entry: its text, and its width and height with the inch mark (not for "Custom").
    void choosePaper(int entry);

    // The leading number of text index (0 for an empty text).
    double value(int index) const;
    bool inInches(int index) const;
    // Character columns and lines, the switch of the same index applied (never for the width
    // and height).
    double horizontal(int index, double charsPerInch) const;
    double vertical(int index, double linesPerInch) const;
    // The paper in inches for a print's density; a height of 0 is continuous paper.
    std::pair<double, double> paperInches(double charsPerInch, double linesPerInch) const;

    // The flags as one number, bit i for switch i, and the texts joined with ",".
    std::string flagsText() const;
    std::string textsText() const;
    void setFlagsText(std::string_view text);
    void setTextsText(std::string_view text);

    // OwnedGroup: field 0 the flags, field 1 the texts.
    std::string field(int index) const override;
    void setField(int index, std::string_view text) override;
    void load(const ConfigStore& config) override;
    bool save(ConfigStore& config) const override;

    // Single values, as records of earlier file versions carry them.
    void setLayoutFlag(int index, int value) { setFlag(index, value); }
    void setLayoutText(int index, std::string_view text) { setText(index, text); }

    // Called when the paper width or a margin drawn on screen changed.
    std::function<void()> onTapeWidthChanged;

  private:
    std::array<int, layout_flag::kCount> flags_{};
    std::array<std::string, layout_text::kCount> texts_;
};

// The current date and time in the system's named formats.
struct DateTexts {
    std::string generalDate, shortDate, mediumDate, longDate;
    std::string shortTime, mediumTime, longTime;
};

// Now, in the C library's formats of the current locale; the window supplies its own.
DateTexts currentDateTexts();

// Header and footer placeholders ("$page", "$tape", "$date", ...), each replaced once, in order.
std::string expandPlaceholders(std::string text, int page, std::string_view tapeName,
                               const DateTexts& now);

}  // namespace talvex
