#include "model/file_system.h"
#include "model/project.h"
#include "model/project_file.h"

#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>


namespace redewerk {
namespace {

const std::string END = "\x02"
                        "END\r\n";
const std::string EOFM = "\x02"
                         "EOF\r\n";

using testing::TMemoryFileSystem;

TElement& AddBlock(TProject& project, TNode* parent, const std::string& name, int32_t kind) {
    TNode* node = project.Tree.AppendChild(parent, name);
    project.CreateElement(node, kind);
    return *node->Element();
}

TEST(ProjectFile, EmptyProjectIsFourLines) {
    TProject project;
    EXPECT_EQ(SerializeProject(project), END + END + EOFM + "-1\r\n");
}

TEST(ProjectFile, WritesEachKindsFieldsInOrder) {
    TProject project;
    project.Variables = {"var int Gold;", "const int X = 1;"};
    project.Npcs.Add("Wirt", "VLK_401_Wirt");
    TNode* folder = project.Tree.AppendChild(nullptr, "Wirt");
    TElement& dialog = AddBlock(project, folder, "Hallo", ekDialog);
    dialog.Heading = "Begr\xFC\xDFung";
    dialog.Npc = "Wirt";
    dialog.Description = "Hallo!";
    dialog.Important = true;
    dialog.Condition = {"Npc_KnowsInfo (hero, #1#)"};
    dialog.Body = {">>Hallo.", "<<Tag."};
    dialog.KnownRefs = {1, 1};
    TElement& event = AddBlock(project, folder, "Alarm", ekEvent);
    event.Permanent = true;
    TElement& choice = AddBlock(project, folder, "Ja", ekChoice);
    choice.Description = "Ja.";
    choice.Condition = {"not stored"};
    TElement& code = AddBlock(project, nullptr, "Code", ekCode);
    code.Npc = "not stored either";
    project.Selected = folder->Child(1);

    std::string expected = "var int Gold;\r\nconst int X = 1;\r\n" + END +
                           "Wirt\r\nVLK_401_Wirt\r\n" + END + "Wirt\r\n0\r\n0\r\n" +
                           "Hallo\r\n1\r\n1\r\n0\r\nBegr\xFC\xDFung\r\nWirt\r\n10\r\nHallo!\r\n"
                           "False\r\nTrue\r\nFalse\r\n"
                           "Npc_KnowsInfo (hero, #1#)\r\n" +
                           END + ">>Hallo.\r\n<<Tag.\r\n" + END + "1\r\n1\r\n" + END +
                           "Alarm\r\n1\r\n2\r\n1\r\n\r\nTrue\r\nFalse\r\n" + END + END + END +
                           "Ja\r\n1\r\n3\r\n2\r\n\r\nJa.\r\n" + END + END +
                           "Code\r\n0\r\n4\r\n3\r\n\r\n" + END + END + EOFM + "2\r\n";
    EXPECT_EQ(SerializeProject(project), expected);
}

TEST(ProjectFile, RoundTripKeepsTreeFieldsIdsAndSelection) {
    TProject project;
    project.Variables = {"var int Gold;"};
    project.Npcs.Add("Wirt", "VLK_401_Wirt");
    TNode* folder = project.Tree.AppendChild(nullptr, "Wirt");
    TElement& dialog = AddBlock(project, folder, "Hallo", ekDialog);
    dialog.Trade = true;
    dialog.Permanent = true;
    dialog.Nr = "5";
    dialog.Body = {"++#12#", "ENDE"};
    TElement& option = AddBlock(project, folder->Child(0), "Ja", ekChoice);
    option.Description = "!DIALOG_ENDE";
    AddBlock(project, nullptr, "Code", ekCode);
    project.Selected = option.Node;

    std::string saved = SerializeProject(project);
    TProject loaded;
    TProjectFileError error;
    ASSERT_TRUE(ParseProject(saved, loaded, error)) << error.Message;
    EXPECT_EQ(SerializeProject(loaded), saved);
    EXPECT_EQ(loaded.Selected, loaded.Tree.FindByPath("Wirt\\Hallo\\Ja"));
    const TElement* hallo = loaded.Tree.FindByPath("wirt\\hallo")->Element();
    EXPECT_EQ(hallo->Body, (TLines{"++#12#", "ENDE"}));
    EXPECT_TRUE(hallo->Trade);
    EXPECT_EQ(hallo->Nr, "5");
    EXPECT_EQ(hallo->Node, loaded.Tree.FindByPath("Wirt\\Hallo"));
}

TEST(ProjectFile, IdGapsBecomeFreePlaceholders) {
    std::string file = END + END;
    for (int id : {0, 5, 7})
        file += "B" + std::to_string(id) + "\r\n0\r\n4\r\n" + std::to_string(id) + "\r\n\r\n" +
                END + END;
    file += EOFM + "-1\r\n";
    TProject project;
    TProjectFileError error;
    ASSERT_TRUE(ParseProject(file, project, error)) << error.Message;
    EXPECT_EQ(project.Elements.Size(), 8);
    for (int id = 0; id < 8; ++id) {
        bool used = id == 0 || id == 5 || id == 7;
        EXPECT_EQ(project.Elements.At(id)->IsFree(), !used) << id;
    }
    EXPECT_EQ(project.Selected, nullptr);
    TNode* node = project.Tree.AppendChild(nullptr, "Neu");
    EXPECT_EQ(project.CreateElement(node, ekDialog), 1);
}

TEST(ProjectFile, PlacesNodesByLevelRelativeToThePreviousNode) {
    // Levels as they may stand in a hand-edited file: the first node goes to the top row
    // whatever its level, a jump of two is a direct child, a drop walks up.
    struct Case {
        std::vector<int> Levels;
        const char* Paths; // pre-order node paths, joined by "|"
    };
    const Case cases[] = {
        {{0, 1, 2, 1, 0}, "N0|N0\\N1|N0\\N1\\N2|N0\\N3|N4"},
        {{3, 4}, "N0|N0\\N1"},
        {{0, 3, 1}, "N0|N0\\N1|N0\\N2"},
        {{0, 1, 2, 0}, "N0|N0\\N1|N0\\N1\\N2|N3"},
        {{0, 1, 2, -5}, "N0|N0\\N1|N0\\N1\\N2|N3"},
        {{1, 1, 0}, "N0|N0\\N1|N2"},
    };
    for (const auto& c : cases) {
        std::string file = END + END;
        for (size_t i = 0; i < c.Levels.size(); ++i)
            file += "N" + std::to_string(i) + "\r\n" + std::to_string(c.Levels[i]) + "\r\n0\r\n";
        file += EOFM + "-1\r\n";
        TProject project;
        TProjectFileError error;
        ASSERT_TRUE(ParseProject(file, project, error)) << error.Message;
        std::string paths;
        project.Tree.ForEachPreOrder([&](TNode* node) {
            if (!paths.empty()) paths += "|";
            paths += node->Path();
        });
        EXPECT_EQ(paths, c.Paths);
    }
}

TEST(ProjectFile, ReadsFlagsAndLineEndsLeniently) {
    std::string file = std::string("\x02"
                                   "END\n\x02"
                                   "END\n") +
                       "D\n0\n1\n0\n\nWirt\n10\n\ntrue\n1\nFALSE\n\x02"
                       "END\n\x02"
                       "END\n\x02"
                       "END\n" +
                       "\x02"
                       "EOF\n0\n";
    TProject project;
    TProjectFileError error;
    ASSERT_TRUE(ParseProject(file, project, error)) << error.Message;
    const TElement* e = project.Elements.At(0);
    EXPECT_TRUE(e->Permanent);
    EXPECT_TRUE(e->Important);
    EXPECT_FALSE(e->Trade);
    EXPECT_EQ(project.Selected, e->Node);
}

TEST(ProjectFile, BrokenFilesSayWhatAndWhere) {
    const std::string dialogHead = END + END + "D\r\n0\r\n1\r\n0\r\n\r\nWirt\r\n10\r\n\r\n";
    struct Case {
        std::string File;
        std::string Message;
        int Line;
    };
    const Case cases[] = {
        {END + END + "A\r\nx\r\n", "Ung\xFCltige numerische Eingabe", 4},
        {END + END + "A\r\n0\r\n1\r\n-3\r\n", "Ung\xFCltige numerische Eingabe", 6},
        {dialogHead + "Ja\r\n", "'Ja' ist kein g\xFCltiger boolescher Wert", 11},
        {dialogHead + "True\r\nTrue\r\nTrue\r\n" + END + END + "7x\r\n",
         "'7x' ist kein g\xFCltiger Integerwert", 16},
        {"var int x;\r\n", "E/A-Fehler 38", 1},
        {END + END + "A\r\n0\r\n0\r\n", "E/A-Fehler 38", 5},
    };
    for (const auto& c : cases) {
        TProject project;
        TProjectFileError error;
        EXPECT_FALSE(ParseProject(c.File, project, error));
        EXPECT_EQ(error.Message, c.Message);
        EXPECT_EQ(error.Line, c.Line) << c.Message;
    }
}

TEST(ProjectFile, DuplicateIdMovesTheEarlierBlockToAFreeId) {
    std::string file = END + END;
    for (const char* name : {"A", "B"})
        file += std::string(name) + "\r\n0\r\n4\r\n3\r\n\r\n" + END + END;
    file += EOFM + "-1\r\n";
    TProject project;
    TProjectFileError error;
    ASSERT_TRUE(ParseProject(file, project, error));
    TNode* a = project.Tree.FindByPath("A");
    TNode* b = project.Tree.FindByPath("B");
    EXPECT_EQ(b->Element()->Id, 3);
    EXPECT_EQ(project.Elements.At(3), b->Element());
    EXPECT_EQ(a->Element()->Id, 0);
    EXPECT_EQ(project.Elements.At(0), a->Element());
    EXPECT_EQ(a->Element()->Node, a);
}

TEST(ProjectFile, BrokenFileLeavesTheOpenProjectUntouched) {
    TMemoryFileSystem files;
    testing::TRecordingPrompter prompter;
    TProject project;
    AddBlock(project, nullptr, "Hallo", ekDialog);
    const std::string before = SerializeProject(project);

    files.Files["kaputt.dlx"] = END + END + "A\r\n0\r\nzwei\r\n";
    EXPECT_FALSE(LoadProject(project, "kaputt.dlx", files, prompter));
    EXPECT_FALSE(LoadProject(project, "fehlt.dlx", files, prompter));
    EXPECT_EQ(SerializeProject(project), before);
    EXPECT_EQ(prompter.Messages, (std::vector<std::string>{
                                     "Ung\xFCltige numerische Eingabe\nDatei: kaputt.dlx, Zeile 5",
                                     "E/A-Fehler 2\nDatei: fehlt.dlx"}));

    files.Files["gut.dlx"] = END + END + "Neu\r\n0\r\n0\r\n" + EOFM + "0\r\n";
    EXPECT_TRUE(LoadProject(project, "gut.dlx", files, prompter));
    EXPECT_EQ(project.Tree.NodeCount(), 1);
    EXPECT_EQ(project.Selected, project.Tree.FindByPath("Neu"));
    EXPECT_TRUE(project.Elements.IsEmpty());
}

TEST(ProjectFile, FailedSaveReportsAndKeepsTheOldFile) {
    TMemoryFileSystem files;
    testing::TRecordingPrompter prompter;
    files.Files["p.dlx"] = "old";
    files.WriteError = 28; // no space left on the device
    TProject project;
    EXPECT_FALSE(SaveProject(project, "p.dlx", files, prompter));
    EXPECT_EQ(files.Files["p.dlx"], "old");
    EXPECT_EQ(prompter.Messages, std::vector<std::string>{"E/A-Fehler 28"});
}

} // namespace
} // namespace redewerk
