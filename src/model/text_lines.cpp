#include "model/text_lines.h"

#include <algorithm>

namespace redewerk {

TLines SplitLines(std::string_view text) {
    TLines lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        size_t stop = (end > start && text[end - 1] == '\r') ? end - 1 : end;
        lines.emplace_back(text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

std::string JoinLines(const TLines& lines) {
    size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

TTextPlace PlaceInText(std::string_view text, size_t offset) {
    TTextPlace place;
    size_t lineStart = 0;
    const size_t end = std::min(offset, text.size());
    for (size_t i = 0; i < end; ++i)
        if (text[i] == '\n') {
            ++place.Line;
            lineStart = i + 1;
        }
    place.Column = static_cast<int>(end - lineStart) + 1;
    return place;
}

} // namespace redewerk
