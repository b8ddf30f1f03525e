#include "codegen/output_files.h"

#include "codegen/compiler.h"
#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/native_path.h"
#include "model/npc_list.h"
#include "model/project.h"

namespace redewerk {
namespace {

size_t SizeOf(const TLines& lines) {
    size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    return size;
}

size_t SizeOf(const std::vector<TCompiledText>& texts) {
    size_t size = 0;
    for (const auto& text : texts)
        size += SizeOf(text.Lines);
    return size;
}

void AppendAll(TOutputFile& file, const std::vector<TCompiledText>& texts, bool inFunction) {
    for (const auto& text : texts)
        file.Append(text.Lines, TLineSource::Block, text.Id, inFunction);
}

} // namespace

void TOutputFile::Append(const TLines& lines, TLineSource source, int32_t id, bool inFunction) {
    if (lines.empty()) return;
    Pieces.push_back({Content.size(), Lines + 1, source, id, inFunction});
    for (const auto& line : lines) {
        Content += line;
        Content += "\r\n";
    }
    Lines += static_cast<int32_t>(lines.size());
}

TOutputLayout PlanOutputFiles(const TCompiled& compiled, const std::filesystem::path& base) {
    TOutputLayout layout;
    auto add = [&](const char* prefix) {
        const std::string name = prefix + compiled.ProjectName + ".d";
        // The project name is Windows-1252 text; on disk it becomes part of a native name.
        layout.Files.push_back(
            {PathToUtf8(base / PathFromUtf8(Cp1252ToPath(name))), name, {}, {}, 0});
        return layout.Files.size() - 1;
    };
    layout.Dialogs = add(compiled.SeparateEvents ? "DIA_" : "DLX_");
    layout.Events = compiled.SeparateEvents ? add("EVT_") : layout.Dialogs;
    layout.Variables = compiled.SeparateVariables ? add("VAR_") : layout.Events;
    layout.Npcs = compiled.WriteNpcGlobals ? add("NPCS_") : layout.Files.size();
    return layout;
}

void FillOutputFiles(TOutputLayout& layout, const TProject& project, const TCompiled& compiled) {
    std::vector<TOutputFile>& files = layout.Files;
    TOutputFile& variables = files[layout.Variables];
    TOutputFile& events = files[layout.Events];
    TOutputFile& dialogs = files[layout.Dialogs];
    // Reserving the sizes first keeps a large export from copying its files while they grow.
    variables.Content.reserve(SizeOf(project.Variables) + SizeOf(compiled.KnownDeclarations) + 64);
    events.Content.reserve(events.Content.capacity() + SizeOf(compiled.EventTexts) +
                           SizeOf(compiled.LoopEventTexts) + 64);
    dialogs.Content.reserve(dialogs.Content.capacity() + SizeOf(compiled.DialogTexts));

    TLines head = project.Variables;
    head.insert(head.end(), {"", "//" + std::string(32, '-'), ""});
    variables.Append(head, TLineSource::Variables);
    if (layout.Npcs < files.size())
        files[layout.Npcs].Append(NpcGlobalsBlock(project.Npcs, compiled.ProjectName),
                                  TLineSource::NpcTable);
    // One piece per declaration: each belongs to the block that needs the variable.
    const auto& declarations = compiled.KnownDeclarations;
    for (size_t i = 0; i < declarations.size(); ++i) {
        const int32_t id =
            i < compiled.KnownDeclarationIds.size() ? compiled.KnownDeclarationIds[i] : -1;
        variables.Append({declarations[i]}, id < 0 ? TLineSource::Variables : TLineSource::Block,
                         id);
    }
    AppendAll(events, compiled.EventTexts, false);
    if (!compiled.LoopEventTexts.empty()) {
        events.Append({"FUNC void SCHLEIFE_" + compiled.ProjectName + "()", "{"},
                      TLineSource::Loop);
        AppendAll(events, compiled.LoopEventTexts, true);
        events.Append({"};", ""}, TLineSource::Loop, -1, true);
    }
    AppendAll(dialogs, compiled.DialogTexts, false);
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

} // namespace redewerk
