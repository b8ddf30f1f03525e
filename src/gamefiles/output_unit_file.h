#pragma once

#include "gamefiles/output_units.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace redewerk {

class TFileSystem;
class TPrompter;

// Which library is written, and from what.
struct TOutputUnitTarget {
    std::string Path; // the library to write (a native file name)
    std::string Into; // the library to merge into (may be Path); empty for a new library
    // Dates a new library, in seconds since 1.1.1970 UTC: the time of the newest input, so
    // that the same input gives the same file. A merged library keeps its date and user.
    int64_t NewLibraryTime = 0;
};

// What updating a library did.
struct TOutputUnitReport {
    bool Written = false;
    std::string Error;                 // why nothing was written (Windows-1252); empty when written
    std::vector<std::string> Warnings; // names with two texts, unusable names
    TOutputUnitMerge Merge;
    // A compiled library beside the written one ("OU.bin" beside "OU.csl"), which the game
    // reads instead as long as it exists; empty when there is none.
    std::string CompiledTwin;
};

// A script's text (Windows-1252) and the name messages give it.
struct TNamedScript {
    std::string Name;
    std::string_view Text;
};

// Collects the spoken lines of the scripts, merges them into the library `target.Into` (or
// into a new one) and writes the result atomically to `target.Path`. Nothing is written when
// a script cannot be scanned or the library cannot be read; Error then says why, with the
// file and line.
TOutputUnitReport UpdateOutputUnits(TFileSystem& files, const std::vector<TNamedScript>& scripts,
                                    const TOutputUnitTarget& target);

// The same for script files: they are read as Daedalus scripts (UTF-8 turned into
// Windows-1252, with a warning through `prompter` when characters are lost), and a new
// library is dated with the newest script's time.
TOutputUnitReport UpdateOutputUnitsFromFiles(TFileSystem& files, TPrompter& prompter,
                                             const std::vector<std::string>& scripts,
                                             const std::string& path, const std::string& into);

// The latest modification time of the files that have one; 0 when none has.
int64_t NewestModificationTime(TFileSystem& files, const std::vector<std::string>& paths);

// "Ausgabeeinheiten: 2 hinzugefügt, 1 ersetzt, 17 unverändert."
std::string OutputUnitSummary(const TOutputUnitMerge& merge);

// The reminder that the compiled library must go before the game reads the new one.
std::string CompiledTwinReminder(const std::string& twin);

// For the window after an update: the warnings in one message (the first 20 of them), and
// when a compiled library lies beside the written one, the counts, the reminder and the
// question whether to delete it now.
void ShowOutputUnitReport(const TOutputUnitReport& report, TFileSystem& files, TPrompter& prompter);

} // namespace redewerk
