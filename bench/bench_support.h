#pragma once

// What the benchmark programs share: a prompter that never waits, blocks added quickly and
// files in memory.

#include "model/element.h"
#include "model/file_system.h"
#include "model/project.h"
#include "model/prompter.h"

#include <map>
#include <memory>
#include <string>

namespace redewerk::bench {

// Answers every question with its default, counts messages, and answers the overwrite
// question as told.
class TQuietPrompter : public TPrompter {
public:
    explicit TQuietPrompter(TOverwriteAnswer overwrite = TOverwriteAnswer::YesToAll)
        : Overwrite(overwrite) {}

    int Messages = 0;

    void ShowMessage(const std::string&) override { ++Messages; }
    std::string AskText(const std::string&, const std::string& prefilled) override {
        return prefilled;
    }
    bool AskOkCancel(const std::string&, const std::string&) override { return true; }
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
    TOverwriteAnswer AskOverwrite(const std::string&) override { return Overwrite; }

private:
    TOverwriteAnswer Overwrite;
};

// A block under `parent`, its element stored directly at the next id, so that building a
// large project measures nothing of the element table.
inline TElement& AddBlock(TProject& project, TNode* parent, const std::string& name, int32_t kind) {
    TNode* node = project.Tree.AppendChild(parent, name);
    auto element =
        std::make_unique<TElement>(static_cast<int32_t>(project.Elements.Size()), kind, node);
    TElement* stored = project.Elements.Store(std::move(element));
    project.Tree.SetElement(node, stored);
    return *stored;
}

// Files in memory, so that a benchmark measures the program and not the disk.
class TMemoryFiles : public TFileSystem {
public:
    std::map<std::string, std::string> Files;

    int ReadFile(const std::string& path, std::string& content) override {
        auto it = Files.find(path);
        if (it == Files.end()) return 2;
        content = it->second;
        return 0;
    }
    int WriteFile(const std::string& path, std::string_view content) override {
        Files[path] = std::string(content);
        return 0;
    }
    bool FileExists(const std::string& path) override { return Files.count(path) > 0; }
    bool DirectoryExists(const std::string&) override { return true; }
    int MakeDirectory(const std::string&) override { return 0; }
    int RemoveFile(const std::string& path) override { return Files.erase(path) ? 0 : 2; }
    int ModificationTime(const std::string& path, int64_t& seconds) override {
        seconds = 0;
        return Files.count(path) ? 0 : 2;
    }
};

} // namespace redewerk::bench
