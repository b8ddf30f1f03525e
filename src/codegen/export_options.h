#pragma once

#include <string>
#include <string_view>

namespace redewerk {

// What the export dialog asks for. The settings file keeps all of it but CodeAsDialog.
struct TExportOptions {
    std::string ProjectName;       // file names are built from it
    std::string Folder;            // the target folder as typed
    bool SeparateEvents = true;    // "Events in eine gesonderte Datei"
    bool WriteNpcGlobals = false;  // "Npc-Globals Ableger erstellen"
    bool SeparateVariables = true; // "Variablen in eine gesonderte Datei"
    bool CodeAsDialog = false;     // "Code Objekte einordnen wie ... " answered "Dialoge"
    // "Ausgabeeinheiten (OU.csl) aktualisieren": the spoken lines of the written scripts are
    // merged into the library OutputUnitsFile (a native file name).
    bool UpdateOutputUnits = false;
    std::string OutputUnitsFile;
};

// The message the export dialog shows when its OK must be refused, or an empty string: the
// name is empty, or it holds a character that node names may not hold either (it ends up in
// file names and in the names of generated functions).
std::string CheckProjectName(std::string_view projectName);

// The message when the output units are to be updated but no library is named.
inline constexpr const char* kNoOutputUnitsFile =
    "Bitte eine Datei f\xFCr die Ausgabeeinheiten (OU.csl) angeben.";

// What the dialog's "..." button fills in from a file picked in its save dialog.
struct TPickedExportTarget {
    std::string Folder;      // the file's folder with its final separator
    std::string ProjectName; // the file name without a leading "VAR_", "DIA_", "EVT_" or
                             // "DLX_", then without "NPCS_", and without ".d"
};

// Picking "C:\Mod\DIA_Wirt.d" (or "/home/mod/DIA_Wirt.d") gives the folder "C:\Mod\" and the
// name Wirt, so an earlier export can be picked to export over it.
TPickedExportTarget DeriveExportTarget(std::string_view pickedFile);

} // namespace redewerk
