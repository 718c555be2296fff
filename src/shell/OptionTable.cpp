// Names and starting values of the options and colours. The defaults are gathered here so the
// look of a fresh installation is decided in one place: a light paper tape with dark print (dark
// paper with light print under a dark desktop), and a dark LCD display with green entry and
// amber tape-on digits.
#include "shell/OptionTable.h"

namespace talvex {

namespace {

constexpr long long rgb(int red, int green, int blue) {
    return red + green * 256LL + blue * 65536LL;
}

struct OptionEntry {
    std::string_view name;
    int value;
};

constexpr std::array<OptionEntry, OptionTable::kOptionCount> kOptions{{
    {"Vertical Lines", 1},
    {"Horizontal Lines", 1},
    {"3-D Effect", 0},
    {"LineNos Wdth", 1},
    {"Column Headers", 1},
    {"Highlight Line", 1},
    {"Ruler", 0},
    {"Notes", 1},
    {"", 0},
    {"", 0},
    {"", 0},
    {"", 0},
    {"Keypad", 1},
    {"Left Subpad", 1},
    {"Display Bar", 1},
    {"Left/Right Addins", 1},
    {"TapeOn/Goto Btns", 1},
    {"Tape On", 1},
    {"Multi-Column Enter", 0},
    {"Auto Ref Results", 0},
    {"Auto Clear Text", 1},
    {"Auto Subtotal Text", 1},
    {"Auto Total Text", 1},
    {"Auto AddFunc Text", 1},
}};

struct ColourEntry {
    std::string_view name;
    long long value;
    long long dark;  // the same role on a dark desktop
};

// Under a dark desktop the tape turns to dark paper with light print; every print colour keeps
// its hue and reads at the WCAG body-text contrast on the paper it is printed on. The LCD is
// dark under both.
constexpr std::array<ColourEntry, OptionTable::kColourCount> kColours{{
    {"BackGround", rgb(255, 253, 240), rgb(34, 36, 40)},    // off-white paper / charcoal
    {"Normal Lines", rgb(32, 32, 32), rgb(230, 230, 224)},  // near-black / off-white print
    {"Grid Lines", rgb(208, 208, 200), rgb(72, 76, 84)},
    {"LineNos Back", rgb(236, 233, 216), rgb(46, 48, 54)},
    {"Headers Back", rgb(224, 224, 224), rgb(56, 58, 64)},
    {"Headers Text", rgb(0, 0, 0), rgb(240, 240, 240)},
    {"Tape Border", rgb(128, 128, 128), rgb(120, 120, 120)},
    {"Notes Border", rgb(128, 128, 128), rgb(120, 120, 120)},
    {"Ruler Border", rgb(128, 128, 128), rgb(120, 120, 120)},
    {"Notes Back", rgb(255, 255, 204), rgb(60, 56, 34)},  // a sticky note, dimmed at night
    {"Notes Text", rgb(0, 0, 0), rgb(245, 240, 200)},
    {"", 0, 0},  // not used by the dialog
    {"Keypad Back", rgb(212, 208, 200), rgb(52, 54, 58)},
    {"Subpads", rgb(192, 192, 192), rgb(68, 70, 76)},
    {"Display Bar Back", rgb(212, 208, 200), rgb(52, 54, 58)},
    {"LCD BackGround", rgb(24, 32, 24), rgb(16, 22, 16)},
    {"LCD Data Entry", rgb(64, 255, 64), rgb(64, 255, 64)},  // green
    {"LCD Tape On", rgb(255, 191, 0), rgb(255, 191, 0)},     // amber
    {"LCD Tape Off", rgb(255, 96, 96), rgb(255, 110, 110)},
    {"References", rgb(0, 0, 192), rgb(130, 175, 255)},
    {"Clear Lines", rgb(128, 128, 128), rgb(165, 165, 165)},
    {"Subtotal Lines", rgb(0, 96, 0), rgb(110, 210, 110)},
    // Totals in red, as on a printing calculator.
    {"Total Lines", rgb(192, 0, 0), rgb(255, 120, 110)},
    {"Calculated * Lines", rgb(128, 0, 128), rgb(215, 150, 255)},
    {"Calculated * Lines", rgb(128, 0, 128), rgb(215, 150, 255)},  // the dialog's second swatch
}};

bool validOption(int option) {
    return option >= 0 && option < OptionTable::kOptionCount;
}
bool validColour(int colour) {
    return colour >= 0 && colour < OptionTable::kColourCount;
}

}  // namespace

OptionTable::OptionTable() {
    for (int i = 0; i < kOptionCount; ++i) options_[i] = defaultOption(i);
    for (int i = 0; i < kColourCount; ++i) colours_[i] = defaultColour(i);
}

std::string_view OptionTable::optionName(int option) {
    return validOption(option) ? kOptions[option].name : std::string_view();
}

std::string_view OptionTable::colourName(int colour) {
    return validColour(colour) ? kColours[colour].name : std::string_view();
}

int OptionTable::defaultOption(int option) {
    return validOption(option) ? kOptions[option].value : 0;
}

long long OptionTable::defaultColour(int colour) {
    return validColour(colour) ? kColours[colour].value : 0;
}

long long OptionTable::darkDefaultColour(int colour) {
    return validColour(colour) ? kColours[colour].dark : 0;
}

// A colour equal to the built-in default is taken for one the user never chose, wherever it
// was stored: "SaveAs Default" and tapes saved with their settings write every colour.
long long OptionTable::shownColour(int colour, bool darkDesktop) const {
    const long long value = this->colour(colour);
    return darkDesktop && value == defaultColour(colour) ? darkDefaultColour(colour) : value;
}

int OptionTable::option(int option) const {
    return validOption(option) ? options_[option] : 0;
}

bool OptionTable::setOption(int option, int value) {
    if (!validOption(option)) return false;
    options_[option] = value;
    return true;
}

long long OptionTable::colour(int colour) const {
    return validColour(colour) ? colours_[colour] : 0;
}

bool OptionTable::setColour(int colour, long long value) {
    if (!validColour(colour)) return false;
    colours_[colour] = value;
    return true;
}

}  // namespace talvex
