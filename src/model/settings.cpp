#include "model/settings.h"

#include "model/file_system.h"
#include "model/ini_file.h"
#include "model/native_path.h"
#include "model/prompter.h"

namespace redewerk {
namespace {

constexpr const char* kCodeSection = "Codeverarbeitungsoptionen";
constexpr const char* kViewSection = "Anzeigeoptionen";
constexpr const char* kExportSection = "Export_Optionen";
constexpr const char* kImportSection = "Import_Optionen";
constexpr const char* kPathSection = "Pfade";
constexpr const char* kColourSection = "Farben";

// A path with a line feed in its name cannot stand on a line of the file: the stored one stays.
void WriteIfNotEmpty(TIniFile& ini, const char* key, const std::string& value) {
    if (!value.empty() && TIniFile::CanHold(value)) ini.WriteString(kPathSection, key, value);
}

// "Zuletzt1" to "Zuletzt5".
std::string RecentKey(size_t index) {
    return "Zuletzt" + std::to_string(index + 1);
}

std::string CannotWriteMessage(const std::string& path) {
    return "In " + PathToCp1252(path) + " kann nicht geschrieben werden";
}

} // namespace

TSettings ReadSettings(const TIniFile& ini, TPrompter& prompter) {
    TSettings s;
    s.HighlightDelay =
        ini.ReadInteger(kCodeSection, "SyntaxHighlightingVerzoegerung_ms", s.HighlightDelay);
    s.ParserDelay = ini.ReadInteger(kCodeSection, "ParserVerzoegerung_ms", s.ParserDelay);
    s.Preview = ini.ReadBool(kViewSection, "Vorschau", s.Preview);
    s.KeepPreview = ini.ReadBool(kViewSection, "Beibehalten", s.KeepPreview);
    s.SyntaxCheck = ini.ReadBool(kViewSection, "Syntaxcheck", s.SyntaxCheck);
    s.SeparateVariables = ini.ReadBool(kExportSection, "Variablendatei", s.SeparateVariables);
    s.NpcGlobals = ini.ReadBool(kExportSection, "NpcDatei", s.NpcGlobals);
    s.SeparateEvents = ini.ReadBool(kExportSection, "EventDatei", s.SeparateEvents);
    s.UpdateOutputUnits = ini.ReadBool(kExportSection, "OUAktualisieren", s.UpdateOutputUnits);
    s.OutputUnitsFile = ini.ReadString(kExportSection, "OUDatei", "");
    s.SeparateFolders = ini.ReadBool(kImportSection, "SeparateOrdner", s.SeparateFolders);
    s.OpenPath = ini.ReadString(kPathSection, "Oeffnen", "");
    s.SavePath = ini.ReadString(kPathSection, "Speichern", "");
    s.ExportFolder = ini.ReadString(kPathSection, "ExportOrdner", "");
    s.ProjectName = ini.ReadString(kPathSection, "Projektname", "");
    for (size_t i = 0; i < kRecentProjectCount; ++i) {
        std::string path = ini.ReadString(kPathSection, RecentKey(i), "");
        if (!path.empty()) s.RecentProjects.push_back(std::move(path));
    }
    for (int i = 0; i < kColourClassCount; ++i) {
        const TColourClassInfo& info = ColourClassInfo(static_cast<TColourClass>(i));
        if (!info.Stored) continue;
        const std::string text = ini.ReadString(kColourSection, info.Key, "");
        if (text.empty()) continue;
        if (!ColourFromText(text, s.Colours[static_cast<size_t>(i)]))
            prompter.ShowMessage("'" + text + "' ist kein g\xFCltiger Integerwert");
    }
    s.Maximised = ini.ReadBool(kViewSection, "FensterMaximiert", s.Maximised);
    s.FontSize = ini.ReadInteger(kViewSection, "Schriftgroesse", s.FontSize);
    return s;
}

void WriteSettings(const TSettings& s, TIniFile& ini) {
    ini.WriteInteger(kCodeSection, "SyntaxHighlightingVerzoegerung_ms", s.HighlightDelay);
    ini.WriteInteger(kCodeSection, "ParserVerzoegerung_ms", s.ParserDelay);
    ini.WriteBool(kViewSection, "Vorschau", s.Preview);
    ini.WriteBool(kViewSection, "Beibehalten", s.KeepPreview);
    ini.WriteBool(kViewSection, "Syntaxcheck", s.SyntaxCheck);
    ini.WriteInteger(kViewSection, "Schriftgroesse", s.FontSize);
    ini.WriteBool(kViewSection, "FensterMaximiert", s.Maximised);
    ini.WriteBool(kExportSection, "Variablendatei", s.SeparateVariables);
    ini.WriteBool(kExportSection, "NpcDatei", s.NpcGlobals);
    ini.WriteBool(kExportSection, "EventDatei", s.SeparateEvents);
    ini.WriteBool(kExportSection, "OUAktualisieren", s.UpdateOutputUnits);
    ini.WriteString(kExportSection, "OUDatei", s.OutputUnitsFile);
    ini.WriteBool(kImportSection, "SeparateOrdner", s.SeparateFolders);
    WriteIfNotEmpty(ini, "Oeffnen", s.OpenPath);
    WriteIfNotEmpty(ini, "Speichern", s.SavePath);
    WriteIfNotEmpty(ini, "ExportOrdner", s.ExportFolder);
    WriteIfNotEmpty(ini, "Projektname", s.ProjectName);
    // The list is written whole, without a path that cannot stand on a line; a slot it no
    // longer fills is emptied where the file has it.
    std::vector<std::string> recent;
    for (const std::string& path : s.RecentProjects)
        if (!path.empty() && TIniFile::CanHold(path) && recent.size() < kRecentProjectCount)
            recent.push_back(path);
    for (size_t i = 0; i < kRecentProjectCount; ++i) {
        if (i < recent.size())
            ini.WriteString(kPathSection, RecentKey(i), recent[i]);
        else if (ini.Read(kPathSection, RecentKey(i)))
            ini.WriteString(kPathSection, RecentKey(i), "");
    }
    for (int i = 0; i < kColourClassCount; ++i) {
        const TColourClassInfo& info = ColourClassInfo(static_cast<TColourClass>(i));
        if (info.Stored)
            ini.WriteString(kColourSection, info.Key,
                            ColourToText(s.Colours[static_cast<size_t>(i)]));
    }
}

void AddRecentProject(std::vector<std::string>& recent, const std::string& path) {
    std::erase(recent, path);
    recent.insert(recent.begin(), path);
    if (recent.size() > kRecentProjectCount) recent.resize(kRecentProjectCount);
}

std::string SettingsFilePath(const std::string& currentFolder, const std::string& configFolder,
                             TFileSystem& files) {
    const auto inFolder = [](const std::string& folder) {
        return PathToUtf8(PathFromUtf8(folder) / kSettingsFileName);
    };
    const std::string local = inFolder(currentFolder);
    if (configFolder.empty() || files.FileExists(local)) return local;
    return inFolder(configFolder);
}

TSettings ReadSettingsFile(const std::string& path, TFileSystem& files, TPrompter& prompter) {
    std::string content;
    if (files.ReadFile(path, content) != 0) content.clear();
    return ReadSettings(TIniFile(content), prompter);
}

bool WriteSettingsFile(const std::string& path, const TSettings& settings, TFileSystem& files,
                       TPrompter& prompter) {
    std::string content;
    // A file that exists but cannot be read would lose its other lines: leave it alone.
    if (files.ReadFile(path, content) != 0 && files.FileExists(path)) {
        prompter.ShowMessage(CannotWriteMessage(path));
        return false;
    }
    TIniFile ini(content);
    WriteSettings(settings, ini);
    const size_t slash = path.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    int error = 0;
    if (!folder.empty() && !files.DirectoryExists(folder)) error = files.MakeDirectory(folder);
    if (!error) error = files.WriteFile(path, ini.Text());
    if (error) {
        prompter.ShowMessage(error == kErrorReadOnly ? WriteErrorMessage(path, error)
                                                     : CannotWriteMessage(path));
        return false;
    }
    return true;
}

} // namespace redewerk
