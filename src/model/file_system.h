#pragma once

#include <string>
#include <string_view>

namespace redewerk {

// Whole-file access, behind an interface so that tests can simulate a full disk or a
// missing file. Paths are native file-system paths. Errors are the system's error numbers
// (0 for success), which the callers show as "E/A-Fehler %d".
class TFileSystem {
public:
    virtual ~TFileSystem() = default;

    virtual int ReadFile(const std::string& path, std::string& content) = 0;

    // Writes into a temporary file beside `path` and renames it over `path` only when
    // everything was written, so a failed write never leaves a half-written file.
    virtual int WriteFile(const std::string& path, std::string_view content) = 0;

    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Creates the folder and any missing parents.
    virtual int CreateDirectory(const std::string& path) = 0;
};

// The real disk.
class TDiskFileSystem : public TFileSystem {
public:
    int ReadFile(const std::string& path, std::string& content) override;
    int WriteFile(const std::string& path, std::string_view content) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    int CreateDirectory(const std::string& path) override;
};

// A native path (UTF-8 on this system) as Windows-1252 text for messages and names.
std::string PathToCp1252(std::string_view path);

// A Windows-1252 text (a project name, a node name) as part of a native path.
std::string Cp1252ToPath(std::string_view text);

// "E/A-Fehler " followed by the error number.
std::string IoErrorMessage(int error);

} // namespace redewerk
