#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace redewerk {

using TLines = std::vector<std::string>;

// Splits a text into lines at CR LF or LF (a lone CR stays in its line). A final line
// break does not start another line, so "a\r\nb\r\n" gives two lines.
TLines SplitLines(std::string_view text);

// Each line followed by CR LF, as the program writes every text file.
std::string JoinLines(const TLines& lines);

// A 1-based line and column in a text.
struct TTextPlace {
    int Line = 1;
    int Column = 1;
};

// The place of a 0-based byte offset (at most the end of the text). A line ends at its LF,
// so the CR of a CR LF still belongs to the line it ends.
TTextPlace PlaceInText(std::string_view text, size_t offset);

} // namespace redewerk
