#include "daedalus/highlighter.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace redewerk {
namespace {

// Appended to the text so that every scanning loop (to the closing quote, to the closing
// "#", to "*/", to the line feed, to the NUL) stops inside the buffer without length tests.
constexpr char kSentinel[] = {' ', '*', '/', '"', '#', '\r', '\n', '\0'};
constexpr size_t kSentinelLength = sizeof(kSentinel);

enum : uint8_t { kWordStart = 1, kWordPart = 2, kBlank = 4, kDigitOrPoint = 8, kEscaped = 16 };

constexpr std::array<uint8_t, 256> MakeClasses() {
    std::array<uint8_t, 256> table{};
    for (int c = 'a'; c <= 'z'; ++c)
        table[c] |= kWordStart | kWordPart;
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] |= kWordStart | kWordPart;
    for (unsigned char c : {0xE4, 0xF6, 0xFC, 0xDF, 0xC4, 0xD6, 0xDC})
        table[c] |= kWordStart | kWordPart;
    for (int c = '0'; c <= '9'; ++c)
        table[c] |= kWordPart | kDigitOrPoint;
    table['_'] |= kWordPart;
    table['.'] |= kDigitOrPoint;
    for (unsigned char c : {' ', '\t', '\r', '\n'})
        table[c] |= kBlank;
    for (unsigned char c : {'\\', '{', '}', '\r', '\n'})
        table[c] |= kEscaped;
    return table;
}

constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

inline bool Is(char c, uint8_t classes) {
    return (kClasses[static_cast<unsigned char>(c)] & classes) != 0;
}

// A word the highlighter colours specially, upper-cased, and its colour class.
struct TKeyword {
    std::string_view Word;
    int Class;
};

// The keyword table, grouped by length so that a lookup compares only words of its length.
constexpr TKeyword kKeywords[] = {
    // 2
    {"NR", clC_INFO},
    {"ID", clC_NPC},
    {"IF", clTypes},
    // 3
    {"NPC", clC_INFO},
    {"INT", clTypes},
    {"VAR", clTypes},
    // 4
    {"NAME", clC_NPC},
    {"ENDE", clClasses},
    {"SELF", clClasses},
    {"HERO", clClasses},
    {"ELSE", clTypes},
    {"FUNC", clTypes},
    {"VOID", clTypes},
    // 5
    {"TRADE", clC_INFO},
    {"GUILD", clC_NPC},
    {"LEVEL", clC_NPC},
    {"VOICE", clC_NPC},
    {"OTHER", clClasses},
    {"CLASS", clClasses},
    {"C_NPC", clClasses},
    {"CONST", clTypes},
    {"FLOAT", clTypes},
    {"WHILE", clTypes},
    // 6
    {"C_INFO", clClasses},
    {"C_ITEM", clClasses},
    {"RETURN", clTypes},
    {"STRING", clTypes},
    // 7
    {"NPCTYPE", clC_NPC},
    // 8
    {"INSTANCE", clTypes},
    // 9
    {"CONDITION", clC_INFO},
    {"IMPORTANT", clC_INFO},
    {"PERMANENT", clC_INFO},
    {"ATTRIBUTE", clC_NPC},
    {"PROTOTYPE", clTypes},
    // 11
    {"DESCRIPTION", clC_INFO},
    {"INFORMATION", clC_INFO},
    // 12
    {"FIGHT_TACTIC", clC_NPC}};

constexpr size_t kLongestKeyword = 12;

// The index range in kKeywords of the words of each length.
struct TKeywordRange {
    uint8_t First = 0;
    uint8_t Count = 0;
};

constexpr std::array<TKeywordRange, kLongestKeyword + 1> MakeRanges() {
    std::array<TKeywordRange, kLongestKeyword + 1> ranges{};
    for (size_t i = 0; i < std::size(kKeywords); ++i) {
        TKeywordRange& range = ranges[kKeywords[i].Word.size()];
        if (range.Count == 0) range.First = static_cast<uint8_t>(i);
        ++range.Count;
    }
    return ranges;
}

constexpr std::array<TKeywordRange, kLongestKeyword + 1> kKeywordRanges = MakeRanges();

std::string ColourTable(const TColourTable& colours, const TColourResolver& resolve) {
    std::string table = "{\\colortbl ";
    for (TColour colour : colours) {
        if (IsSystemColour(colour)) colour = resolve ? resolve(colour) : 0;
        table += ";\\red" + std::to_string(ColourRed(colour)) + "\\green" +
                 std::to_string(ColourGreen(colour)) + "\\blue" +
                 std::to_string(ColourBlue(colour));
    }
    table += ";}";
    return table;
}

} // namespace

