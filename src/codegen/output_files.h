#pragma once

#include "codegen/compiled.h"
#include "model/text_lines.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace redewerk {

class TNpcList;
class TProject;

// What made a stretch of an output file: a block, or one of the parts that belong to no block.
enum class TLineSource {
    Block,     // a block's compiled code or its known-variable declaration
    Variables, // the project's variables and macros, with the separator after them
    Loop,      // the frame of the loop function around the important Events
    NpcTable,  // the NPC globals made from the NPC table
};

// Consecutive lines of an output file that came from one source.
struct TOutputPiece {
    size_t Offset = 0; // where its first line starts in the file's content
    int32_t Line = 1;  // the 1-based number of its first line
    TLineSource Source = TLineSource::Block;
    int32_t Id = -1; // the block, for TLineSource::Block
    // It stands inside a function body: an important Event, or the end of the loop function
    // around them. Everything else stands at the top level of the file.
    bool InFunction = false;
};

// One file of an export, built whole in memory before it is written: its content and, for the
// checks that follow, the source of every line. The pieces are recorded as the content is
// appended, so a line is traced to its block without reading the text again.
struct TOutputFile {
    std::string Path;    // the full, native file name
    std::string Name;    // the file name the user sees, e.g. "DIA_Wirt.d" (Windows-1252)
    std::string Content; // every line followed by CR LF
    std::vector<TOutputPiece> Pieces;
    int32_t Lines = 0;

    // Appends the lines as one piece. Empty lists add no piece.
    void Append(const TLines& lines, TLineSource source, int32_t id = -1, bool inFunction = false);
};

// The files of one export in the order they are written, and which file receives which part.
// The combined layout uses one file for several parts; Npcs is Files.size() when no NPC
// globals are written.
struct TOutputLayout {
    std::vector<TOutputFile> Files;
    size_t Dialogs = 0;
    size_t Events = 0;
    size_t Variables = 0;
    size_t Npcs = 0;
};

// The files the options of `compiled` ask for, named after its project name, in the folder
// `base`; their contents are still empty.
TOutputLayout PlanOutputFiles(const TCompiled& compiled, const std::filesystem::path& base);

// Fills the planned files: the variables and macros with the separator, the NPC globals, the
// known-variable declarations, the events, the loop function with the important Events, and
// the dialogs, each into its file. Run CompileAll first.
void FillOutputFiles(TOutputLayout& layout, const TProject& project, const TCompiled& compiled);

// The "NPCS_" file: one global C_NPC per entry of the NPC table but the hero, and the function
// INIT_NpcGlobals_ + project name that fills them.
TLines NpcGlobalsBlock(const TNpcList& npcs, const std::string& projectName);

} // namespace redewerk
