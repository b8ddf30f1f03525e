#pragma once

#include "model/file_system.h"

#include <map>
#include <set>
#include <string>

namespace redewerk::testing {

// Files in memory; writes can be made to fail like on a full disk.
class TMemoryFileSystem : public TFileSystem {
public:
    std::map<std::string, std::string> Files;
    std::set<std::string> Directories;
    std::map<std::string, int64_t> Times; // modification times; a file without one has 0
    int WriteError = 0;
    int ReadError = 0; // for files that exist but cannot be read

    int ReadFile(const std::string& path, std::string& content) override {
        auto it = Files.find(path);
        if (it == Files.end()) return 2;
        if (ReadError) return ReadError;
        content = it->second;
        return 0;
    }
    int WriteFile(const std::string& path, std::string_view content) override {
        if (WriteError) return WriteError;
        Files[path] = std::string(content);
        return 0;
    }
    bool FileExists(const std::string& path) override { return Files.count(path) > 0; }
    // The root folder always exists, as on a disk.
    bool DirectoryExists(const std::string& path) override {
        return path == "/" || Directories.count(path) > 0;
    }
    int MakeDirectory(const std::string& path) override {
        Directories.insert(path);
        return 0;
    }
    int RemoveFile(const std::string& path) override { return Files.erase(path) ? 0 : 2; }
    int ModificationTime(const std::string& path, int64_t& seconds) override {
        if (!Files.count(path)) return 2;
        auto it = Times.find(path);
        seconds = it == Times.end() ? 0 : it->second;
        return 0;
    }
};

} // namespace redewerk::testing