int THighlighter::KeywordClass(std::string_view word) {
    if (word.size() < 2 || word.size() > kLongestKeyword) return clDef;
    char upper[kLongestKeyword];
    for (size_t i = 0; i < word.size(); ++i) {
        const char c = word[i];
        upper[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
    }
    const std::string_view key(upper, word.size());
    const TKeywordRange range = kKeywordRanges[word.size()];
    for (int i = range.First; i < range.First + range.Count; ++i)
        if (kKeywords[i].Word == key) return kKeywords[i].Class;
    return clDef;
}

int32_t THighlighter::FirstDifference(std::string_view a, std::string_view b) {
    if (a == b) return -1;
    const size_t shorter = std::min(a.size(), b.size());
    const auto mismatch = std::mismatch(a.begin(), a.begin() + shorter, b.begin());
    return static_cast<int32_t>(mismatch.first - a.begin());
}

void THighlighter::Reserve(size_t extra) {
    if (RtfUsed + extra > RtfBuffer.size())
        RtfBuffer.resize(RtfUsed + extra + 2 * RtfBuffer.size());
}

void THighlighter::Append(std::string_view bytes) {
    Reserve(bytes.size());
    std::memcpy(RtfBuffer.data() + RtfUsed, bytes.data(), bytes.size());
    RtfUsed += bytes.size();
}

void THighlighter::AppendNumber(int value) {
    char digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    Reserve(static_cast<size_t>(count));
    while (count > 0)
        RtfBuffer[RtfUsed++] = digits[--count];
}

// "\cf" + (class + 1) + " " + the text from `from` to `to`, with backslashes and braces
// escaped and every CR LF written as "\par" CR LF. A line feed without its CR is written as
// "\par" LF: RTF readers skip bare line breaks, so the lines would otherwise run together.
void THighlighter::WriteRun(int runClass, size_t from, size_t to) {
    Append("\\cf");
    AppendNumber(runClass + 1);
    Append(" ");
    if (to <= from) return;
    RunList.push_back({static_cast<int32_t>(from), static_cast<int32_t>(to - from), runClass});

    const char* in = Source.data() + from;
    const char* const end = Source.data() + to;
    while (in < end) {
        const char* plain = in;
        while (plain < end && !Is(*plain, kEscaped))
            ++plain;
        const size_t plainLength = static_cast<size_t>(plain - in);
        Reserve(plainLength + 6); // the plain bytes and the longest escape, "\par" CR LF
        char* out = RtfBuffer.data() + RtfUsed;
        std::memcpy(out, in, plainLength);
        out += plainLength;
        in = plain;
        if (in < end) {
            const char c = *in++;
            if (c == '\r' && in < end && *in == '\n') {
                std::memcpy(out, "\\par\r\n", 6);
                out += 6;
                ++in;
            } else if (c == '\r') {
                *out++ = '\r';
            } else if (c == '\n') {
                std::memcpy(out, "\\par\n", 5);
                out += 5;
            } else {
                *out++ = '\\';
                *out++ = c;
            }
        }
        RtfUsed = static_cast<size_t>(out - RtfBuffer.data());
    }
}

// Runs of one class are merged: a run is written only when the class changes, and the blanks
// before a token belong to the run before it.
void THighlighter::SetRunClass(int runClass) {
    if (runClass == RunClass) return;
    if (RunClass != kNone) {
        WriteRun(RunClass, RunStart, std::min(TokenStart, SourceLength));
        RunStart = TokenStart;
    }
    RunClass = runClass;
}

void THighlighter::Highlight(std::string_view text, const TColourTable& colours,
                             const TColourResolver& resolve) {
    RunClass = kNone;
    Source.assign(text);
    Source.append(kSentinel, kSentinelLength);
    SourceLength = text.size();
    TokenStart = ScanPos = RunStart = 0;
    RunList.clear();

    const std::string header = "{\\rtf1 " + ColourTable(colours, resolve) + "\\ulnone \\b0 \\i0 ";
    RtfUsed = 0;
    Reserve(header.size() + 3 * text.size() + 10);
    Append(header);

    const char* const s = Source.data();
    // The scan runs to the end of the text, not to the first NUL: the document replaces the
    // editor's content, so a NUL in the text is coloured as a delimiter and what follows it
    // is kept. The sentinel still ends every inner loop.
    while (ScanPos < SourceLength) {
        while (Is(s[ScanPos], kBlank))
            ++ScanPos;
        TokenStart = ScanPos;
        const char c = s[ScanPos++];
        int tokenClass = clDelimiter;
        if (Is(c, kWordStart)) {
            // A point ends a word: "self.aivar" is SELF, "." and AIVAR.
            while (Is(s[ScanPos], kWordPart))
                ++ScanPos;
            tokenClass = KeywordClass(std::string_view(s + TokenStart, ScanPos - TokenStart));
        } else if (c == '"' || c == '#') {
            // Up to and including the next equal byte, across line ends.
            const void* close = std::memchr(s + ScanPos, c, Source.size() - ScanPos);
            ScanPos = static_cast<size_t>(static_cast<const char*>(close) - s) + 1;
            tokenClass = clStrings;
        } else if (Is(c, kDigitOrPoint) && c != '.') {
            while (Is(s[ScanPos], kDigitOrPoint))
                ++ScanPos;
            tokenClass = clConst;
        } else if (c == '/' && s[ScanPos] == '/') {
            ScanPos = static_cast<size_t>(
                static_cast<const char*>(std::memchr(s + ScanPos, '\n', Source.size() - ScanPos)) -
                s);
            tokenClass = clComment;
        } else if (c == '/' && s[ScanPos] == '*') {
            // The search starts after the "*" of the opening, so "/*/" does not close.
            ScanPos = std::string_view(Source).find("*/", ScanPos + 1) + 2;
            tokenClass = clComment;
        } else if ((c == '>' || c == '<') && s[ScanPos] == c) {
            // A speaker line, wherever the pair stands outside strings and comments.
            ScanPos = static_cast<size_t>(
                static_cast<const char*>(std::memchr(s + ScanPos, '\n', Source.size() - ScanPos)) -
                s);
            tokenClass = c == '>' ? clDiaHero : clDiaNpc;
        }
        SetRunClass(tokenClass);
    }
    TokenStart = ScanPos;
    SetRunClass(kNone);

    Append("\\par\r\n}");
}

} // namespace redewerk
