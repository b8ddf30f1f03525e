#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace redewerk {

// Word splitting of the Quarn Dialog Creator's ".dia" lines. Blanks here always mean blanks
// and tabs; nothing else counts as white space in these files.

// Removes leading blanks and tabs.
void StripLeadingBlanks(std::string& text);

// The text without blanks and tabs at either end.
std::string TrimBlanks(std::string_view text);

// Takes the next word off the front of `rest`: leading blanks and tabs are stripped, the word
// runs up to the first blank, tab, ":", ";" or ",", and that delimiter stays at the front of
// `rest`. Without a delimiter the whole remainder is the word and `rest` becomes empty.
std::string TakeWord(std::string& rest);

// Strips leading blanks and tabs and removes `separator` when it comes next. Only the expected
// separator is removed: a line that lacks it keeps its first character.
void SkipSeparator(std::string& rest, char separator);

// Reads a 32-bit decimal integer with an optional sign; false for anything else (including
// an empty word and values out of range).
bool ParseDecimal(std::string_view word, int32_t& value);

// Substring and equality tests without regard to ASCII letter case.
bool ContainsNoCase(std::string_view text, std::string_view part);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

} // namespace redewerk
