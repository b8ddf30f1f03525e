#pragma once

#include "gamefiles/zen_archive.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace redewerk {

// One spoken line as the game looks it up: its output name and its subtitle. The sound file
// is the name followed by ".WAV".
struct TOutputUnit {
    std::string Name; // as the script spells it
    std::string Text; // the subtitle; never holds a line break
};

// One entry of a library: a zCCSBlock with the objects inside it, as lines of the archive.
struct TOutputUnitEntry {
    std::string Key; // the block name in capitals; empty for an object without one
    std::vector<TZenLine> Lines;
    // Values of the library itself that stand between this item and the next: they stay
    // when the item is replaced.
    std::vector<TZenLine> Following;
};

// The output-unit library (OU.csl) that the game reads its subtitles and sounds from: a
// zCCSLib object whose items are the entries. Everything around the entries (the header,
// other objects, the library's own values) is kept as it was read.
struct TOutputUnitLibrary {
    // What the lines point into: the text that was read, and the texts of new entries.
    std::unique_ptr<const std::string> Source;
    TZenTexts Made;

    TLines Header;
    std::vector<TZenLine> Before;          // up to and including the zCCSLib's own values
    std::vector<TOutputUnitEntry> Entries; // its items, in file order
    std::vector<TZenLine> After;           // from the zCCSLib's closing line to the end
    size_t ItemCountLine = 0;              // the index of "NumOfItems" in Before
};

// What a merge did. An entry that already held the same text counts as unchanged.
struct TOutputUnitMerge {
    size_t Added = 0;
    size_t Replaced = 0;
    size_t Unchanged = 0;

    bool operator==(const TOutputUnitMerge&) const = default;
};

// Reads a library; false with `error` (line and message) when the text is no archive that
// ReadZenArchive can read or holds no zCCSLib. A missing "NumOfItems" is added.
bool ReadOutputUnitLibrary(std::string content, TOutputUnitLibrary& library,
                           TZenArchiveError& error);

// An empty library with the header of a new archive.
TOutputUnitLibrary NewOutputUnitLibrary(int64_t seconds, std::string_view user);

// The library as an archive, with "NumOfItems" set to the number of entries.
std::string WriteOutputUnitLibrary(const TOutputUnitLibrary& library);

// The name in capitals, as names are compared: the game finds them without regard to case.
std::string OutputUnitKey(std::string_view name);

// Every entry whose name equals a unit's name (without regard to case) is replaced in place
// by that unit; units without an entry are appended in their order. The units' names must be
// distinct without regard to case.
TOutputUnitMerge MergeOutputUnits(TOutputUnitLibrary& library,
                                  const std::vector<TOutputUnit>& units);

} // namespace redewerk
