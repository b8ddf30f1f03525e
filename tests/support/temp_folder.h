#pragma once

#include "model/native_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace redewerk::testing {

// A path as the program builds it: the folder, the system's separator, the name.
inline std::string JoinPath(const std::string& folder, const std::string& name) {
    return PathToUtf8(PathFromUtf8(folder) / PathFromUtf8(name));
}

inline std::string TempPath(const std::string& name) {
    return JoinPath(::testing::TempDir(), name);
}

// Removes a folder that a test left behind, read-only files in it too (Windows refuses to
// delete those).
inline void RemoveTree(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder, ignored);
}

} // namespace redewerk::testing
