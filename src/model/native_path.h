#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace redewerk {

// Paths inside the program are UTF-8 strings on every system. A std::filesystem::path made
// from a plain std::string would be read in the ANSI code page on Windows (and turned back
// into it by string()), which mangles every letter outside it; these two are the only way
// between the two forms.

// The path a UTF-8 string names. Bytes that are no UTF-8 are taken as Windows-1252.
std::filesystem::path PathFromUtf8(std::string_view utf8);

// The path as a UTF-8 string, with the system's own separators where it has them.
std::string PathToUtf8(const std::filesystem::path& path);

} // namespace redewerk
