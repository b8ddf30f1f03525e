#pragma once

#include "app/cli/cli.h"
#include "model/file_system.h"
#include "model/native_path.h"
#include "model/project.h"
#include "model/project_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace redewerk::testing {

// The outcome of one in-process run of redewerk-cli; compared whole, so that a test states
// the exit code and both outputs at once.
struct TCliRun {
    int Exit;
    std::string Out;
    std::string Err;
    bool operator==(const TCliRun&) const = default;
};

inline std::ostream& operator<<(std::ostream& stream, const TCliRun& run) {
    return stream << "exit " << run.Exit << "\nout: " << ::testing::PrintToString(run.Out)
                  << "\nerr: " << ::testing::PrintToString(run.Err);
}

inline TCliRun RunCliCommand(const std::vector<std::string>& args, TFileSystem& files) {
    std::ostringstream out, err;
    int exit = RunCli(args, out, err, files);
    return {exit, out.str(), err.str()};
}

inline TCliRun RunCliCommand(const std::vector<std::string>& args) {
    TDiskFileSystem files;
    return RunCliCommand(args, files);
}

// Writes a file into the test's temporary folder and returns its path.
inline std::string WriteTempFile(const std::string& name, const std::string& content) {
    const std::string path = TempPath(name);
    TDiskFileSystem files;
    EXPECT_EQ(files.WriteFile(path, content), 0) << path;
    return path;
}

// A folder of the temporary folder, emptied of whatever an earlier run left in it.
inline std::filesystem::path EmptyFolder(const std::string& name) {
    const std::filesystem::path folder = PathFromUtf8(TempPath(name));
    RemoveTree(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// The names in a folder: what a command wrote there.
inline std::set<std::string> FileNames(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(PathToUtf8(entry.path().filename()));
    return names;
}

inline std::string ReadDiskFile(const std::string& path) {
    std::string content;
    TDiskFileSystem files;
    EXPECT_EQ(files.ReadFile(path, content), 0) << path;
    return content;
}

inline std::string ReadDiskFile(const std::filesystem::path& path) {
    return ReadDiskFile(PathToUtf8(path));
}

// The node paths of a project file in pre-order: what a command put where.
inline std::vector<std::string> ProjectOutline(const std::string& content) {
    TProject project;
    TProjectFileError error;
    EXPECT_TRUE(ParseProject(content, project, error)) << error.Message;
    std::vector<std::string> paths;
    project.Tree.ForEachPreOrder([&](TNode* node) { paths.push_back(node->Path()); });
    return paths;
}

} // namespace redewerk::testing
