#include "codegen/exporter.h"

#include "codegen/compiler.h"
#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/prompter.h"

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
        if (element->Kind == ekDialog && element->Npc.empty())
            prompter.ShowMessage("Warnung: F\xFCr \"" + node->Path() +
                                 "\" ist kein Npc eingetragen!");
    });
}

TLines NpcGlobalsBlock(const TNpcList& npcs, const std::string& projectName) {
    const std::string rule = "//" + std::string(40, '*');
    TLines out = {rule, "//   NPCs", rule, ""};
    auto isHero = [](const std::string& name) { return UpperCase1252(name) == "HERO"; };
    for (const auto& name : npcs.ClearNames)
        if (!isHero(name)) out.push_back("var C_NPC " + name + ";");
    out.emplace_back();
    out.push_back("FUNC void INIT_NpcGlobals_" + projectName + "()");
    out.push_back("{");
    for (size_t i = 0; i < npcs.ClearNames.size(); ++i) {
        const std::string& name = npcs.ClearNames[i];
        if (isHero(name)) continue;
        // Aligns the "=" at the sixth tab stop for names of up to 23 characters.
        const int tabs = 6 - static_cast<int>(name.size() / 4);
        out.push_back("\t" + name + Tabs(tabs) + "= Hlp_GetNpc (" + npcs.InstanceNames[i] + ");");
    }
    out.push_back("};");
    return out;
}

namespace {

// One output file: its full name and the content built for it.
struct TOutputFile {
    std::string Path;
    std::string Content;
};

void Append(TOutputFile& file, const TLines& lines) {
    for (const auto& line : lines) {
        file.Content += line;
        file.Content += "\r\n";
    }
}

size_t SizeOf(const TLines& lines) {
    size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    return size;
}

size_t SizeOf(const std::vector<TLines>& texts) {
    size_t size = 0;
    for (const auto& lines : texts)
        size += SizeOf(lines);
    return size;
}

// Creates the folder itself but no missing parent: a mistyped parent folder is reported
// instead of being created. An empty folder names no folder at all.
bool MakeLastLevel(TFileSystem& files, const std::string& folder) {
    if (folder.empty()) return false;
    std::filesystem::path path(folder);
    if (!path.has_filename()) path = path.parent_path(); // a final separator: "/mod/exp/"
    const std::filesystem::path parent = path.parent_path();
    if (!parent.empty() && !files.DirectoryExists(parent.string())) return false;
    return files.CreateDirectory(folder) == 0;
}

} // namespace

TExportReport ExportProject(TProject& project, TCompiled& compiled, TFileSystem& files,
                            TPrompter& prompter) {
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

    const std::string& folder = compiled.Folder;
    if (!files.DirectoryExists(folder) && !MakeLastLevel(files, folder)) {
        prompter.ShowMessage("Exporter: Konnte Verzeichnis (" + PathToCp1252(folder) +
                             ") nicht erstellen.");
        report.Result = TExportResult::Failed;
        return report;
    }
    std::error_code error;
    std::filesystem::path base = std::filesystem::absolute(folder, error).lexically_normal();
    if (error) base = folder;
    // The project name is Windows-1252 text; on disk it becomes part of a native file name.
    auto fullName = [&](const char* prefix) {
        return (base / Cp1252ToPath(prefix + name + ".d")).string();
    };

    // The files in the order they are prepared; the combined layout uses one file for
    // dialogs, events and perhaps variables.
    std::vector<TOutputFile> outputs;
    auto add = [&](const char* prefix) {
        outputs.push_back({fullName(prefix), {}});
        return outputs.size() - 1;
    };
    const size_t dialogs = add(compiled.SeparateEvents ? "DIA_" : "DLX_");
    const size_t events = compiled.SeparateEvents ? add("EVT_") : dialogs;
    const size_t variables = compiled.SeparateVariables ? add("VAR_") : events;
    const size_t npcs = compiled.WriteNpcGlobals ? add("NPCS_") : outputs.size();

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

    // Reserving the sizes first keeps a large export from copying its files while they grow.
    outputs[variables].Content.reserve(SizeOf(project.Variables) +
                                       SizeOf(compiled.KnownDeclarations) + 64);
    outputs[events].Content.reserve(outputs[events].Content.capacity() +
                                    SizeOf(compiled.EventTexts) + SizeOf(compiled.LoopEventTexts) +
                                    64);
    outputs[dialogs].Content.reserve(outputs[dialogs].Content.capacity() +
                                     SizeOf(compiled.DialogTexts));
    Append(outputs[variables], project.Variables);
    Append(outputs[variables], {"", "//" + std::string(32, '-'), ""});
    if (compiled.WriteNpcGlobals) Append(outputs[npcs], NpcGlobalsBlock(project.Npcs, name));
    Append(outputs[variables], compiled.KnownDeclarations);
    for (const auto& text : compiled.EventTexts)
        Append(outputs[events], text);
    if (!compiled.LoopEventTexts.empty()) {
        Append(outputs[events], {"FUNC void SCHLEIFE_" + name + "()", "{"});
        for (const auto& text : compiled.LoopEventTexts)
            Append(outputs[events], text);
        Append(outputs[events], {"};", ""});
    }
    for (const auto& text : compiled.DialogTexts)
        Append(outputs[dialogs], text);

    for (const auto& output : outputs) {
        if (int failure = files.WriteFile(output.Path, output.Content)) {
            prompter.ShowMessage(IoErrorMessage(failure) + "\n" + PathToCp1252(output.Path));
            report.Result = TExportResult::Failed;
            return report;
        }
        report.WrittenFiles.push_back(output.Path);
    }
    report.Result = TExportResult::Exported;
    return report;
}

} // namespace redewerk
