#include "model/ini_file.h"

#include "model/cp1252.h"

#include <cstddef>

namespace redewerk {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The name of the section that the line opens, or nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
    line = Trim(line);
    return !line.empty() && (line.front() == ';' || line.front() == '#');
}

// Splits "key=value"; false for a line without "=" or a comment.
bool SplitKey(std::string_view line, std::string_view& key, std::string_view& value) {
    if (IsComment(line)) return false;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    key = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return true;
}

// The span of a section's lines: its header line and the first line after it.
struct TSectionSpan {
    size_t Header;
    size_t End;
};

std::optional<TSectionSpan> FindSection(const TLines& lines, std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        auto name = SectionName(lines[i]);
        if (!name || !EqualsNoCaseAscii(*name, section)) continue;
        size_t end = i + 1;
        while (end < lines.size() && !SectionName(lines[end]))
            ++end;
        return TSectionSpan{i, end};
    }
    return std::nullopt;
}

} // namespace

bool ParseIniInteger(std::string_view text, int32_t& value) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() && text[0] == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    uint64_t magnitude = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    if (base == 10 && magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return false;
    const auto bits = static_cast<uint32_t>(magnitude);
    value = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
}

void TIniFile::Parse(std::string_view content) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    ByteOrderMark.clear();
    if (content.starts_with(kBom)) {
        ByteOrderMark = kBom;
        content.remove_prefix(kBom.size());
    }
    Lines = SplitLines(content);
}

std::optional<std::string> TIniFile::Read(std::string_view section, std::string_view key) const {
    const auto span = FindSection(Lines, section);
    if (!span) return std::nullopt;
    for (size_t i = span->Header + 1; i < span->End; ++i) {
        std::string_view name, value;
        if (SplitKey(Lines[i], name, value) && EqualsNoCaseAscii(name, key)) {
            // A value in double quotes is taken without them.
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            return std::string(value);
        }
    }
    return std::nullopt;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 const std::string& fallback) const {
    return Read(section, key).value_or(fallback);
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                              int32_t fallback) const {
    const auto text = Read(section, key);
    int32_t value = 0;
    return text && ParseIniInteger(*text, value) ? value : fallback;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool TIniFile::CanHold(std::string_view value) {
    return value.find('\n') == std::string_view::npos;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    // Reading drops blanks at either end and one pair of enclosing quotes: a value that would
    // lose either goes in quotes.
    const bool quoted =
        !value.empty() && (Trim(value).size() != value.size() ||
                           (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    const std::string line =
        std::string(key) + '=' + (quoted ? '"' + std::string(value) + '"' : std::string(value));
    const auto span = FindSection(Lines, section);
    if (!span) {
        if (!Lines.empty() && !Trim(Lines.back()).empty()) Lines.emplace_back();
        Lines.push_back('[' + std::string(section) + ']');
        Lines.push_back(line);
        return;
    }
    size_t insertAt = span->Header + 1;
    for (size_t i = span->Header + 1; i < span->End; ++i) {
        std::string_view name, old;
        if (SplitKey(Lines[i], name, old) && EqualsNoCaseAscii(name, key)) {
            Lines[i] = line;
            return;
        }
        if (!Trim(Lines[i]).empty()) insertAt = i + 1; // after the section's last entry
    }
    Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

} // namespace redewerk
