#pragma once

#include "model/colours.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace redewerk {

class TFileSystem;
class TIniFile;
class TPrompter;

// The file name of the settings, looked for in the current folder at start.
inline constexpr const char* kSettingsFileName = "Schaltpult.ini";

// How many projects "Zuletzt geöffnet" remembers.
inline constexpr size_t kRecentProjectCount = 5;

// Everything the program keeps between runs, with the defaults of a first start.
struct TSettings {
    int32_t HighlightDelay = 0; // ms of pause before re-colouring
    int32_t ParserDelay = 300;  // ms of pause before checking
    bool Preview = false;       // "Vorschau"
    bool KeepPreview = false;   // "Vs. Beibehalten"
    bool SyntaxCheck = true;    // "Syntaxüberprüfung"
    bool SeparateVariables = true;
    bool NpcGlobals = false;
    bool SeparateEvents = true;
    bool UpdateOutputUnits = false; // "Ausgabeeinheiten (OU.csl) aktualisieren"
    std::string OutputUnitsFile;    // its library, a native file name
    bool SeparateFolders = true;    // the script import's "Unterordner für jede Datei anlegen"
    // The paths are native file names, as the file system takes them, so that every name
    // the user picked comes back unchanged; the project name is Windows-1252 text.
    std::string OpenPath; // the last loaded project
    std::string SavePath; // the last saved project
    std::string ExportFolder;
    std::string ProjectName;
    // The projects last loaded or saved, the newest first, at most kRecentProjectCount.
    std::vector<std::string> RecentProjects;
    TColourTable Colours = DefaultColours();
    bool Maximised = true;
    int32_t FontSize = 8;

    bool operator==(const TSettings&) const = default;
};

// Reads every key in its order; a missing key keeps its default. A colour that is neither a
// name nor a number shows "'%s' ist kein gültiger Integerwert" and keeps its value; the
// keys after it are still read, so that writing at exit cannot overwrite them with defaults.
TSettings ReadSettings(const TIniFile& ini, TPrompter& prompter);

// Writes every key in place. The four paths are written only when not empty, so that an
// empty value keeps what was stored (as does one that a line of the file cannot hold).
// "Konstanten" is never written.
void WriteSettings(const TSettings& settings, TIniFile& ini);

// Puts `path` at the front of the recent projects, dropping an earlier mention of it and
// whatever falls off the end.
void AddRecentProject(std::vector<std::string>& recent, const std::string& path);

// Where the settings file is: Schaltpult.ini in the current folder when one is there, else in
// the user's configuration folder (without one, the current folder), so that the program
// keeps its settings when it is started from a desktop menu or from a folder it may not
// write to.
std::string SettingsFilePath(const std::string& currentFolder, const std::string& configFolder,
                             TFileSystem& files);

// The file: a missing or unreadable file gives the defaults without a message.
TSettings ReadSettingsFile(const std::string& path, TFileSystem& files, TPrompter& prompter);
// Rewrites the file with the settings, keeping its other lines; a missing folder is created.
// The new text replaces the file only once it was written completely; a failure shows
// "In %s kann nicht geschrieben werden" and leaves the file as it was.
bool WriteSettingsFile(const std::string& path, const TSettings& settings, TFileSystem& files,
                       TPrompter& prompter);

} // namespace redewerk
