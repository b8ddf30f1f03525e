#include "model/native_path.h"

#include "model/cp1252.h"

namespace redewerk {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    try {
        return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
    } catch (const std::exception&) {
        // Only a system with UTF-16 paths converts, and it refuses broken UTF-8. Such a path
        // cannot come from the command line or a file chooser, only from an old text, and
        // old texts are Windows-1252.
        const std::string repaired = Cp1252ToUtf8(Utf8ToCp1252(utf8));
        return std::filesystem::path(std::u8string(repaired.begin(), repaired.end()));
    }
}

#ifdef _WIN32
namespace {

// A UTF-16 name that is no valid UTF-16 (Windows allows a lone surrogate in a file name),
// with U+FFFD for what has no UTF-8 form.
std::string RepairedUtf8(std::wstring_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

} // namespace
#endif

std::string PathToUtf8(const std::filesystem::path& path) {
    try {
        const std::u8string utf8 = path.u8string();
        return std::string(utf8.begin(), utf8.end());
    } catch (const std::exception&) {
#ifdef _WIN32
        return RepairedUtf8(path.native());
#else
        throw; // a path of bytes converts to UTF-8 by copying them
#endif
    }
}

} // namespace redewerk
