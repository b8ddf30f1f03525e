#pragma once

#include "codegen/export_options.h"
#include "model/text_lines.h"

#include <cstdint>
#include <string>
#include <vector>

namespace redewerk {

struct TElement;
class TPrompter;

// The compiled lines of one block and the block's id, so that every line of an exported file
// can be traced back to the block it came from.
struct TCompiledText {
    int32_t Id = -1;
    TLines Lines;
};

// The state of one export: the options chosen in the export dialog and the compiled texts,
// grouped by the file they go to. Reset at the start of every export.
struct TCompiled : TExportOptions {
    // The user answered an overwrite question with yes-to-all during this export.
    bool OverwriteAll = false;
    // The file the project was loaded from or saved to (native); its time dates a new
    // output-unit library. Empty for a project without a file.
    std::string ProjectFile;
    // Dialogs and Choices, and Code blocks when CodeAsDialog.
    std::vector<TCompiledText> DialogTexts;
    // Events without Important, and Code blocks unless CodeAsDialog.
    std::vector<TCompiledText> EventTexts;
    // Events with Important: they run inside the project's loop function.
    std::vector<TCompiledText> LoopEventTexts;
    // "var int Bekannt_" + instance name + ";" for every block that needs the variable.
    TLines KnownDeclarations;
    // The id of the block each of the KnownDeclarations belongs to.
    std::vector<int32_t> KnownDeclarationIds;

    // Empties the three groups and the declarations; the options stay.
    void Reset();
};

// Puts a block's compiled lines into the group of its kind. Any other kind shows
// "Exporter: Interner Error: Ungültiges Element".
void SortCompiled(TCompiled& compiled, const TElement& element, TLines lines, TPrompter& prompter);

} // namespace redewerk
