#include "model/native_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace redewerk {
namespace {

namespace fs = std::filesystem;

// Paths in UTF-8 come apart into folder and name and go back together as they were, in any
// language: letters of Windows-1252, letters outside it, and a network share in front.
TEST(NativePath, TakesUtf8PathsApartAndBackUnchanged) {
    const std::string sep(1, static_cast<char>(fs::path::preferred_separator));
    const std::string share = sep + sep + "server" + sep + "freigabe";
    const struct {
        std::string Folder;
        std::string Name;
        std::u32string NameLetters;
    } cases[] = {
        {"Ausgabe_\xC3\x84", "DIA_Caf\xC3\xA9.d", U"DIA_Caf\u00E9.d"},
        {"C:" + sep + "Users" + sep + "J\xC3\xBCrgen", "Dialoge_\xC5\x81ukasz.d",
         U"Dialoge_\u0141ukasz.d"},
        {share + sep + "\xD0\x9C\xD0\xBE\xD0\xB4", "\xD0\x94\xD0\xB8\xD0\xB0.d",
         U"\u0414\u0438\u0430.d"},
        {share, "\xF0\x9F\x8D\xBA.d", U"\U0001F37A.d"}, // beyond UTF-16's single units
    };
    for (const auto& item : cases) {
        const std::string whole = item.Folder + sep + item.Name;
        SCOPED_TRACE(whole);
        const fs::path path = PathFromUtf8(whole);
        EXPECT_EQ(PathToUtf8(path), whole);
        EXPECT_EQ(PathToUtf8(path.parent_path()), item.Folder);
        EXPECT_EQ(PathToUtf8(path.filename()), item.Name);
        EXPECT_EQ(path.filename(), fs::path(item.NameLetters)); // the letters, not their bytes
        EXPECT_EQ(PathToUtf8(PathFromUtf8(item.Folder) / PathFromUtf8(item.Name)), whole);
    }
}

// What is no UTF-8 is read as Windows-1252 where the system needs letters; what Windows
// allows but UTF-8 cannot hold becomes U+FFFD. Nothing throws.
TEST(NativePath, BrokenTextStillGivesAPath) {
#ifdef _WIN32
    EXPECT_EQ(PathToUtf8(PathFromUtf8("Caf\xE9.d")), "Caf\xC3\xA9.d");
    EXPECT_EQ(PathToUtf8(fs::path(std::wstring(L"a\xD800z"))), "a\xEF\xBF\xBDz");
#else
    EXPECT_EQ(PathToUtf8(PathFromUtf8("Caf\xE9.d")), "Caf\xE9.d"); // a name is just bytes
#endif
}

} // namespace
} // namespace redewerk
