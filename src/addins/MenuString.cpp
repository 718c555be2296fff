#include "addins/MenuString.h"

namespace talvex {

namespace {

// The text before the separator; text keeps what follows it, or nothing when there is none.
std::string_view takeUntil(std::string_view& text, char separator) {
    const size_t at = text.find(separator);
    const std::string_view head = text.substr(0, at);
    text = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
    return head;
}

PanelButton parseItem(std::string_view item) {
    PanelButton button;
    button.caption = takeUntil(item, ',');
    button.tip = takeUntil(item, ',');
    button.tag = item;
    if (button.tip.empty()) button.tip = button.caption;
    return button;
}

}  // namespace

PanelLayout parseMenuString(std::string_view menu) {
    PanelLayout panel;
    const size_t colon = menu.find(':');
    panel.name = menu.substr(0, colon);
    if (colon == std::string_view::npos) return panel;
    std::string_view items = menu.substr(colon + 1);
    bool more = true;
    for (PanelButton& button : panel.buttons) {
        if (!more) break;
        const size_t semicolon = items.find(';');
        more = semicolon != std::string_view::npos;
        button = parseItem(items.substr(0, semicolon));
        if (more) items = items.substr(semicolon + 1);
    }
    return panel;
}

}  // namespace talvex
