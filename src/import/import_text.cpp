#include "import/import_text.h"

#include <algorithm>
#include <vector>

namespace redewerk {
namespace {

bool IsTrimmed(char c) {
    return c == '\t' || c == '\r' || c == '\n' || c == ' ' || c == '\0';
}

// Lines split at CR LF, CR or LF.
std::vector<std::string_view> SplitAnyLineEnd(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

} // namespace

std::string_view TrimImportText(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsTrimmed(text[begin]))
        ++begin;
    while (end > begin && IsTrimmed(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// The number of tabs that all lines after the first begin with, blank lines aside (the first
// line of a trimmed body has no indentation left).
size_t CommonTabs(const std::vector<std::string_view>& lines) {
    size_t common = std::string_view::npos;
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].find_first_not_of(" \t") == std::string_view::npos) continue;
        common = std::min(common, std::min(lines[i].find_first_not_of('\t'), lines[i].size()));
    }
    return common == std::string_view::npos ? 0 : common;
}

std::string Unindent(std::string_view text) {
    const std::vector<std::string_view> lines = SplitAnyLineEnd(text);
    // Where the lines share tabs, all of them go: an option's body comes back from an export
    // two tabs deep and must not keep one of them at every round trip.
    const size_t tabs = CommonTabs(lines);
    size_t width = 0;
    if (lines.size() >= 2) {
        const std::string_view second = lines[1];
        while (width < second.size() && second[width] == ' ')
            ++width;
        if (lines[0].find('{') != std::string_view::npos) width /= 2;
    }
    if (width == 0) width = 4;

    std::string result;
    result.reserve(text.size() + lines.size());
    for (std::string_view line : lines) {
        if (tabs > 0) {
            size_t removed = 0;
            while (removed < tabs && removed < line.size() && line[removed] == '\t')
                ++removed;
            line.remove_prefix(removed);
        } else if (!line.empty()) {
            if (line[0] == '\t') {
                line.remove_prefix(1);
            } else {
                size_t spaces = 0;
                while (spaces < width && spaces < line.size() && line[spaces] == ' ')
                    ++spaces;
                line.remove_prefix(spaces);
                if (!line.empty() && line[0] == '\t') line.remove_prefix(1);
            }
        }
        result += line;
        result += "\r\n";
    }
    return result;
}

std::string RebuildText(const TImpObj& object) {
    std::string text;
    switch (object.ObjType) {
    case TpInt:
        text = "func int " + object.Name + "() {\r\n\t" + object.BodyText + "\r\n};";
        break;
    case TpVoid:
        text = "func void " + object.Name + "() {\r\n\t" + object.BodyText + "\r\n};";
        break;
    case TpCode:
        text = object.BodyText;
        break;
    default:
        text = Unindent(object.BodyText);
        break;
    }
    if (!object.Comment.empty()) text = object.Comment + "\r\n\r\n" + text;
    return text;
}

} // namespace redewerk
