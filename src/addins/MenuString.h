// An add-in describes its panel of eight buttons in one text:
//   Name ":" Item ";" Item ";" ...   with   Item = Caption [ "," ToolTip [ "," Tag ] ]
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace talvex {

struct PanelButton {
    std::string caption;
    std::string tip;  // the caption when the item gives none
    std::string tag;  // everything after the second comma, commas included
    // A button without a caption leaves a gap: hidden, and so never pressed.
    bool shown() const { return !caption.empty(); }
};

struct PanelLayout {
    static constexpr int kButtons = 8;
    std::string name;  // the panel's tag: the add-in that built it
    std::array<PanelButton, kButtons> buttons;
};

// Items beyond the eighth are ignored; buttons without an item stay empty and hidden.
PanelLayout parseMenuString(std::string_view menu);

}  // namespace talvex
