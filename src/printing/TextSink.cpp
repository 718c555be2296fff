#include <algorithm>
#include <cmath>

#include "printing/PrintSink.h"

namespace talvex {

void TextSink::putText(std::string_view text) {
    text_ += text;
}

void TextSink::endLine() {
    text_ += '\n';
    lineStart_ = text_.size();
}

void TextSink::moveToColumn(double column) {
    const auto target = static_cast<size_t>(std::max(0.0, std::round(column)));
    const size_t length = text_.size() - lineStart_;
    if (target > length) text_.append(target - length, ' ');
}

}  // namespace talvex
