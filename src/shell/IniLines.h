// The lines of a private-profile file as an editable list. Every line keeps its own text and
// line end, so an edit changes only the line it is about and the rest of the file comes back
// byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

class IniLines {
  public:
    explicit IniLines(std::string_view content);

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Replaces the key's value where it stands, or adds the key (and its section) as needed.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    std::string text() const;

  private:
    struct Line {
        std::string text;
        std::string end;  // "\n", "\r\n", or empty for a last line without one
    };
    struct Span {
        size_t header;  // the "[section]" line
        size_t end;     // one past the section's last line
    };

    std::optional<Span> findSection(std::string_view section) const;
    std::optional<size_t> findKey(const Span& span, std::string_view key) const;
    void appendKey(const Span& span, std::string line);
    void appendSection(std::string_view section, std::string line);
    void insertLine(size_t at, std::string text);

    std::string byteOrderMark_;
    std::vector<Line> lines_;
    std::string newLine_ = "\n";
};

}  // namespace talvex
