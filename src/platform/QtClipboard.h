#pragma once

#include "engine/EnginePorts.h"

namespace talvex {

// The system clipboard: plain text, with the link text as a second format for programs that
// paste links to a reference or to the display.
class QtClipboard : public ClipboardPort {
  public:
    static constexpr const char* kLinkFormat = "application/x-talvex-link";

    void setText(const std::string& text, const std::string& link) override;
    void setCells(const std::string& text, const std::string& html) override;
    std::string text() const override;
};

}  // namespace talvex
