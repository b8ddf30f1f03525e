#pragma once

#include "codegen/output_files.h"

#include <cstdint>
#include <string>
#include <vector>

namespace redewerk {

class TProject;

// A place in a generated file that the game's compiler would refuse: a syntax error, or a
// reference to a block that no longer resolves ("#INVALID...#"). Texts are Windows-1252.
struct TExportFinding {
    std::string File;   // the file's name, e.g. "DIA_Wirt.d"
    int32_t Line = 0;   // 1-based
    int32_t Column = 0; // 1-based, in bytes (a tab counts one)
    std::string Message;
    int32_t Id = -1; // the block whose code holds the line, -1 for lines of no block
    // The block's node path, or "(Variablen)", "(Schleife)" or "(Npc-Liste)".
    std::string Origin;

    bool operator==(const TExportFinding&) const = default;
};

// "FILE:LINE:COLUMN: MESSAGE (Knoten PATH)"; lines of no block end in their origin instead,
// e.g. "(Variablen)".
std::string FormatFinding(const TExportFinding& finding);

// Checks the assembled files of an export before they are written: each file with the syntax
// checker, read as top-level declarations, and every "#INVALID...#" marker outside comments
// and strings. After a syntax error the check goes on with the next block, so every block
// with an error is named, each at its first error. The findings are in file order, then in
// line and column order.
std::vector<TExportFinding> FindExportProblems(const std::vector<TOutputFile>& files,
                                               const TProject& project);

} // namespace redewerk
