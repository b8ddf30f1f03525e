#include "model/name_markers.h"

#include "model/element.h"
#include "model/markers.h"

#include <algorithm>
#include <array>

namespace redewerk {
namespace {

constexpr std::string_view kExternalSuffix = "()";

bool IsNameChar(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_')
        return true;
    // The German letters in Windows-1252, which count as letters in Daedalus names.
    return u == 0xE4 || u == 0xF6 || u == 0xFC || u == 0xDF || u == 0xC4 || u == 0xD6 || u == 0xDC;
}

bool IsLineBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLineBlanks(std::string_view text) {
    while (!text.empty() && (IsLineBlank(text.front()) || text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() && (IsLineBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The first byte at or after `from` that is neither a blank nor inside a comment; the size of
// the text when there is none. A comment that is not closed runs to the end.
size_t SkipBlanksAndComments(std::string_view text, size_t from) {
    while (from < text.size()) {
        const char c = text[from];
        if (IsLineBlank(c) || c == '\r' || c == '\n' || c == '\f') {
            ++from;
        } else if (text.compare(from, 2, "//") == 0) {
            const size_t end = text.find('\n', from);
            from = end == std::string_view::npos ? text.size() : end + 1;
        } else if (text.compare(from, 2, "/*") == 0) {
            const size_t end = text.find("*/", from + 2);
            from = end == std::string_view::npos ? text.size() : end + 2;
        } else {
            break;
        }
    }
    return from;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string InvalidName(std::string_view name, bool spokenLine) {
    return "Ung\xFCltiger Name " + Quoted(name) + ": nur Buchstaben, Ziffern und \"_\"" +
           (spokenLine ? "." : ", am Anfang keine Ziffer.");
}

// The names of a name line: the block's, then a Dialog's condition and information function.
using TNameList = std::array<std::string_view, 3>;

// Reads a name line's list of names; the message of its fault otherwise.
std::optional<std::string> ParseNameList(std::string_view list, bool dialog, TNameList& parts) {
    parts = {};
    if (!dialog && list.find(',') != std::string_view::npos)
        return "Nur ein Dialog nennt hinter seinem Namen Condition- und Informationsfunktion.";
    size_t count = 0;
    for (size_t start = 0;; ++count) {
        const size_t comma = list.find(',', start);
        if (count == 3)
            return "Zu viele Namen: \"#:Name,Condition,Information#\" ist die l\xE4ngste Form.";
        parts[count] = TrimLineBlanks(list.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            ++count;
            break;
        }
        start = comma + 1;
    }
    for (size_t i = 0; i < count; ++i)
        if ((i == 0 || !parts[i].empty()) && !IsKeepableName(parts[i]))
            return InvalidName(parts[i], false);
    return std::nullopt;
}

// The inner text of a marker that stands alone in `line` (blanks around it aside), or
// nothing.
std::optional<std::string_view> LoneMarker(std::string_view line) {
    line = TrimLineBlanks(line);
    if (line.size() < 3 || !line.starts_with(kNameMarkerOpener) || line.back() != '#')
        return std::nullopt;
    const std::string_view inner = line.substr(2, line.size() - 3);
    if (inner.find('#') != std::string_view::npos) return std::nullopt;
    return inner;
}

// The fault of a marker that stands where markers of its kind may not.
std::string MisplacedMessage(TNamedText where) {
    switch (where) {
    case TNamedText::Code:
        return "Ein Code-Baustein tr\xE4gt keine Namen \"#:...#\".";
    case TNamedText::Condition:
        return "Nur die Condition eines Dialogs kann eine Funktion \"#:Name()#\" nennen.";
    case TNamedText::DialogCondition:
        return "In der Condition steht ein Name nur allein: \"#:Funktion()#\".";
    default:
        return "Ein Name \"#:...#\" steht allein in der ersten Zeile oder direkt vor \">>\" "
               "bzw. \"<<\".";
    }
}

bool IsBody(TNamedText where) {
    return where == TNamedText::Body || where == TNamedText::DialogBody;
}

// The names of a valid name line, or nothing.
std::optional<TNameList> NameLineOf(std::string_view firstLine, int32_t kind) {
    if (kind != ekDialog && kind != ekChoice && kind != ekEvent) return std::nullopt;
    const auto inner = LoneMarker(firstLine);
    if (!inner || inner->ends_with(kExternalSuffix)) return std::nullopt;
    TNameList parts;
    if (ParseNameList(*inner, kind == ekDialog, parts)) return std::nullopt;
    return parts;
}

} // namespace

bool IsKeepableName(std::string_view name, bool spokenLine) {
    if (name.empty() || (!spokenLine && name[0] >= '0' && name[0] <= '9')) return false;
    return std::all_of(name.begin(), name.end(), IsNameChar);
}

std::string_view KeptName(const TLines& body, int32_t kind) {
    if (body.empty()) return {};
    const auto parts = NameLineOf(body.front(), kind);
    return parts ? (*parts)[0] : std::string_view();
}

TBlockNames NamesOf(const TLines& body, int32_t kind) {
    const auto parts = body.empty() ? std::nullopt : NameLineOf(body.front(), kind);
    if (!parts) return {};
    return {std::string((*parts)[0]), std::string((*parts)[1]), std::string((*parts)[2])};
}

bool HasNameLine(const TLines& body, int32_t kind) {
    return !KeptName(body, kind).empty();
}

std::string_view ExternalFunction(const TLines& lines, size_t first) {
    // Walks the lines as one text up to the next byte that is neither a blank nor inside a
    // comment; a line end is a blank, a "/* */" comment may span lines.
    size_t line = first, column = 0;
    bool inComment = false;
    auto skip = [&] {
        while (line < lines.size()) {
            const std::string& text = lines[line];
            if (column >= text.size() || (!inComment && text.compare(column, 2, "//") == 0)) {
                ++line;
                column = 0;
            } else if (inComment) {
                const size_t end = text.find("*/", column);
                column = end == std::string::npos ? text.size() : end + 2;
                inComment = end == std::string::npos;
            } else if (text.compare(column, 2, "/*") == 0) {
                column += 2;
                inComment = true;
            } else if (IsLineBlank(text[column]) || text[column] == '\r' || text[column] == '\f') {
                ++column;
            } else {
                return;
            }
        }
    };
    skip();
    if (line >= lines.size()) return {};
    const std::string& text = lines[line];
    if (text.compare(column, kNameMarkerOpener.size(), kNameMarkerOpener) != 0) return {};
    const size_t close = text.find('#', column + kNameMarkerOpener.size());
    if (close == std::string::npos) return {};
    std::string_view name(text.data() + column + 2, close - column - 2);
    column = close + 1;
    skip();
    if (line < lines.size() || !name.ends_with(kExternalSuffix)) return {};
    name.remove_suffix(kExternalSuffix.size());
    return IsKeepableName(name) ? name : std::string_view();
}

TNamedText NamedBodyOf(int32_t kind) {
    switch (kind) {
    case ekDialog:
        return TNamedText::DialogBody;
    case ekChoice:
    case ekEvent:
        return TNamedText::Body;
    default:
        return TNamedText::Code;
    }
}

TNamedText NamedConditionOf(int32_t kind) {
    return kind == ekDialog ? TNamedText::DialogCondition : TNamedText::Condition;
}

std::optional<TNameMarkerFault>
ForEachNameMarker(std::string_view text, TNamedText where,
                  const std::function<void(const TNameMarker&)>& found) {
    const bool dialog = where == TNamedText::DialogBody || where == TNamedText::DialogCondition;
    const size_t firstLineEnd = std::min(text.find('\n'), text.size());
    // Where the code of a body begins: behind its name line, if it has one.
    size_t codeStart = 0;
    if (IsBody(where) && NameLineOf(text.substr(0, firstLineEnd), dialog ? ekDialog : ekChoice))
        codeStart = firstLineEnd;
    for (size_t from = 0;;) {
        const size_t open = FindReferenceMarker(text, from);
        if (open == std::string_view::npos) return std::nullopt;
        const size_t close = text.find('#', open + 1);
        // An open marker is the lexer's to report.
        if (close == std::string_view::npos) return std::nullopt;
        from = close + 1;
        if (text.compare(open, kNameMarkerOpener.size(), kNameMarkerOpener) != 0) continue;

        TNameMarker marker{open, close + 1 - open, TNameMarkerRole::Block,
                           text.substr(open + 2, close - open - 2)};
        auto fault = [&](std::string message) {
            return std::optional<TNameMarkerFault>(TNameMarkerFault{open, std::move(message)});
        };
        size_t after = close + 1;
        while (after < text.size() && IsLineBlank(text[after]))
            ++after;
        const bool glued = open > 0 && (IsNameChar(text[open - 1]) || text[open - 1] == '#' ||
                                        text[open - 1] == '.');
        const bool external = marker.Name.ends_with(kExternalSuffix);

        if (where == TNamedText::Code || where == TNamedText::Condition)
            return fault(MisplacedMessage(where));
        if (IsBody(where) && !glued && !external &&
            (text.compare(after, 2, ">>") == 0 || text.compare(after, 2, "<<") == 0)) {
            if (!IsKeepableName(marker.Name, true)) return fault(InvalidName(marker.Name, true));
            marker.Role = TNameMarkerRole::SpokenLine;
        } else if (IsBody(where) && close < firstLineEnd &&
                   LoneMarker(text.substr(0, firstLineEnd)) && !external) {
            TNameList names;
            if (auto message = ParseNameList(marker.Name, dialog, names)) return fault(*message);
            marker.Role = TNameMarkerRole::Block;
        } else if (external && where != TNamedText::Body &&
                   SkipBlanksAndComments(text, codeStart) == open &&
                   SkipBlanksAndComments(text, close + 1) == text.size()) {
            marker.Name.remove_suffix(kExternalSuffix.size());
            if (!IsKeepableName(marker.Name)) return fault(InvalidName(marker.Name, false));
            marker.Role = TNameMarkerRole::External;
        } else if (external && where == TNamedText::Body) {
            return fault("Nur ein Dialog kann seine Informationsfunktion woanders haben: "
                         "\"#:Name()#\".");
        } else if (external && where == TNamedText::DialogBody) {
            return fault("Eine Funktion \"#:Name()#\" steht allein im Text, h\xF6"
                         "chstens nach dem Namen des Bausteins.");
        } else {
            return fault(MisplacedMessage(where));
        }
        found(marker);
    }
}

bool MayHoldNameMarker(const TLines& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find(kNameMarkerOpener) != std::string::npos;
    });
}

} // namespace redewerk
