#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace redewerk {

// Texts inside the program are Windows-1252 bytes, as in the files on disk. These helpers are
// the one place that maps them to Unicode and back; every one of the 256 bytes round-trips
// (the five bytes that Windows-1252 leaves unassigned map to the C1 controls U+0081 ...).

// The Unicode code point of a Windows-1252 byte.
char32_t Cp1252ToUnicode(unsigned char byte);

// The Windows-1252 byte for a code point; false when it has none.
bool UnicodeToCp1252(char32_t codePoint, unsigned char& byte);

std::string Cp1252ToUtf8(std::string_view text);
// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t codePoint);

// Converts UTF-8 to Windows-1252. Characters without a Windows-1252 form become '?';
// `lossy` (when given) tells whether that happened. Invalid UTF-8 sequences are taken
// byte by byte as Windows-1252.
std::string Utf8ToCp1252(std::string_view text, bool* lossy = nullptr);

// True when the text is valid UTF-8 and contains at least one multi-byte character.
bool LooksLikeUtf8(std::string_view text);

// Upper-casing of the Windows-1252 letters (a-z, the accented letters, ä ö ü; ß and ÿ stay
// as they are, ÿ maps to Ÿ). Used where names are compared without regard to case.
char UpperCase1252(char c);
std::string UpperCase1252(std::string_view text);
bool EqualsNoCase1252(std::string_view a, std::string_view b);

// Upper-casing of the ASCII letters only, as the lexer and the search do.
char UpperCaseAscii(char c);
std::string UpperCaseAscii(std::string_view text);
// Compares without regard to ASCII letter case, as settings keys and colour names are.
bool EqualsNoCaseAscii(std::string_view a, std::string_view b);
// A hash that does not tell ASCII letter case, for names that the lexer reads upper-cased.
uint64_t HashNoCaseAscii(std::string_view text);

} // namespace redewerk
