#include "printing/PageLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "shell/ConfigStore.h"
#include "shell/SettingText.h"

namespace talvex {

namespace {

constexpr std::string_view kOptions = "Options";
constexpr std::string_view kTexts = "Texts";
constexpr char kInchMark = '"';

bool validFlag(int index) {
    return index >= 0 && index < layout_flag::kCount;
}
bool validText(int index) {
    return index >= 0 && index < layout_text::kCount;
}

// The spacings, margins and paper size hold numbers; only they have measures.
bool isMeasure(int index) {
    return index >= layout_text::kTop && index <= layout_text::kHeight;
}

// The leading decimal number of a text after blanks, as the layout's boxes are read.
double leadingNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Only digits and a point continue the number: "2.25\"" is 2.25, "1e5" is 1.
    size_t end = 0;
    bool point = false;
    while (end < text.size() &&
           ((text[end] >= '0' && text[end] <= '9') || (text[end] == '.' && !point))) {
        point = point || text[end] == '.';
        ++end;
    }
    double value = 0;
    std::from_chars(text.data(), text.data() + end, value, std::chars_format::fixed);
    if (!std::isfinite(value)) return 0;
    return negative ? -value : value;
}

}  // namespace

const std::array<PaperType, kPaperTypes> kPapers = {{
    {"Tape (2.25\" x Continuous)", "2.25", "0"},
    {"Tape (2.5\" x Continuous)", "2.5", "0"},
    {"Tape (3.25\" x Continuous)", "3.25", "0"},
    {"Label (3.5\" x 15/16\")", "3.25", "1.0"},
    {"Letter (8.5\" x 11.0\")", "8.5", "11.0"},
    {"Envelope #10 (9.5\" x 4.0\")", "9.5", "4.0"},
    {"Custom", nullptr, nullptr},
}};

PageLayout::PageLayout() = default;

int PageLayout::flag(int index) const {
    return validFlag(index) ? flags_[static_cast<size_t>(index)] : 0;
}

void PageLayout::setFlag(int index, int value) {
    if (!validFlag(index)) return;
    flags_[static_cast<size_t>(index)] = value != 0 ? 1 : 0;
    const bool drawnMargin = index == layout_flag::kLeft || index == layout_flag::kLineNo ||
                             index == layout_flag::kRight;
    if (drawnMargin && onTapeWidthChanged) onTapeWidthChanged();
}

const std::string& PageLayout::text(int index) const {
    static const std::string kNone;
    return validText(index) ? texts_[static_cast<size_t>(index)] : kNone;
}

// A comma would shift every later text when the list is stored, so it becomes a blank.
void PageLayout::setText(int index, std::string_view value) {
    if (!validText(index)) return;
    std::string& stored = texts_[static_cast<size_t>(index)];
    stored = value;
    std::replace(stored.begin(), stored.end(), ',', ' ');
    const bool drawnMargin = (index == layout_text::kLeft || index == layout_text::kLineNo ||
                              index == layout_text::kRight) &&
                             flag(index) != 0;
    if ((drawnMargin || index == layout_text::kWidth) && onTapeWidthChanged) onTapeWidthChanged();
}

void PageLayout::choosePaper(int entry) {
    if (entry < 0 || entry >= kPaperTypes) return;
    const PaperType& paper = kPapers[static_cast<size_t>(entry)];
    setText(layout_text::kPaper, paper.text);
    if (!paper.width) return;
    setText(layout_text::kHeight, std::string(paper.height) + kInchMark);
    setText(layout_text::kWidth, std::string(paper.width) + kInchMark);
}

double PageLayout::value(int index) const {
    return leadingNumber(text(index));
}

bool PageLayout::inInches(int index) const {
    std::string_view t = text(index);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return !t.empty() && t.back() == kInchMark;
}

double PageLayout::horizontal(int index, double charsPerInch) const {
    if (!isMeasure(index)) return 0;
    const bool counts = index == layout_text::kWidth || flag(index) != 0;
    if (!counts) return 0;
    return value(index) * (inInches(index) ? charsPerInch : 1.0);
}

double PageLayout::vertical(int index, double linesPerInch) const {
    if (!isMeasure(index)) return 0;
    const bool counts = index == layout_text::kHeight || flag(index) != 0;
    if (!counts) return 0;
    return value(index) * (inInches(index) ? linesPerInch : 1.0);
}

std::string PageLayout::flagsText() const {
    std::uint32_t bits = 0;
    for (int i = 0; i < layout_flag::kCount; ++i)
        if (flags_[static_cast<size_t>(i)] != 0) bits |= std::uint32_t{1} << i;
    return std::to_string(bits);
}

std::string PageLayout::textsText() const {
    return joinText({texts_.begin(), texts_.end()}, ',');
}

void PageLayout::setFlagsText(std::string_view text) {
    const auto bits = static_cast<std::uint32_t>(static_cast<std::uint64_t>(leadingInteger(text)));
    for (int i = 0; i < layout_flag::kCount; ++i) flags_[static_cast<size_t>(i)] = (bits >> i) & 1U;
    if (onTapeWidthChanged) onTapeWidthChanged();
}

// The stored list is split at every comma; fields past the last text are ignored.
void PageLayout::setTextsText(std::string_view text) {
    const std::vector<std::string> fields = splitText(text, ',');
    for (size_t i = 0; i < texts_.size(); ++i)
        texts_[i] = i < fields.size() ? fields[i] : std::string();
    if (onTapeWidthChanged) onTapeWidthChanged();
}

std::string PageLayout::field(int index) const {
    return index == 0 ? flagsText() : index == 1 ? textsText() : std::string();
}

void PageLayout::setField(int index, std::string_view text) {
    if (index == 0) setFlagsText(text);
    if (index == 1) setTextsText(text);
}

// The layout is the whole section: a missing key is a layout without switches or texts.
void PageLayout::load(const ConfigStore& config) {
    setFlagsText(config.getLongSetting(config_section::kPrinter, kOptions, ""));
    setTextsText(config.getLongSetting(config_section::kPrinter, kTexts, ""));
}

bool PageLayout::save(ConfigStore& config) const {
    const bool flags = config.putSetting(config_section::kPrinter, kOptions, flagsText());
    return config.putSetting(config_section::kPrinter, kTexts, textsText()) && flags;
}

// The width and height are in inches or in the print's own columns and lines.
std::pair<double, double> PageLayout::paperInches(double charsPerInch, double linesPerInch) const {
    const double width =
        charsPerInch > 0 ? horizontal(layout_text::kWidth, charsPerInch) / charsPerInch : 0;
    const double height =
        linesPerInch > 0 ? vertical(layout_text::kHeight, linesPerInch) / linesPerInch : 0;
    return {width, height};
}

}  // namespace talvex
