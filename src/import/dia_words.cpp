#include "import/dia_words.h"

#include "model/cp1252.h"

#include <charconv>
#include <utility>

namespace redewerk {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

void StripLeadingBlanks(std::string& text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    text.erase(0, start);
}

std::string TrimBlanks(std::string_view text) {
    size_t start = 0;
    size_t end = text.size();
    while (start < end && IsBlank(text[start]))
        ++start;
    while (end > start && IsBlank(text[end - 1]))
        --end;
    return std::string(text.substr(start, end - start));
}

std::string TakeWord(std::string& rest) {
    StripLeadingBlanks(rest);
    size_t end = rest.find_first_of(" \t:;,");
    if (end == std::string::npos) return std::exchange(rest, std::string());
    std::string word = rest.substr(0, end);
    rest.erase(0, end);
    return word;
}

void SkipSeparator(std::string& rest, char separator) {
    StripLeadingBlanks(rest);
    if (!rest.empty() && rest.front() == separator) rest.erase(0, 1);
}

bool ParseDecimal(std::string_view word, int32_t& value) {
    if (!word.empty() && word.front() == '+') {
        word.remove_prefix(1);
        if (word.empty() || word.front() < '0' || word.front() > '9') return false;
    }
    int32_t parsed = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), parsed);
    if (error != std::errc() || end != word.data() + word.size()) return false;
    value = parsed;
    return true;
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
    return UpperCaseAscii(text).find(UpperCaseAscii(part)) != std::string::npos;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           UpperCaseAscii(text.substr(0, prefix.size())) == UpperCaseAscii(prefix);
}

} // namespace redewerk
