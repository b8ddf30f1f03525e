#pragma once

#include <string>
#include <string_view>

namespace redewerk {

class TFileSystem;
class TProject;
class TPrompter;

// The ".dlx" project file: variables and macros, the NPC table, one record per node in
// pre-order and the selected node's index, as CR LF lines of Windows-1252 text. Sections
// end with 0x02 "END", the node list with 0x02 "EOF".

// Why reading stopped: the runtime's German text and the 1-based line where it happened.
struct TProjectFileError {
    std::string Message;
    int Line = 0;
};

// The file's content for the project. `unstorable`, when given, receives where the first
// text stands that the file would not read back as it is (see storable_text.h), for example
// "Wirt\Hallo (Description)"; it stays empty when every text reads back.
std::string SerializeProject(const TProject& project, std::string* unstorable = nullptr);

// Builds the project (which must be empty) from a file's content. On failure the project
// holds what was read up to that point. Accepts CR LF and LF line ends.
bool ParseProject(std::string_view content, TProject& project, TProjectFileError& error);

// Reads the file into a new project and takes it over only when it was read to its end, so a
// broken file leaves the open project untouched. Failures go to the prompter as the runtime
// text with the file's name and line on a second line.
bool LoadProject(TProject& project, const std::string& path, TFileSystem& files,
                 TPrompter& prompter);

// Writes the project through a temporary file, so a failed save keeps the old file.
// A project holding a text that would not read back is not written: the message names
// where it stands. A read-only file shows "Datei NAME ist schreibgeschützt.", any other
// failure "E/A-Fehler %d" with the system's error number.
bool SaveProject(const TProject& project, const std::string& path, TFileSystem& files,
                 TPrompter& prompter);

} // namespace redewerk
