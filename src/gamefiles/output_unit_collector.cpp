#include "gamefiles/output_unit_collector.h"

#include "daedalus/parser.h"

#include <algorithm>

namespace redewerk {
namespace {

// The line number of a position. The scan moves forward, so the count goes on from the
// position asked for last.
class TLineCounter {
public:
    explicit TLineCounter(std::string_view text) : Text(text) {}

    int32_t LineOf(int32_t position) {
        const size_t offset = std::min(static_cast<size_t>(std::max(position - 1, 0)), Text.size());
        if (offset < Counted) {
            Counted = 0;
            Line = 1;
        }
        Line += static_cast<int32_t>(std::count(Text.begin() + static_cast<long>(Counted),
                                                Text.begin() + static_cast<long>(offset), '\n'));
        Counted = offset;
        return Line;
    }

private:
    std::string_view Text;
    size_t Counted = 0;
    int32_t Line = 1;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The subtitle of a call whose closing parenthesis ends before `offset`: the comment that
// follows the call (and its semicolon) on the same line.
std::string SubtitleAfter(std::string_view text, size_t offset) {
    auto skipBlanks = [&] {
        while (offset < text.size() && IsBlank(text[offset]))
            ++offset;
    };
    skipBlanks();
    if (offset < text.size() && text[offset] == ';') {
        ++offset;
        skipBlanks();
    }
    if (text.substr(offset, 2) != "//") return {};
    offset += 2;
    // The parser's text ends in a NUL, which ends the line as well.
    std::string_view rest = text.substr(offset);
    rest = rest.substr(0, rest.find('\n'));
    rest = rest.substr(0, rest.find('\0'));
    while (!rest.empty() && IsBlank(rest.front()))
        rest.remove_prefix(1);
    while (!rest.empty() && (IsBlank(rest.back()) || rest.back() == '\r'))
        rest.remove_suffix(1);
    return std::string(rest);
}

} // namespace

std::string PlaceText(const std::string& fileName, int32_t line) {
    return fileName + ":" + std::to_string(line);
}

bool TOutputUnitCollector::AddScript(std::string_view text, const std::string& fileName,
                                     std::string& error) {
    TInternalErrorNotice notice(nullptr); // every push-back follows a fresh read
    TParser parser(&notice);
    parser.SetText(text);
    TLineCounter lines(parser.Text);
    std::vector<TCall> calls;
    // Reads the next token; when `accept` refuses it, it is pushed back for the main loop.
    auto next = [&parser](auto accept) {
        parser.NextToken();
        if (accept()) return true;
        parser.UngetToken();
        return false;
    };
    auto op = [&parser](std::string_view what) {
        return [&parser, what] { return parser.IsOp(what); };
    };
    auto ident = [&parser] { return parser.IsIdent(); };
    auto string = [&parser] { return parser.ConstToken.starts_with('"'); };
    try {
        while (true) {
            parser.NextToken();
            if (parser.AtEnd) break;
            if (!parser.IsIdent("AI_OUTPUT")) continue;
            const int32_t line =
                lines.LineOf(parser.Pos - static_cast<int32_t>(parser.IdentToken.size()));
            if (!next(op("(")) || !next(ident) || !next(op(",")) || !next(ident) ||
                !next(op(",")) || !next(string))
                continue;
            const std::string quoted = parser.ConstToken;
            if (!next(op(")"))) continue;
            calls.push_back({{quoted.substr(1, quoted.size() - 2),
                              SubtitleAfter(parser.Text, static_cast<size_t>(parser.Pos - 1))},
                             line});
        }
    } catch (const EParseError& fault) {
        error = PlaceText(fileName, lines.LineOf(parser.Pos)) + ": " + fault.Message();
        return false;
    }
    for (auto& call : calls)
        Take(std::move(call), fileName);
    return true;
}

void TOutputUnitCollector::Take(TCall call, const std::string& fileName) {
    // A line break would end the value in the library, and an empty name finds nothing.
    const std::string& name = call.Unit.Name;
    if (name.empty() || name.find_first_of("\r\n") != std::string::npos) {
        Warned.push_back(PlaceText(fileName, call.Line) +
                         ": Warnung: Der Ausgabename ist leer oder enth\xE4lt einen "
                         "Zeilenumbruch; der Aufruf wird \xFC"
                         "bergangen.");
        return;
    }
    const auto [found, added] = ByKey.emplace(OutputUnitKey(call.Unit.Name), Found.size());
    if (added) {
        Found.push_back(std::move(call.Unit));
        Places.push_back({fileName, call.Line});
        return;
    }
    const size_t first = found->second;
    if (Found[first].Text == call.Unit.Text) return;
    Warned.push_back(PlaceText(fileName, call.Line) + ": Warnung: Der Ausgabename \"" +
                     call.Unit.Name + "\" steht schon in " +
                     PlaceText(Places[first].File, Places[first].Line) +
                     " mit einem anderen Text; es gilt der erste.");
}

} // namespace redewerk
