#pragma once

#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>

namespace redewerk {

// Whole-file access, behind an interface so that tests can simulate a full disk or a
// missing file. Paths are native file-system paths in UTF-8 (see native_path.h). Errors are
// the C library's error numbers (0 for success; on Windows translated from the system's
// codes), which the callers show as "E/A-Fehler %d".
class TFileSystem {
public:
    virtual ~TFileSystem() = default;

    virtual int ReadFile(const std::string& path, std::string& content) = 0;

    // Writes into a temporary file beside `path` and renames it over `path` only when
    // everything was written, so a failed write never leaves a half-written file. The file
    // keeps its identity: a symbolic link is written through to the file it names, a file
    // the user may not write (or one marked read-only on Windows) is refused with
    // kErrorReadOnly, and the new file takes the permission bits (on Windows the access
    // rights and the hidden and system marks) of the one it replaces.
    virtual int WriteFile(const std::string& path, std::string_view content) = 0;

    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Creates the folder and any missing parents.
    virtual int MakeDirectory(const std::string& path) = 0;
    virtual int RemoveFile(const std::string& path) = 0;
    // The time of the file's last change, in seconds since 1.1.1970 UTC.
    virtual int ModificationTime(const std::string& path, int64_t& seconds) = 0;
};

// What WriteFile returns for a file that the user may not write.
inline constexpr int kErrorReadOnly = EROFS;

// The real disk. Writing flushes the new file to the disk before it takes the old one's
// place and the folder after it, so that a crash leaves either the old or the new file.
// One implementation for POSIX systems, one for Windows.
class TDiskFileSystem : public TFileSystem {
public:
    int ReadFile(const std::string& path, std::string& content) override;
    int WriteFile(const std::string& path, std::string_view content) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    int MakeDirectory(const std::string& path) override;
    int RemoveFile(const std::string& path) override;
    int ModificationTime(const std::string& path, int64_t& seconds) override;
};

// A native path (UTF-8 on this system) as Windows-1252 text for messages and names.
std::string PathToCp1252(std::string_view path);

// A Windows-1252 text (a project name, a node name) as part of a native path.
std::string Cp1252ToPath(std::string_view text);

// "E/A-Fehler " followed by the error number.
std::string IoErrorMessage(int error);

// The message for a failed write: "Datei NAME ist schreibgeschützt." for kErrorReadOnly,
// else IoErrorMessage.
std::string WriteErrorMessage(const std::string& path, int error);

// The system's reason for an error number, in German ("Datei nicht gefunden").
std::string SystemErrorText(int error);

// "Datei nicht lesbar: NAME (REASON)", for a file that is missing, a folder or unreadable.
std::string UnreadableFileMessage(const std::string& path, int error);

} // namespace redewerk
