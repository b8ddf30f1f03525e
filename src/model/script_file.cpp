#include "model/script_file.h"

#include "model/cp1252.h"
#include "model/file_system.h"
#include "model/prompter.h"

namespace redewerk {
namespace {

// Text after a UTF-16 byte-order mark; characters outside Windows-1252 (surrogate pairs
// included) become '?'. A final odd byte is dropped.
std::string Utf16ToCp1252(std::string_view bytes, bool bigEndian, bool* lossy) {
    const auto unitAt = [&](size_t i) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    std::string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = unitAt(i);
        unsigned char byte;
        if (unit < 0xD800 || unit > 0xDFFF) {
            if (UnicodeToCp1252(unit, byte)) {
                text += static_cast<char>(byte);
                continue;
            }
        } else if (unit < 0xDC00 && i + 3 < bytes.size() && unitAt(i + 2) >= 0xDC00 &&
                   unitAt(i + 2) <= 0xDFFF) {
            i += 2; // the pair stands for one character
        }
        text += '?';
        if (lossy) *lossy = true;
    }
    return text;
}

} // namespace

std::string ScriptTextToCp1252(std::string_view bytes, bool* lossy) {
    if (lossy) *lossy = false;
    // Windows editors save "Unicode" as UTF-16 with a byte-order mark.
    if (bytes.starts_with("\xFF\xFE")) return Utf16ToCp1252(bytes.substr(2), false, lossy);
    if (bytes.starts_with("\xFE\xFF")) return Utf16ToCp1252(bytes.substr(2), true, lossy);
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark))
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
           "\" enth\xE4lt Zeichen, die es in Windows-1252 nicht gibt.\r\n"
           "Sie wurden durch \"?\" ersetzt.";
}

} // namespace redewerk
