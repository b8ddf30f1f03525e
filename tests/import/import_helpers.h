#pragma once

#include "codegen/compiled.h"
#include "codegen/exporter.h"
#include "import/dia_import.h"
#include "import/importer.h"
#include "model/file_system.h"
#include "model/project.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace redewerk::testing {

// A script given by its path and its text.
using TScript = std::pair<std::string, std::string>;

// Imports scripts held in memory, as the "Importieren" command does. Failures end up in
// the prompter's messages, the scripts left out in the result.
inline TScriptImportResult ImportScripts(TProject& project, const std::vector<TScript>& scripts,
                                         TRecordingPrompter& prompter, TImportOptions options) {
    TMemoryFileSystem files;
    std::vector<std::string> paths;
    for (const auto& [path, text] : scripts) {
        files.Files[path] = text;
        paths.push_back(path);
    }
    return RunScriptImport(project, paths, options, files, prompter);
}

// The same in a strict run; true when it completed.
inline bool ImportScripts(TProject& project, const std::vector<TScript>& scripts,
                          TRecordingPrompter& prompter, bool folderForEach = true) {
    return ImportScripts(project, scripts, prompter, {folderForEach, true}).Completed;
}

// The only message of a failed strict import of one script.
inline std::string ImportFailure(const std::string& script) {
    TProject project;
    TRecordingPrompter prompter;
    EXPECT_FALSE(ImportScripts(project, {{"DIA_Test.d", script}}, prompter));
    EXPECT_EQ(prompter.Messages.size(), 1u);
    return prompter.Messages.empty() ? std::string() : prompter.Messages.front();
}

// Imports a ".dia" text; the import must succeed.
inline void ImportDia(TProject& project, const std::string& text, TRecordingPrompter& prompter,
                      TDiaImportMode mode = TDiaImportMode::Append) {
    EXPECT_TRUE(ImportDiaText(project, text, mode, prompter).Imported) << text;
}

// The block at a node path; fails the test when there is none.
inline TElement& BlockAt(const TProject& project, const std::string& path) {
    TNode* node = project.Tree.FindByPath(path);
    if (!node || !node->Element()) {
        ADD_FAILURE() << "no block at " << path;
        static TElement none(-1, 0, nullptr);
        return none;
    }
    return *node->Element();
}

// A line with each reference "#12#" or "#!12#" written as the path of the block it points at.
inline std::string WithPaths(const TProject& project, const std::string& line) {
    static const std::regex reference("#(!?)([0-9]+)#");
    std::string out;
    size_t last = 0;
    for (std::sregex_iterator it(line.begin(), line.end(), reference), end; it != end; ++it) {
        const TElement* target = project.Elements.LiveAt(std::stoi((*it)[2]));
        out += line.substr(last, it->position() - last) + "#" + (*it)[1].str() +
               (target ? target->Node->Path() : "?") + "#";
        last = it->position() + it->length();
    }
    return out + line.substr(last);
}

// A block as text: its header "kind|npc|nr|flags|description" (flags as the letters I, P, T),
// then, each line indented by `indent`, its condition lines ("? "), its body lines and its
// known targets ("known "), references written as paths. Each line ends with "\n".
inline std::string BlockText(const TProject& project, const TElement& e,
                             const std::string& indent = "") {
    std::string text = std::to_string(e.Kind) + "|" + e.Npc + "|" + e.Nr + "|" +
                       (e.Important ? "I" : "") + (e.Permanent ? "P" : "") + (e.Trade ? "T" : "") +
                       "|" + e.Description + "\n";
    for (const auto& line : e.Condition)
        text += indent + "? " + WithPaths(project, line) + "\n";
    for (const auto& line : e.Body)
        text += indent + WithPaths(project, line) + "\n";
    for (int32_t id : e.KnownRefs)
        text += indent + "known " + WithPaths(project, "#" + std::to_string(id) + "#") + "\n";
    return text;
}
inline std::string BlockText(const TProject& project, const std::string& path) {
    return BlockText(project, BlockAt(project, path));
}

// The tree as indented lines "name kind", folders with kind 0.
inline std::vector<std::string> TreeOutline(const TProject& project) {
    std::vector<std::string> lines;
    project.Tree.ForEachPreOrder([&](TNode* node) {
        lines.push_back(std::string(static_cast<size_t>(node->Level()) * 2, ' ') + node->Text() +
                        " " + std::to_string(node->ImageIndex()));
    });
    return lines;
}

