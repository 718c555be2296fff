// The 24 display options and 25 colours of the options dialog, with their names and the
// values a fresh installation starts with.
#pragma once

#include <array>
#include <string_view>

namespace talvex {

class OptionTable {
  public:
    static constexpr int kOptionCount = 24;
    static constexpr int kColourCount = 25;

    OptionTable();

    // The dialog's names; options 8 to 11 are unused and have an empty name.
    static std::string_view optionName(int option);
    static std::string_view colourName(int colour);
    static int defaultOption(int option);
    // Windows RGB integers: red in the low byte, blue in the third.
    static long long defaultColour(int colour);
    // The built-in colour of the same role for a dark desktop.
    static long long darkDefaultColour(int colour);

    // Out-of-range numbers read as 0 and are not stored (they come from damaged files).
    int option(int option) const;
    bool setOption(int option, int value);
    long long colour(int colour) const;
    bool setColour(int colour, long long value);
    // The colour as the window paints it: under a dark desktop a built-in default gives way to
    // its dark counterpart, while a colour the user chose stays as chosen.
    long long shownColour(int colour, bool darkDesktop) const;

  private:
    std::array<int, kOptionCount> options_{};
    std::array<long long, kColourCount> colours_{};
};

}  // namespace talvex
