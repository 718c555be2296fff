// Parsing and editing the lines of a private-profile file. Names compare without regard to
// case, as the Windows profile functions do, because users edit these files by hand.
#include "shell/IniLines.h"

#include "engine/Text.h"
#include "shell/SettingText.h"

namespace talvex {

namespace {

std::optional<std::string> sectionName(std::string_view line) {
    const std::string text = trimmed(line);
    if (text.empty() || text.front() != '[') return std::nullopt;
    const size_t close = text.find(']');
    if (close == std::string::npos) return std::nullopt;
    return trimmed(std::string_view(text).substr(1, close - 1));
}

bool isComment(std::string_view line) {
    const std::string text = trimmed(line);
    return !text.empty() && (text.front() == ';' || text.front() == '#');
}

// The key of a "key=value" line; lines without "=" and comments have none.
std::optional<std::string> keyName(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || isComment(line)) return std::nullopt;
    return trimmed(line.substr(0, equals));
}

}  // namespace

IniLines::IniLines(std::string_view content) {
    // Editors on Windows like to start the file with a byte order mark; it is no part of the
    // first section's name and goes back where it was.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (content.starts_with(kByteOrderMark)) {
        byteOrderMark_ = kByteOrderMark;
        content.remove_prefix(kByteOrderMark.size());
    }
    bool endSeen = false;
    size_t start = 0;
    while (start < content.size()) {
        const size_t newline = content.find('\n', start);
        const size_t stop = newline == std::string_view::npos ? content.size() : newline;
        Line line{std::string(content.substr(start, stop - start)), {}};
        if (newline != std::string_view::npos) {
            const bool crlf = !line.text.empty() && line.text.back() == '\r';
            if (crlf) line.text.pop_back();
            line.end = crlf ? "\r\n" : "\n";
            // New lines follow the file's own convention, taken from its first line end.
            if (!endSeen) newLine_ = line.end;
            endSeen = true;
        } else if (!line.text.empty() && line.text.back() == '\r') {
            // A file cut after the CR of its last CR LF: the CR ends the line, it is no part
            // of the value (which would change once a later line gives it its LF).
            line.text.pop_back();
            line.end = "\r";
        }
        lines_.push_back(std::move(line));
        start = stop + 1;
    }
}

std::optional<std::string> IniLines::value(std::string_view section, std::string_view key) const {
    const auto span = findSection(section);
    if (!span) return std::nullopt;
    const auto at = findKey(*span, key);
    if (!at) return std::nullopt;
    const std::string& line = lines_[*at].text;
    return trimmed(std::string_view(line).substr(line.find('=') + 1));
}

void IniLines::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const auto span = findSection(section);
    if (!span) {
        appendSection(section, std::string(key) + "=" + std::string(value));
        return;
    }
    const auto at = findKey(*span, key);
    if (!at) {
        appendKey(*span, std::string(key) + "=" + std::string(value));
        return;
    }
    // The key keeps the spelling it has in the file; only the value changes.
    lines_[*at].text = *keyName(lines_[*at].text) + "=" + std::string(value);
}

std::string IniLines::text() const {
    std::string content = byteOrderMark_;
    for (const Line& line : lines_) content += line.text + line.end;
    return content;
}

// The first section of that name counts, as with the Windows profile functions.
std::optional<IniLines::Span> IniLines::findSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i].text);
        if (!name || !equalIgnoringCase(*name, section)) continue;
        size_t end = i + 1;
        while (end < lines_.size() && !sectionName(lines_[end].text)) ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> IniLines::findKey(const Span& span, std::string_view key) const {
    for (size_t i = span.header + 1; i < span.end; ++i) {
        const auto name = keyName(lines_[i].text);
        if (name && equalIgnoringCase(*name, key)) return i;
    }
    return std::nullopt;
}

// A new key goes after the section's last entry, keeping the blank lines that separate it
// from the next section below the new line.
void IniLines::appendKey(const Span& span, std::string line) {
    size_t at = span.end;
    while (at > span.header + 1 && trimmed(lines_[at - 1].text).empty()) --at;
    insertLine(at, std::move(line));
}

void IniLines::appendSection(std::string_view section, std::string line) {
    if (!lines_.empty() && !trimmed(lines_.back().text).empty()) insertLine(lines_.size(), "");
    insertLine(lines_.size(), "[" + std::string(section) + "]");
    insertLine(lines_.size(), std::move(line));
}

void IniLines::insertLine(size_t at, std::string text) {
    // A last line without a whole line end gets one before anything follows it.
    if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = newLine_;
    if (at > 0 && lines_[at - 1].end == "\r") lines_[at - 1].end = "\r\n";
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  Line{std::move(text), newLine_});
}

}  // namespace talvex
