#include "model/script_file.h"

#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/prompter.h"

namespace redewerk {

std::string ScriptTextToCp1252(std::string_view bytes, bool* lossy) {
    if (lossy) *lossy = false;
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        return Utf8ToCp1252(bytes.substr(kByteOrderMark.size()), lossy);
    if (LooksLikeUtf8(bytes)) return Utf8ToCp1252(bytes, lossy);
    return std::string(bytes);
}

int ReadScriptText(TFileSystem& files, const std::string& path, TPrompter& prompter,
                   std::string& text) {
    std::string bytes;
    text.clear();
    if (int error = files.ReadFile(path, bytes)) return error;
    bool lossy = false;
    text = ScriptTextToCp1252(bytes, &lossy);
    if (lossy) prompter.ShowMessage(LossyScriptWarning(path));
    return 0;
}

std::string LossyScriptWarning(const std::string& path) {
    return "Warnung: Die Datei \"" + PathToCp1252(path) +
           "\" ist UTF-8-kodiert und enth\xE4lt Zeichen, die es in Windows-1252 nicht gibt.\r\n"
           "Sie wurden durch \"?\" ersetzt.";
}

} // namespace redewerk
