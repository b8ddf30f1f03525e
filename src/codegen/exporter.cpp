#include "codegen/exporter.h"

#include "codegen/compiler.h"
#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/native_path.h"
#include "model/project.h"
#include "model/prompter.h"

#include <chrono>
#include <filesystem>

namespace redewerk {

void CompileAll(TProject& project, TCompiled& compiled, TPrompter& prompter) {
    project.ComputeKnownTargets();
    compiled.Reset();
    TDialogCompiler compiler(project, prompter);
    project.Tree.ForEachPreOrder([&](TNode* node) {
        const TElement* element = node->Element();
        if (!element || element->IsFree()) return;
        SortCompiled(compiled, *element, compiler.Compile(element->Id, compiled.KnownDeclarations),
                     prompter);
        // The declaration Compile may just have added belongs to this block.
        compiled.KnownDeclarationIds.resize(compiled.KnownDeclarations.size(), element->Id);
        if (element->Kind == ekDialog && element->Npc.empty())
            prompter.ShowMessage("Warnung: F\xFCr \"" + node->Path() +
                                 "\" ist kein Npc eingetragen!");
    });
}

namespace {

// Only the folder itself is made, no missing parent: a mistyped parent folder is reported
// instead of being created. An empty folder names no folder at all.
bool MayMakeLastLevel(TFileSystem& files, const std::string& folder) {
    if (folder.empty()) return false;
    std::filesystem::path path = PathFromUtf8(folder);
    if (!path.has_filename()) path = path.parent_path(); // a final separator: "/mod/exp/"
    const std::filesystem::path parent = path.parent_path();
    return parent.empty() || files.DirectoryExists(PathToUtf8(parent));
}

// Merges the spoken lines of the written files into the chosen library. A new library is
// dated with the project file's time, so that exporting the same project gives the same file.
TOutputUnitReport UpdateExportedOutputUnits(const TCompiled& compiled,
                                            const std::vector<TOutputFile>& outputs,
                                            TFileSystem& files) {
    std::vector<TNamedScript> scripts;
    for (const auto& output : outputs)
        scripts.push_back({output.Name, output.Content});
    TOutputUnitTarget target{compiled.OutputUnitsFile, {}, 0};
    if (files.FileExists(target.Path))
        target.Into = target.Path;
    else if (compiled.ProjectFile.empty() ||
             files.ModificationTime(compiled.ProjectFile, target.NewLibraryTime) != 0)
        target.NewLibraryTime = std::chrono::duration_cast<std::chrono::seconds>(
                                    std::chrono::system_clock::now().time_since_epoch())
                                    .count();
    return UpdateOutputUnits(files, scripts, target);
}

} // namespace

TExportReport ExportProject(TProject& project, TCompiled& compiled, TFileSystem& files,
                            TPrompter& prompter, const TFindingsReview& review) {
    TExportReport report;
    compiled.OverwriteAll = false;
    const std::string& name = compiled.ProjectName;
    if (name.empty()) return report;
    // The name becomes part of file and function names; a separator or a dot in it could
    // place files outside the folder.
    if (std::string problem = CheckProjectName(name); !problem.empty()) {
        prompter.ShowMessage(problem);
        report.Result = TExportResult::Failed;
        return report;
    }

    if (compiled.UpdateOutputUnits && compiled.OutputUnitsFile.empty()) {
        prompter.ShowMessage(kNoOutputUnitsFile);
        report.Result = TExportResult::Failed;
        return report;
    }

    const std::string& folder = compiled.Folder;
    const std::string folderFailure =
        "Exporter: Konnte Verzeichnis (" + PathToCp1252(folder) + ") nicht erstellen.";
    // The folder is made only when the files are written; a refused export leaves no trace.
    const bool makeFolder = !files.DirectoryExists(folder);
    if (makeFolder && !MayMakeLastLevel(files, folder)) {
        prompter.ShowMessage(folderFailure);
        report.Result = TExportResult::Failed;
        return report;
    }
    std::error_code error;
    std::filesystem::path base =
        std::filesystem::absolute(PathFromUtf8(folder), error).lexically_normal();
    if (error) base = PathFromUtf8(folder);
    TOutputLayout layout = PlanOutputFiles(compiled, base);
    std::vector<TOutputFile>& outputs = layout.Files;

    // Every question first: a refusal must leave every existing file as it was.
    for (const auto& output : outputs) {
        if (compiled.OverwriteAll || !files.FileExists(output.Path)) continue;
        switch (prompter.AskOverwrite("Die Datei existiert bereits (" + PathToCp1252(output.Path) +
                                      ") . \xDC"
                                      "berschreiben?")) {
        case TPrompter::TOverwriteAnswer::YesToAll:
            compiled.OverwriteAll = true;
            break;
        case TPrompter::TOverwriteAnswer::Yes:
            break;
        default:
            return report;
        }
    }

    try {
        CompileAll(project, compiled, prompter);
    } catch (const ECompileError& failure) {
        prompter.ShowMessage(failure.Message());
        report.Result = TExportResult::Failed;
        return report;
    }
    FillOutputFiles(layout, project, compiled);

    // Code the game's compiler would stop at is shown before anything is written.
    report.Findings = FindExportProblems(outputs, project);
    if (!report.Findings.empty() && review && !review(report.Findings)) return report;

    if (makeFolder && files.MakeDirectory(folder) != 0) {
        prompter.ShowMessage(folderFailure);
        report.Result = TExportResult::Failed;
        return report;
    }

    for (const auto& output : outputs) {
        if (int failure = files.WriteFile(output.Path, output.Content)) {
            std::string message = WriteErrorMessage(output.Path, failure);
            if (failure != kErrorReadOnly) message += "\n" + PathToCp1252(output.Path);
            prompter.ShowMessage(message);
            report.Result = TExportResult::Failed;
            return report;
        }
        report.WrittenFiles.push_back(output.Path);
    }
    report.Result = TExportResult::Exported;
    if (compiled.UpdateOutputUnits) {
        report.OutputUnits = UpdateExportedOutputUnits(compiled, outputs, files);
        if (!report.OutputUnits->Written) {
            prompter.ShowMessage(report.OutputUnits->Error);
            report.Result = TExportResult::Failed;
        }
    }
    return report;
}

} // namespace redewerk
