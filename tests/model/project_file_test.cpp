#include "model/file_system.h"
#include "model/project.h"
#include "model/project_file.h"

#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <tuple>

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

// A file without variables and NPCs around the given node records.
std::string File(const std::string& nodes, int selected = -1) {
    return END + END + nodes + EOFM + std::to_string(selected) + "\r\n";
}

// The record of a Code block (kind 4) in the top row.
std::string CodeRecord(const std::string& name, long long id) {
    return name + "\r\n0\r\n4\r\n" + std::to_string(id) + "\r\n\r\n" + END + END;
}

bool Parse(const std::string& file, TProject& project) {
    TProjectFileError error;
    const bool ok = ParseProject(file, project, error);
    EXPECT_TRUE(ok) << error.Message << " in line " << error.Line;
    return ok;
}

// Wirt (folder) > Hallo (Dialog) > Ja (Choice); Wirt > Alarm (Event); Code in the top row.
void BuildSample(TProject& project) {
    project.Variables = {"var int Gold;", "const int X = 1;"};
    project.Npcs.Add("Wirt", "VLK_401_Wirt");
    TNode* folder = project.Tree.AppendChild(nullptr, "Wirt");
    TElement& dialog = AddBlock(project, folder, "Hallo", ekDialog);
    dialog.Heading = "Begr\xFC\xDFung";
    dialog.Npc = "Wirt";
    dialog.Description = "Hallo!";
    dialog.Important = true;
    dialog.Trade = true;
    dialog.Condition = {"Npc_KnowsInfo (hero, #1#)"};
    dialog.Body = {">>Hallo.", "<<Tag."};
    dialog.KnownRefs = {1, 1};
    TElement& event = AddBlock(project, folder, "Alarm", ekEvent);
    event.Permanent = true;
    TElement& choice = AddBlock(project, dialog.Node, "Ja", ekChoice);
    choice.Description = "!DIALOG_ENDE";
    choice.Condition = {"not stored"};
    AddBlock(project, nullptr, "Code", ekCode).Npc = "not stored either";
    project.Selected = event.Node;
}

TEST(ProjectFile, WritesEachKindsFieldsInOrderAndReadsThemBack) {
    TProject project;
    BuildSample(project);
    std::string expected = "var int Gold;\r\nconst int X = 1;\r\n" + END +
                           "Wirt\r\nVLK_401_Wirt\r\n" + END + "Wirt\r\n0\r\n0\r\n" +
                           "Hallo\r\n1\r\n1\r\n0\r\nBegr\xFC\xDFung\r\nWirt\r\n10\r\nHallo!\r\n"
                           "False\r\nTrue\r\nTrue\r\n"
                           "Npc_KnowsInfo (hero, #1#)\r\n" +
                           END + ">>Hallo.\r\n<<Tag.\r\n" + END + "1\r\n1\r\n" + END +
                           "Ja\r\n2\r\n3\r\n2\r\n\r\n!DIALOG_ENDE\r\n" + END + END +
                           "Alarm\r\n1\r\n2\r\n1\r\n\r\nTrue\r\nFalse\r\n" + END + END + END +
                           "Code\r\n0\r\n4\r\n3\r\n\r\n" + END + END + EOFM + "3\r\n";
    EXPECT_EQ(SerializeProject(project), expected);

    TProject loaded;
    ASSERT_TRUE(Parse(expected, loaded));
    EXPECT_EQ(SerializeProject(loaded), expected);
    EXPECT_EQ(loaded.Selected, loaded.Tree.FindByPath("Wirt\\Alarm"));
    TNode* ja = loaded.Tree.FindByPath("Wirt\\Hallo\\Ja");
    EXPECT_EQ(ja->Element()->Node, ja);
    EXPECT_EQ(loaded.Elements.At(2), ja->Element());
}

TEST(ProjectFile, AClearedProjectIsFourLinesAndStartsAgainAtIdZero) {
    TProject project;
    BuildSample(project);
    project.MenuAnchor = project.Selected;
    project.ClearProject();
    EXPECT_EQ(SerializeProject(project), File(""));
    EXPECT_EQ(project.Selected, nullptr);
    EXPECT_EQ(project.MenuAnchor, nullptr);
    EXPECT_EQ(project.CreateElement(project.Tree.AppendChild(nullptr, "B"), ekDialog), 0);
}

// Each slot's node text up to `size`, "-" for a free slot.
std::string SlotOwners(const TProject& project, int32_t size) {
    std::string owners;
    for (int32_t id = 0; id < size; ++id) {
        const TElement* element = project.Elements.LiveAt(id);
        owners += element ? element->Node->Text() : "-";
        EXPECT_TRUE(!element || element->Node->Element() == element) << id;
    }
    return owners;
}

TEST(ProjectFile, IdGapsBecomeFreeSlotsAndADuplicateIdMovesTheEarlierBlock) {
    TProject project;
    ASSERT_TRUE(Parse(
        File(CodeRecord("A", 0) + CodeRecord("B", 5) + CodeRecord("C", 7) + CodeRecord("D", 5)),
        project));
    EXPECT_EQ(project.Elements.Size(), 8);
    EXPECT_EQ(SlotOwners(project, 8), "AB---D-C");
    EXPECT_EQ(project.Selected, nullptr);
    EXPECT_EQ(project.CreateElement(project.Tree.AppendChild(nullptr, "Neu"), ekDialog), 2);
}

