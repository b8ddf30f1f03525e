#pragma once

#include "model/text_lines.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace redewerk {

// What a line of an archive's object section is.
enum class TZenLineKind : uint8_t {
    Open,     // "[name class version index]": an object begins
    Close,    // "[]": the innermost open object ends
    Property, // "key=type:value"
};

// One line of the object section, without its indentation. The nesting follows from the
// Open and Close lines, so indentation and object indices are made anew when written.
//
// A library holds some 250,000 lines: they point into the text that was read (or into a
// TZenTexts) instead of holding copies, which keeps reading and writing one a matter of
// milliseconds.
struct TZenLine {
    TZenLineKind Kind = TZenLineKind::Property;
    // Open: "name class version" without the index; Property: the whole line; Close: empty.
    std::string_view Text;
};

// Texts made for lines, kept at a fixed place for as long as the lines that point to them.
// Moving keeps every text where it is; copying is not allowed, because the copied lines
// would still point into the original.
class TZenTexts {
public:
    TZenTexts() = default;
    TZenTexts(TZenTexts&&) = default;
    TZenTexts& operator=(TZenTexts&&) = default;
    TZenTexts(const TZenTexts&) = delete;
    TZenTexts& operator=(const TZenTexts&) = delete;

    std::string_view Keep(std::string text) { return Texts.emplace_back(std::move(text)); }

private:
    std::deque<std::string> Texts; // a deque never moves its elements when it grows
};

// A ZenGin archive in its text form (ASCII), as the game and its tools write libraries and
// worlds: Windows-1252 text, one value per line.
struct TZenArchive {
    // From "ZenGin Archive" through the END that closes the header (ver, archiver, mode,
    // saveGame, date, user and whatever else a tool wrote), kept as read.
    TLines Header;
    // They point into the text that was read and into Made.
    std::vector<TZenLine> Lines;
    TZenTexts Made;
};

// Where and why an archive could not be read.
struct TZenArchiveError {
    int32_t Line = 0; // 1-based
    std::string Message;
};

// Reads an ASCII archive; its lines point into `content`, which must outlive them. Lines may
// end in LF or CR LF and be indented by tabs or blanks;
// the "objects" count is recomputed on writing and not checked. Archives in the binary
// modes, references between objects ("§" as class) and lines that are none of the three
// kinds are refused with the line.
bool ReadZenArchive(std::string_view content, TZenArchive& archive, TZenArchiveError& error);

// Writes an archive with LF line ends: the header, "objects" with the number of objects, END
// and an empty line, then every line indented by one tab per open object, the objects
// numbered from 0 in file order. The lines may come in several parts.
class TZenWriter {
public:
    // `lines` is about the number of lines to come.
    TZenWriter(const TLines& header, size_t objects, size_t lines);
    void Write(const std::vector<TZenLine>& lines);
    std::string Take() { return std::move(Out); }

private:
    std::string Out;
    size_t Depth = 0;
    size_t Index = 0;
};

// The number of objects the lines open.
size_t CountObjects(const std::vector<TZenLine>& lines);

// The header of a new archive, dated `seconds` after 1.1.1970 UTC.
TLines NewZenArchiveHeader(int64_t seconds, std::string_view user);

// "6.12.2026 09:05:00": day and month without leading zeros, as the game's tools date their
// archives.
std::string ZenArchiveDate(int64_t seconds);

// The key and the value of a property line: "blockName=string:DIA_X" gives "blockName" and
// "DIA_X". A line without "=" gives an empty key.
std::string_view PropertyKey(std::string_view line);
std::string_view PropertyValue(std::string_view line);

} // namespace redewerk
