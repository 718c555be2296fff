// Header and footer placeholders, and the date and time texts they are replaced by.
#include <ctime>

#include "printing/PageLayout.h"

namespace talvex {

namespace {

std::string formatTime(const std::tm& when, const char* format) {
    char buffer[128];
    const size_t length = std::strftime(buffer, sizeof buffer, format, &when);
    return std::string(buffer, length);
}

// The name without its folder; both separators count, as tapes may come from either system.
std::string_view withoutFolder(std::string_view name) {
    const size_t slash = name.find_last_of("/\\");
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

void replaceFirst(std::string& text, std::string_view placeholder, std::string_view by) {
    const size_t at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, placeholder.size(), by);
}

}  // namespace

DateTexts currentDateTexts() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    DateTexts texts;
    texts.generalDate = formatTime(local, "%x %X");
    texts.shortDate = formatTime(local, "%x");
    texts.mediumDate = formatTime(local, "%d-%b-%y");
    texts.longDate = formatTime(local, "%A, %B %d, %Y");
    texts.shortTime = formatTime(local, "%H:%M");
    texts.mediumTime = formatTime(local, "%I:%M %p");
    texts.longTime = formatTime(local, "%X");
    return texts;
}

// Each placeholder is replaced once, in this order, so a tape name that brings in a later
// placeholder word has that word replaced too.
std::string expandPlaceholders(std::string text, int page, std::string_view tapeName,
                               const DateTexts& now) {
    const std::string_view bare = withoutFolder(tapeName);
    const std::string_view stem = bare.substr(0, bare.find('.'));
    replaceFirst(text, "$page", std::to_string(page));
    replaceFirst(text, "$tape", tapeName);
    replaceFirst(text, "$mtape", bare);
    replaceFirst(text, "$stape", stem);
    replaceFirst(text, "$now", now.generalDate);
    replaceFirst(text, "$date", now.shortDate);
    replaceFirst(text, "$sdate", now.shortDate);
    replaceFirst(text, "$mdate", now.mediumDate);
    replaceFirst(text, "$ldate", now.longDate);
    replaceFirst(text, "$time", now.shortTime);
    replaceFirst(text, "$stime", now.shortTime);
    replaceFirst(text, "$mtime", now.mediumTime);
    replaceFirst(text, "$ltime", now.longTime);
    return text;
}

}  // namespace talvex