// The whole tree as text: every node by its path, a block's path followed by its text with
// the lines below the header indented by two blanks; without `headers` the header is left out.
inline std::string Dump(const TProject& project, bool headers = true) {
    std::string text;
    project.Tree.ForEachPreOrder([&](TNode* node) {
        text += node->Path();
        if (!node->Element()) {
            text += "\n";
            return;
        }
        const std::string block = BlockText(project, *node->Element(), "  ");
        text += headers ? " " + block : block.substr(block.find('\n'));
    });
    return text;
}

// The tree as Dump() writes it, then the line "-- Variablen --" and the variables.
inline std::string DumpWithVariables(const TProject& project) {
    std::string text = Dump(project) + "-- Variablen --\n";
    for (const std::string& line : project.Variables)
        text += line + "\n";
    return text;
}

// A dialog with its two functions, in the form modders write them.
inline std::string DialogScript(const std::string& name, const std::string& attributes,
                                const std::string& condition, const std::string& info) {
    return "instance " + name +
           " (C_INFO)\r\n{\r\n\tnpc\t= VLK_400_Wirt;\r\n\tcondition\t= " + name +
           "_Condition;\r\n\tinformation\t= " + name + "_Info;\r\n" + attributes +
           "};\r\n\r\nfunc int " + name + "_Condition ()\r\n{\r\n" + condition +
           "};\r\n\r\nfunc void " + name + "_Info ()\r\n{\r\n" + info + "};\r\n";
}

// The bytes of a file of the test data.
inline std::string ReadDataFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The fixture scripts of tests/data/import. Three small scripts of a guard and two farmers:
inline const std::vector<std::string> kFarmScripts = {
    REDEWERK_TEST_DATA_DIR "/import/scripts/DIA_Guard_Gate.d",
    REDEWERK_TEST_DATA_DIR "/import/scripts/DIA_Bau_Hilda.d",
    REDEWERK_TEST_DATA_DIR "/import/scripts/DIA_Bau_Kurt.d"};
// The village Moorbach: 30 dialogs of five people with options, trade, teaching, quests and
// references from one file into the others, written as the game's scripts are.
inline const std::vector<std::string> kVillageScripts = {
    REDEWERK_TEST_DATA_DIR "/import/moorbach/Story_Moorbach.d",
    REDEWERK_TEST_DATA_DIR "/import/moorbach/DIA_Schmied_Grimbald.d",
    REDEWERK_TEST_DATA_DIR "/import/moorbach/DIA_Fischer_Jorn.d",
    REDEWERK_TEST_DATA_DIR "/import/moorbach/DIA_Jaeger_Tarek.d",
    REDEWERK_TEST_DATA_DIR "/import/moorbach/DIA_Wache_Bruno.d",
    REDEWERK_TEST_DATA_DIR "/import/moorbach/DIA_Wirtin_Elke.d"};

// Alrik, the reeve of Moorbach, whose script names its dialog functions unlike the instances.
inline const std::vector<std::string> kReeveScripts = {REDEWERK_TEST_DATA_DIR
                                                       "/import/names/DIA_Vogt_Alrik.d"};

// Imports scripts from the disk, which must complete without a message.
inline void ImportFixtures(TProject& project, const std::vector<std::string>& paths,
                           TImportOptions options) {
    TRecordingPrompter prompter;
    TDiskFileSystem files;
    ASSERT_TRUE(RunScriptImport(project, paths, options, files, prompter).Completed)
        << (prompter.Messages.empty() ? "" : prompter.Messages.front());
    EXPECT_TRUE(prompter.Messages.empty()) << prompter.Messages.front();
}

// Exports the project as "--one-file" does into memory: the file names and their texts.
inline std::map<std::string, std::string> ExportOneFile(TProject& project) {
    TMemoryFileSystem files;
    TRecordingPrompter prompter;
    TCompiled compiled;
    compiled.ProjectName = "Rund";
    compiled.Folder = "/export";
    compiled.SeparateEvents = false;
    EXPECT_EQ(ExportProject(project, compiled, files, prompter).Result, TExportResult::Exported);
    EXPECT_TRUE(prompter.Messages.empty()) << prompter.Messages.front();
    return {files.Files.begin(), files.Files.end()};
}

// Imports all files of an export, in the order of their names.
inline void ImportExport(TProject& project, const std::map<std::string, std::string>& exported,
                         TImportOptions options) {
    TRecordingPrompter prompter;
    ASSERT_TRUE(
        ImportScripts(project, {exported.begin(), exported.end()}, prompter, options).Completed)
        << (prompter.Messages.empty() ? "" : prompter.Messages.front());
}

} // namespace redewerk::testing
