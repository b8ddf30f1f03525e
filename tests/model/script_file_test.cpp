#include "model/script_file.h"

#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace redewerk {
namespace {

TEST(ScriptTextToCp1252, ConvertsUtf8AndUtf16AndLeavesWindows1252Alone) {
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"var int a;", "var int a;", false},
        {"// s\xFC\xDF", "// s\xFC\xDF", false},                           // Windows-1252
        {"// s\xC3\xBC\xC3\x9F \xE2\x82\xAC", "// s\xFC\xDF \x80", false}, // UTF-8
        {"\xEF\xBB\xBFvar int a;", "var int a;", false},                   // mark, ASCII
        {"\xEF\xBB\xBF// \xE2\x98\x83 \xFC", "// ? \xFC", true},           // mark, invalid byte
        {"// \xE2\x98\x83", "// ?", true},
        // UTF-16 with its mark, little and big endian; a surrogate pair is one character
        {std::string("\xFF\xFEv\0\xE4\0\xAC\x20", 8), "v\xE4\x80", false},
        {std::string("\xFE\xFF\0v\0\xE4", 6), "v\xE4", false},
        {std::string("\xFF\xFEx\0\x3D\xD8\x00\xDEy\0", 10), "x?y", true},
        // a lone high surrogate does not take the character after it along
        {std::string("\xFF\xFEx\0\x3D\xD8y\0", 8), "x?y", true}};
    for (const auto& [bytes, text, lossy] : cases) {
        bool reported = !lossy;
        EXPECT_EQ(ScriptTextToCp1252(bytes, &reported), text) << bytes;
        EXPECT_EQ(reported, lossy) << bytes;
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
