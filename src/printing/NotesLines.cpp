#include "printing/NotesLines.h"

namespace talvex {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The text up to the next CR LF, which is consumed with it.
std::string takeParagraph(std::string& rest) {
    const size_t end = rest.find(kLineEnd);
    std::string paragraph = rest.substr(0, end);
    rest.erase(0, end == std::string::npos ? rest.size() : end + kLineEnd.size());
    return paragraph;
}

// The next word, up to and without the next blank, which is consumed with it.
std::string takeWord(std::string& rest) {
    const size_t blank = rest.find(' ');
    std::string word = rest.substr(0, blank);
    rest.erase(0, blank == std::string::npos ? rest.size() : blank + 1);
    return word;
}

// Fills one line from the front of rest; at least one character is always taken, so the
// filling cannot stall on a word that is longer than the line.
std::string fillLine(std::string& rest, size_t width) {
    std::string line;
    while (!rest.empty()) {
        std::string word = takeWord(rest);
        const size_t grown = line.size() + (line.empty() ? 0 : 1) + word.size();
        if (grown <= width) {
            if (!line.empty()) line += ' ';
            line += word;
            continue;
        }
        if (!line.empty()) {
            rest = word + (rest.empty() ? "" : " " + rest);
            return line;
        }
        rest = word.substr(width) + (rest.empty() ? "" : " " + rest);
        return word.substr(0, width);
    }
    return line;
}

}  // namespace

std::vector<std::string> notesLines(std::string_view notes, int width) {
    std::vector<std::string> lines;
    std::string rest(notes);
    while (!rest.empty()) {
        std::string paragraph = takeParagraph(rest);
        if (width <= 0 || paragraph.size() <= static_cast<size_t>(width)) {
            lines.push_back(std::move(paragraph));
            continue;
        }
        // What does not fit runs on into the next paragraph, joined by a blank.
        rest = paragraph + (rest.empty() ? "" : " " + rest);
        lines.push_back(fillLine(rest, static_cast<size_t>(width)));
    }
    return lines;
}

}  // namespace talvex
