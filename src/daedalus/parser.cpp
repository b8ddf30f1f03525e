#include "daedalus/parser.h"

#include "model/prompter.h"

#include <algorithm>
#include <cstring>

namespace redewerk {

const char* const kInternalParserError =
    "Parser: Internal Error. You should report this and give Orsolo the Code that caused the "
    "problem, whether or not it's syntactically correct. Thx!";

void TInternalErrorNotice::Report() {
    if (Shown) return;
    Shown = true;
    if (Prompter) Prompter->ShowMessage(kInternalParserError);
}

void TParser::Fail(std::string message) {
    throw EParseError(std::move(message));
}

void TParser::SetText(std::string_view s) {
    // Room for the NUL first: appending it to a full buffer would copy the whole text again.
    Text.clear();
    Text.reserve(s.size() + 1);
    Text.append(s);
    Text.push_back('\0');
    Pos = 1;
    TokenStart = 1;
    SkipCache = -1;
    TokenPushedBack = false;
    StateStack.clear();
}

int32_t TParser::FindFrom(std::string_view what, int32_t from) const {
    if (from < 1) from = 1;
    if (from > static_cast<int32_t>(Text.size())) return 0;
    size_t found;
    if (what.size() == 1) {
        const char* start = Text.data() + (from - 1);
        const void* hit = std::memchr(start, what[0], Text.size() - static_cast<size_t>(from - 1));
        if (!hit) return 0;
        found = static_cast<size_t>(static_cast<const char*>(hit) - Text.data());
    } else {
        found = std::string_view(Text).find(what, static_cast<size_t>(from - 1));
        if (found == std::string_view::npos) return 0;
    }
    return static_cast<int32_t>(found) + 1;
}

int32_t TParser::FindFromPos(std::string_view what) const {
    return FindFrom(what, Pos);
}

int32_t TParser::LineEnd() const {
    int32_t found = FindFrom("\n", Pos);
    return found ? found : static_cast<int32_t>(Text.size());
}

void TParser::SkipBlanks() {
    const char* text = Text.data(); // text[Pos - 1] is the byte at Pos
    for (;;) {
        if (Pos == SkipCache) return;
        while (IsBlank(text[Pos - 1]))
            ++Pos;
        // A '/' is never the final NUL, so the byte after it exists.
        if (text[Pos - 1] == '/' && text[Pos] == '*') {
            Pos += 2;
            int32_t close = FindFromPos("*/");
            Pos = close ? close + 2 : static_cast<int32_t>(Text.size());
        } else if (text[Pos - 1] == '/' && text[Pos] == '/') {
            int32_t lineFeed = FindFromPos("\n");
            Pos = lineFeed ? lineFeed : static_cast<int32_t>(Text.size());
        } else {
            SkipCache = Pos;
            return;
        }
    }
}

void TParser::NextToken() {
    if (TokenPushedBack) {
        TokenPushedBack = false;
        return;
    }
    TokenStart = Pos;
    ConstToken.clear();
    OpToken.clear();
    IdentToken.clear();
    AtEnd = false;
    SkipBlanks();

    const char c = At(Pos);
    const uint8_t classes = lexchars::kTable[static_cast<unsigned char>(c)];
    if (c == '"' || (classes & lexchars::kDigit)) {
        ConstToken.assign(ReadConstant());
    } else if (c == '#' || (classes & lexchars::kLetter)) {
        IdentToken.assign(ReadIdentifier());
        for (char& letter : IdentToken)
            if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - ('a' - 'A'));
    } else if (c == '\0') {
        AtEnd = true;
    } else if (c >= 0x21 && c <= 0x7E && !(classes & lexchars::kRefused)) {
        OpToken.assign(ReadOperator());
    } else {
        Fail(std::string("Ung\xFCltiges Zeichen: ") + c);
    }
}

void TParser::UngetToken() {
    if (TokenPushedBack && Notice) Notice->Report();
    TokenPushedBack = true;
}

std::string_view TParser::ReadIdentifier() {
    SkipBlanks();
    const char* text = Text.data();
    const int32_t start = Pos;
    for (;;) {
        const char c = text[Pos - 1];
        ++Pos;
        if (c == '#') {
            // A block reference "#...#" belongs to the identifier, whatever it holds.
            int32_t close = FindFromPos("#");
            if (!close) Fail("Nicht geschlossenes \"#\"-Statement");
            Pos = close + 1;
            continue;
        }
        if (c == '_' || IsLetter(c)) continue;
        // Points and digits may continue a name ("self.aivar", "x1") but not start it.
        if ((c == '.' || IsDigit(c)) && Pos - 1 != start) continue;
        break;
    }
    --Pos;
    if (Pos == start) Fail("Identifier erwartet aber keinen gefunden.");
    return std::string_view(text + (start - 1), static_cast<size_t>(Pos - start));
}

std::string_view TParser::ReadOperator() {
    SkipBlanks();
    const char* text = Text.data();
    const int32_t start = Pos;
    while (IsOperatorChar(text[Pos - 1]))
        ++Pos;
    if (Pos == start && IsBracketChar(text[Pos - 1])) ++Pos;

    std::string_view s(text + (start - 1), static_cast<size_t>(Pos - start));
    if (s.size() >= 2 && s[1] == '=')
        s = s.substr(0, 2); // "==", "<=", "+=" ...; "===" gives "=="
    else if (!s.empty() && s[0] == '=')
        s = s.substr(0, 1); // "=-" gives "=" and then "-"
    if (s.size() > 2) {
        // A comment glued to an operator ends it: "+//" gives "+". The blanks were skipped
        // before, so the comment never starts at the first byte.
        size_t cut = std::min(s.find("/*"), s.find("//"));
        if (cut != std::string_view::npos && cut > 0) s = s.substr(0, cut);
    }
    Pos = start + static_cast<int32_t>(s.size());
    if (s.empty()) Fail("Operator oder Klammer erwartet aber keinen gefunden.");
    return s;
}

std::string_view TParser::ReadConstant() {
    SkipBlanks();
    const char* text = Text.data();
    const int32_t start = Pos;
    if (text[Pos - 1] != '"') {
        while (IsDigit(text[Pos - 1]))
            ++Pos;
        if (Pos == start) Fail("Konstante erwartet, aber keine Zahl gefunden.");
        if (text[Pos - 1] == '.') {
            ++Pos;
            while (IsDigit(text[Pos - 1]))
                ++Pos;
        }
        // A float may carry an exponent ("5.99999991e-002", "1e3"), as the game's compiler
        // reads it; an "e" not followed by digits starts the next token.
        if (text[Pos - 1] == 'e' || text[Pos - 1] == 'E') {
            int32_t digits = Pos + 1;
            if (text[digits - 1] == '+' || text[digits - 1] == '-') ++digits;
            if (IsDigit(text[digits - 1])) {
                Pos = digits;
                while (IsDigit(text[Pos - 1]))
                    ++Pos;
            }
        }
    } else {
        // No escape character: the literal ends at the next double quote, on whatever line.
        ++Pos;
        int32_t close = FindFromPos("\"");
        if (!close) {
            Pos = start;
            Fail("Ung\xFCltiges (nicht endendes) String-Literal.");
        }
        Pos = close + 1;
    }
    return std::string_view(text + (start - 1), static_cast<size_t>(Pos - start));
}

} // namespace redewerk
