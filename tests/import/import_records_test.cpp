#include "import/import_names.h"
#include "import/import_records.h"
#include "import/import_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace redewerk {
namespace {

TEST(NameIndex, OfNamesEqualWithoutCaseTheIndexFirstAsTextWins) {
    TImpObjList objects(12);
    for (auto& object : objects)
        object.Name = "Other";
    objects[2].Name = "B_Help";
    objects[10].Name = "b_help";
    objects[11].Name = "B_HELP";
    objects[3].Name = "\xC4rger";
    objects[4].Name = "1st";
    TNameIndex index;
    index.Build(objects);
    EXPECT_EQ(index.Find("B_Help"), 10); // "10" sorts before "11" and "2"
    EXPECT_EQ(index.Find("\xE4rger"), 3);
    EXPECT_EQ(index.Find("1st"), -1); // cannot start a name
    EXPECT_EQ(index.Find("#12#"), -1);
}

TEST(FolderNameFromFile, TakesTheLastPartAndOnlyLetters) {
    const std::pair<const char*, const char*> cases[] = {
        {"DIA_Guard_Gate.d", "Gate"},
        {"Info_Trader2.d", "Trader"},
        {"Gate.d", "Gate"},
        {"DIA_Guard_", "DIA_Guard_"}, // nothing after the last "_": the whole name
        {"DIA_Guard", "DIA_Guard"},   // no ".": the whole name
        {"DIA_\xE4\xF6\xFC\xC4\xD6\xDC\xDF.d", "aeOeUeAeOeUess"},
        {"DIA_123.d", "DooferDateiname"},
        {"DIA_Ab-c d.tar.d", "Abcd"},
    };
    for (const auto& [file, folder] : cases)
        EXPECT_EQ(FolderNameFromFile(file), folder) << file;
    for (const char* path : {"C:\\Mod\\DIA_A.d", "/home/mod/DIA_A.d", "D:DIA_A.d"})
        EXPECT_EQ(FileNameOf(path), "DIA_A.d") << path;
}

TEST(NodeNameCandidates, GrowFromTheLastPart) {
    EXPECT_EQ(NodeNameCandidates("DIA_Guard_Hello"),
              (std::vector<std::string>{"Hello", "Guard_Hello", "DIA_Guard_Hello"}));
    // No empty node name, and none that starts with "_".
    EXPECT_EQ(NodeNameCandidates("DIA_X_"), (std::vector<std::string>{"X_", "DIA_X_"}));
    EXPECT_EQ(NodeNameCandidates("A__B"), (std::vector<std::string>{"B", "A__B"}));
}

TEST(Unindent, RemovesTheSharedTabsOrOneLevel) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"a", "a\r\n"},
        {"a;\r\n\tb;\r\n\t\tc;", "a;\r\nb;\r\n\tc;\r\n"},
        {"a;\n    b;\n        c;\n", "a;\r\nb;\r\n    c;\r\n"},
        // A first line that opens a brace: the second line is one level deeper.
        {"if (x) {\r\n        b;\r\n    };", "if (x) {\r\n    b;\r\n};\r\n"},
        // Spaces followed by a tab, and lines indented less than the width.
        {"a;\r\n  \tb;\r\n c;", "a;\r\nb;\r\nc;\r\n"},
        // Without indentation on the second line the width is 4.
        {"a;\r\nb;\r\n      c;", "a;\r\nb;\r\n  c;\r\n"},
        {"a;\r\n\r\n\tb;", "a;\r\n\r\nb;\r\n"},
        // An exported option body stands two tabs deep, its blank lines too: all of it goes.
        {"a;\r\n\t\tb;\r\n\t\t\r\n\t\t\tc;", "a;\r\nb;\r\n\r\n\tc;\r\n"},
        // A comment at the line start shares nothing: one level goes from the others.
        {"a;\r\n// x\r\n\t\tb;", "a;\r\n// x\r\n\tb;\r\n"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Unindent(text), expected) << text;
}

} // namespace
} // namespace redewerk
