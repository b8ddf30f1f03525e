#pragma once

#include "import/importer.h"
#include "model/project.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace redewerk::testing {

// A script given by its path and its text.
using TScript = std::pair<std::string, std::string>;

// Imports scripts held in memory, as the "Importieren" command does. Failures end up in
// the prompter's messages.
inline bool ImportScripts(TProject& project, const std::vector<TScript>& scripts,
                          TRecordingPrompter& prompter, bool folderForEach = true) {
    TMemoryFileSystem files;
    std::vector<std::string> paths;
    for (const auto& [path, text] : scripts) {
        files.Files[path] = text;
        paths.push_back(path);
    }
    return RunScriptImport(project, paths, folderForEach, files, prompter);
}

// The only message of a failed import of one script.
inline std::string ImportFailure(const std::string& script) {
    TProject project;
    TRecordingPrompter prompter;
    EXPECT_FALSE(ImportScripts(project, {{"DIA_Test.d", script}}, prompter));
    EXPECT_EQ(prompter.Messages.size(), 1u);
    return prompter.Messages.empty() ? std::string() : prompter.Messages.front();
}

// The block at a node path; fails the test when there is none.
inline TElement& BlockAt(const TProject& project, const std::string& path) {
    TNode* node = project.Tree.FindByPath(path);
    EXPECT_NE(node, nullptr) << path;
    if (!node || !node->Element()) {
        ADD_FAILURE() << "no block at " << path;
        static TElement none(-1, 0, nullptr);
        return none;
    }
    return *node->Element();
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

// A dialog with its two functions, in the form modders write them.
inline std::string DialogScript(const std::string& name, const std::string& attributes,
                                const std::string& condition, const std::string& info) {
    return "instance " + name +
           " (C_INFO)\r\n{\r\n\tnpc\t= VLK_400_Wirt;\r\n\tcondition\t= " + name +
           "_Condition;\r\n\tinformation\t= " + name + "_Info;\r\n" + attributes +
           "};\r\n\r\nfunc int " + name + "_Condition ()\r\n{\r\n" + condition +
           "};\r\n\r\nfunc void " + name + "_Info ()\r\n{\r\n" + info + "};\r\n";
}

} // namespace redewerk::testing
