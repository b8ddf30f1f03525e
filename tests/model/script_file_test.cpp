#include "model/script_file.h"

#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

TEST(ScriptTextToCp1252, ConvertsUtf8AndLeavesWindows1252Alone) {
    struct TCase {
        std::string Bytes, Text;
        bool Lossy;
    };
    const TCase cases[] = {
        {"var int a;", "var int a;", false},
        {"// Gr\xFC\xDF"
         "e",
         "// Gr\xFC\xDF"
         "e",
         false}, // Windows-1252
        {"// Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC",
         "// Gr\xFC\xDF"
         "e \x80",
         false},                                                 // UTF-8
        {"\xEF\xBB\xBFvar int a;", "var int a;", false},         // mark, ASCII
        {"\xEF\xBB\xBF// \xE2\x98\x83 \xFC", "// ? \xFC", true}, // mark, invalid byte
        {"// \xE2\x98\x83", "// ?", true},
        // UTF-16 with its mark, little and big endian; a surrogate pair is one character
        {std::string("\xFF\xFEv\0\xE4\0\xAC\x20", 8), "v\xE4\x80", false},
        {std::string("\xFE\xFF\0v\0\xE4", 6), "v\xE4", false},
        {std::string("\xFF\xFE"
                     "a\0\x3D\xD8\x00\xDE"
                     "b\0",
                     10),
         "a?b", true},
    };
    for (const TCase& c : cases) {
        bool lossy = !c.Lossy;
        EXPECT_EQ(ScriptTextToCp1252(c.Bytes, &lossy), c.Text) << c.Bytes;
        EXPECT_EQ(lossy, c.Lossy) << c.Bytes;
    }
}

TEST(ReadScriptText, WarnsOnceAboutLostCharacters) {
    testing::TMemoryFileSystem files;
    testing::TRecordingPrompter prompter;
    files.Files["DIA_\xC3\xA4.d"] = "// \xE2\x98\x83 \xE2\x98\x83\r\n";
    std::string text;
    EXPECT_EQ(ReadScriptText(files, "DIA_\xC3\xA4.d", prompter, text), 0);
    EXPECT_EQ(text, "// ? ?\r\n");
    EXPECT_EQ(prompter.Messages,
              (std::vector<std::string>{"Warnung: Die Datei \"DIA_\xE4.d\" "
                                        "enth\xE4lt Zeichen, die es in Windows-1252 nicht gibt.\r\n"
                                        "Sie wurden durch \"?\" ersetzt."}));
    EXPECT_EQ(ReadScriptText(files, "missing.d", prompter, text), 2);
    EXPECT_EQ(prompter.Messages.size(), 1u);
}

} // namespace
} // namespace redewerk
