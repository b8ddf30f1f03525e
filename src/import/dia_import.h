#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace redewerk {

class TFileSystem;
class TImportProgress;
class TNode;
class TProject;
class TPrompter;

// Where the content of a ".dia" file goes; the numbers are the items of the import dialog's
// radio group.
enum class TDiaImportMode {
    ReplaceProject = 0, // clear the project first
    Append = 1,         // NPC folders in the top row
    IntoSelected = 2,   // NPC folders below the selected node
};

// What a ".dia" import did, for the command that started it: the import dialog keeps the
// option that was used and unfolds the new blocks, the command line counts them.
struct TDiaImportResult {
    // False when the file could not be read; the project is then unchanged.
    bool Imported = false;
    // The mode that was used: IntoSelected without a selected node falls back to Append.
    // When nothing was imported, the mode that was asked for.
    TDiaImportMode Mode = TDiaImportMode::Append;
    // The blocks created, in tree order.
    std::vector<TNode*> Blocks;
    // The node to expand with all its descendants; nullptr means the whole tree.
    TNode* ExpandNode = nullptr;
};

// Imports a Quarn Dialog Creator file (Windows-1252 text, CR LF or LF line ends) into the
// project. A file that does not exist shows "Die angegebene Datei existiert nicht!" and
// changes nothing. Progress goes from 0 to 500 while reading and to 1000 while converting
// the references, when `progress` is given.
TDiaImportResult ImportDiaFile(TProject& project, const std::string& path, TDiaImportMode mode,
                               TFileSystem& files, TPrompter& prompter,
                               TImportProgress* progress = nullptr);

// The same for a file's content.
TDiaImportResult ImportDiaText(TProject& project, std::string_view content, TDiaImportMode mode,
                               TPrompter& prompter, TImportProgress* progress = nullptr);

} // namespace redewerk
