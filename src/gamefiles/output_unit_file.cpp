#include "gamefiles/output_unit_file.h"

#include "gamefiles/output_unit_collector.h"
#include "model/file_system.h"
#include "model/native_path.h"
#include "model/prompter.h"
#include "model/script_file.h"

#include <algorithm>
#include <filesystem>

namespace redewerk {
namespace {

// The user a new library names as its author.
constexpr std::string_view kLibraryUser = "Redewerk";

bool ReadLibrary(TFileSystem& files, const std::string& path, TOutputUnitLibrary& library,
                 std::string& failure) {
    std::string content;
    if (const int error = files.ReadFile(path, content)) {
        failure = "Ausgabeeinheiten: " + PathToCp1252(path) +
                  " kann nicht gelesen werden: " + IoErrorMessage(error);
        return false;
    }
    TZenArchiveError error;
    if (ReadOutputUnitLibrary(std::move(content), library, error)) return true;
    failure = PathToCp1252(path) + (error.Line > 0 ? ":" + std::to_string(error.Line) : "") + ": " +
              error.Message;
    return false;
}

// The compiled library the game prefers: the same name with ".bin" (or ".BIN").
std::string FindCompiledTwin(TFileSystem& files, const std::string& path) {
    for (const char* extension : {".bin", ".BIN"}) {
        const std::string twin = PathToUtf8(PathFromUtf8(path).replace_extension(extension));
        if (files.FileExists(twin)) return twin;
    }
    return {};
}

} // namespace

TOutputUnitReport UpdateOutputUnits(TFileSystem& files, const std::vector<TNamedScript>& scripts,
                                    const TOutputUnitTarget& target) {
    TOutputUnitReport report;
    TOutputUnitCollector collector;
    for (const auto& script : scripts)
        if (!collector.AddScript(script.Text, script.Name, report.Error)) return report;
    report.Warnings = collector.Warnings();

    TOutputUnitLibrary library;
    if (target.Into.empty())
        library = NewOutputUnitLibrary(target.NewLibraryTime, kLibraryUser);
    else if (!ReadLibrary(files, target.Into, library, report.Error))
        return report;
    report.Merge = MergeOutputUnits(library, collector.Units());

    const std::string content = WriteOutputUnitLibrary(library);
    if (const int error = files.WriteFile(target.Path, content)) {
        report.Error = "Ausgabeeinheiten: " + PathToCp1252(target.Path) +
                       " kann nicht geschrieben werden: " + IoErrorMessage(error);
        return report;
    }
    report.Written = true;
    report.CompiledTwin = FindCompiledTwin(files, target.Path);
    return report;
}

TOutputUnitReport UpdateOutputUnitsFromFiles(TFileSystem& files, TPrompter& prompter,
                                             const std::vector<std::string>& scripts,
                                             const std::string& path, const std::string& into) {
    std::vector<std::string> texts(scripts.size());
    std::vector<TNamedScript> named;
    for (size_t i = 0; i < scripts.size(); ++i) {
        if (const int error = ReadScriptText(files, scripts[i], prompter, texts[i])) {
            TOutputUnitReport report;
            report.Error = "Ausgabeeinheiten: " + PathToCp1252(scripts[i]) +
                           " kann nicht gelesen werden: " + IoErrorMessage(error);
            return report;
        }
        named.push_back({PathToCp1252(scripts[i]), texts[i]});
    }
    return UpdateOutputUnits(files, named, {path, into, NewestModificationTime(files, scripts)});
}

int64_t NewestModificationTime(TFileSystem& files, const std::vector<std::string>& paths) {
    int64_t newest = 0;
    for (const auto& path : paths) {
        int64_t seconds = 0;
        if (files.ModificationTime(path, seconds) == 0) newest = std::max(newest, seconds);
    }
    return newest;
}

std::string OutputUnitSummary(const TOutputUnitMerge& merge) {
    return "Ausgabeeinheiten: " + std::to_string(merge.Added) + " hinzugef\xFCgt, " +
           std::to_string(merge.Replaced) + " ersetzt, " + std::to_string(merge.Unchanged) +
           " unver\xE4ndert.";
}

std::string CompiledTwinReminder(const std::string& twin) {
    return "Das Spiel liest " + PathToCp1252(twin) +
           " statt der neuen Bibliothek, solange es diese Datei gibt: sie muss gel\xF6scht "
           "werden, damit das Spiel die Bibliothek neu einliest.";
}

void ShowOutputUnitReport(const TOutputUnitReport& report, TFileSystem& files,
                          TPrompter& prompter) {
    constexpr size_t kShown = 20;
    const auto& warnings = report.Warnings;
    if (!warnings.empty()) {
        std::string text;
        for (size_t i = 0; i < warnings.size() && i < kShown; ++i)
            text += (i ? "\r\n" : "") + warnings[i];
        if (warnings.size() > kShown)
            text += "\r\n... und " + std::to_string(warnings.size() - kShown) + " weitere.";
        prompter.ShowMessage(text);
    }
    if (!report.Written || report.CompiledTwin.empty()) return;
    const std::string question = OutputUnitSummary(report.Merge) + "\r\n\r\n" +
                                 CompiledTwinReminder(report.CompiledTwin) +
                                 "\r\n\r\nJetzt l\xF6schen?";
    if (!prompter.AskYesNo(question, "Ausgabeeinheiten")) return;
    if (const int error = files.RemoveFile(report.CompiledTwin))
        prompter.ShowMessage(PathToCp1252(report.CompiledTwin) +
                             " kann nicht gel\xF6scht werden: " + IoErrorMessage(error));
}

} // namespace redewerk
