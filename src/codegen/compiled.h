#pragma once

#include "codegen/export_options.h"
#include "model/text_lines.h"

#include <string>
#include <vector>

namespace redewerk {

struct TElement;
class TPrompter;

// The state of one export: the options chosen in the export dialog and the compiled texts,
// grouped by the file they go to. Reset at the start of every export.
struct TCompiled : TExportOptions {
    // The user answered an overwrite question with yes-to-all during this export.
    bool OverwriteAll = false;
    // Dialogs and Choices, and Code blocks when CodeAsDialog.
    std::vector<TLines> DialogTexts;
    // Events without Important, and Code blocks unless CodeAsDialog.
    std::vector<TLines> EventTexts;
    // Events with Important: they run inside the project's loop function.
    std::vector<TLines> LoopEventTexts;
    // "var int Bekannt_" + instance name + ";" for every block that needs the variable.
    TLines KnownDeclarations;

    // Empties the three groups and the declarations; the options stay.
    void Reset();
};

// Puts a block's compiled lines into the group of its kind. Any other kind shows
// "Exporter: Interner Error: Ungültiges Element".
void SortCompiled(TCompiled& compiled, const TElement& element, TLines lines, TPrompter& prompter);

} // namespace redewerk