// Memory follows the blocks, not the ids: a block with the highest id there is loads, saves
// unchanged and leaves the low ids to new blocks.
TEST(ProjectFile, AnyIdLoadsAndTheGapsBelowStayFree) {
    const std::string file =
        File(CodeRecord("A", 0) + CodeRecord("Fern", 2147483647) + CodeRecord("B", 2), 1);
    TProject project;
    ASSERT_TRUE(Parse(file, project));
    EXPECT_EQ(project.Elements.Size(), 2147483648);
    EXPECT_EQ(project.Elements.LiveAt(2147483647)->Node->Text(), "Fern");
    EXPECT_EQ(SerializeProject(project), file);
    EXPECT_EQ(SlotOwners(project, 4), "A-B-");
    EXPECT_EQ(project.CreateElement(project.Tree.AppendChild(nullptr, "N1"), ekCode), 1);
    EXPECT_EQ(project.CreateElement(project.Tree.AppendChild(nullptr, "N3"), ekCode), 3);
    project.DeleteSubtree(project.Tree.FindByPath("A"));
    EXPECT_EQ(project.CreateElement(project.Tree.AppendChild(nullptr, "N0"), ekCode), 0);
}

TEST(ProjectFile, PlacesNodesByLevelRelativeToThePreviousNode) {
    // Levels as they may stand in a hand-edited file: the first node goes to the top row
    // whatever its level, a jump of two is a direct child, a drop walks up.
    for (auto [levels, paths] : std::initializer_list<std::pair<std::vector<int>, std::string>>{
             {{3, 4}, "N0|N0\\N1"},
             {{0, 3, 1}, "N0|N0\\N1|N0\\N2"},
             {{0, 1, 2, -5}, "N0|N0\\N1|N0\\N1\\N2|N3"}}) {
        std::string nodes;
        for (size_t i = 0; i < levels.size(); ++i)
            nodes += "N" + std::to_string(i) + "\r\n" + std::to_string(levels[i]) + "\r\n0\r\n";
        TProject project;
        ASSERT_TRUE(Parse(File(nodes), project));
        std::string placed; // pre-order node paths, joined by "|"
        project.Tree.ForEachPreOrder([&](TNode* node) {
            if (!placed.empty()) placed += "|";
            placed += node->Path();
        });
        EXPECT_EQ(placed, paths);
    }
}

// A file may nest nodes as deep as it likes: reading, writing, finding and deleting such a
// chain must take neither quadratic time nor one stack frame per level.
TEST(ProjectFile, HandlesAVeryDeepNesting) {
    constexpr int kDepth = 1000000;
    std::string nodes;
    for (int level = 0; level + 1 < kDepth; ++level)
        nodes += "N\r\n" + std::to_string(level) + "\r\n0\r\n";
    nodes += "B\r\n" + std::to_string(kDepth - 1) + "\r\n4\r\n0\r\n\r\n" + END + END;
    nodes += "M\r\n1\r\n0\r\n";
    const std::string file = File(nodes, kDepth);
    TProject project;
    ASSERT_TRUE(Parse(file, project));
    ASSERT_NE(project.Selected, nullptr);
    EXPECT_EQ(project.Selected->Text(), "M");
    EXPECT_EQ(project.Selected->Level(), 1);
    EXPECT_EQ(SerializeProject(project), file);
    const TNode* deepest = project.Elements.At(0)->Node;
    EXPECT_EQ(project.Tree.FindByPath(deepest->Path()), deepest);
    EXPECT_EQ(project.DeleteSubtree(project.Tree.TopRow().front().get()), std::vector<int32_t>{0});
    EXPECT_TRUE(project.Tree.IsEmpty());
}

TEST(ProjectFile, ReadsFlagsAndLineEndsLeniently) {
    std::string file = File(
        "D\r\n0\r\n1\r\n0\r\n\r\nWirt\r\n10\r\n\r\ntrue\r\n1\r\nFALSE\r\n" + END + END + END, 0);
    std::erase(file, '\r');
    TProject project;
    ASSERT_TRUE(Parse(file, project));
    const TElement* e = project.Elements.At(0);
    EXPECT_TRUE(e->Permanent);
    EXPECT_TRUE(e->Important);
    EXPECT_FALSE(e->Trade);
    EXPECT_EQ(project.Selected, e->Node);
}

TEST(ProjectFile, BrokenFilesSayWhatAndWhere) {
    const std::string dialogHead = END + END + "D\r\n0\r\n1\r\n0\r\n\r\nWirt\r\n10\r\n\r\n";
    for (auto [file, message, line] :
         std::initializer_list<std::tuple<std::string, std::string, int>>{
             {END + END + "A\r\nx\r\n", "Ung\xFCltige numerische Eingabe", 4},
             {END + END + "A\r\n0\r\n1\r\n-3\r\n", "Ung\xFCltige numerische Eingabe", 6},
             {File(CodeRecord("A", 2147483648)), "Ung\xFCltige numerische Eingabe", 6},
             {dialogHead + "Ja\r\n", "'Ja' ist kein g\xFCltiger boolescher Wert", 11},
             {dialogHead + "True\r\nTrue\r\nTrue\r\n" + END + END + "7x\r\n",
              "'7x' ist kein g\xFCltiger Integerwert", 16},
             {"var int x;\r\n", "E/A-Fehler 38", 1},
             {END + END + "A\r\n0\r\n0\r\n", "E/A-Fehler 38", 5}}) {
        TProject project;
        TProjectFileError error;
        EXPECT_FALSE(ParseProject(file, project, error));
        EXPECT_EQ(error.Message, message);
        EXPECT_EQ(error.Line, line) << message;
    }
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

    files.Files["gut.dlx"] = File("Neu\r\n0\r\n0\r\n", 0);
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
    EXPECT_FALSE(SaveProject(TProject{}, "p.dlx", files, prompter));
    EXPECT_EQ(files.Files["p.dlx"], "old");
    EXPECT_EQ(prompter.Messages, std::vector<std::string>{"E/A-Fehler 28"});
}

} // namespace
} // namespace redewerk
