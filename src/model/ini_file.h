#pragma once

#include "model/text_lines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace redewerk {

// An INI text that is read and changed in place: writing a key replaces just that key's value
// and leaves every other line, key, section and comment as it was. Section and key names are
// compared without regard to ASCII letter case; blanks around names and values are ignored.
class TIniFile {
public:
    TIniFile() = default;
    explicit TIniFile(std::string_view content) { Parse(content); }

    // A UTF-8 byte order mark, as some editors write one, is kept but not read as text.
    void Parse(std::string_view content);
    // The whole text, each line ending in CR LF.
    std::string Text() const { return ByteOrderMark + JoinLines(Lines); }

    // The value of the first such key in the first such section, or nothing.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& fallback) const;
    // Decimal, or hexadecimal after "0x"/"0X" or "$"; anything else gives `fallback`.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
    // Any integer other than 0 is true; a non-number gives `fallback`.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // Whether a value fits on a line of the file: it holds no line feed.
    static bool CanHold(std::string_view value);
    // Replaces the key's value in place; a missing key is added at the end of its section, a
    // missing section at the end of the text. The value reads back as it was written (blanks
    // at its ends and enclosing quotes are kept by quoting it), unless CanHold says no.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    // Written as "1" or "0".
    void WriteBool(std::string_view section, std::string_view key, bool value);

private:
    std::string ByteOrderMark;
    TLines Lines;
};

// Reads an integer as the settings and colours do: optional minus, then decimal digits, or
// hexadecimal digits after "0x", "0X" or "$". False for anything else or an overflow of 32 bits
// (hexadecimal values up to FFFFFFFF are taken as their bit pattern).
bool ParseIniInteger(std::string_view text, int32_t& value);

} // namespace redewerk
