#pragma once

#include <string>
#include <string_view>

namespace redewerk {

class TFileSystem;
class TPrompter;

// Daedalus scripts are Windows-1252 files, but version control and modern editors often turn
// them into UTF-8. Text that starts with the UTF-8 byte-order mark, or that is valid UTF-8
// and holds characters beyond ASCII, is converted to Windows-1252 (the mark dropped); plain
// Windows-1252 text stays as it is. Text after a UTF-16 byte-order mark (what Windows
// editors save as "Unicode") is converted too. `lossy` tells whether a character had no
// Windows-1252 form and became "?".
std::string ScriptTextToCp1252(std::string_view bytes, bool* lossy = nullptr);

// Reads a script file through ScriptTextToCp1252. When characters were lost, the prompter
// shows one warning that names the file. Returns 0 or the system's error number.
int ReadScriptText(TFileSystem& files, const std::string& path, TPrompter& prompter,
                   std::string& text);

// The warning shown when a UTF-8 script held characters without a Windows-1252 form.
std::string LossyScriptWarning(const std::string& path);

} // namespace redewerk
