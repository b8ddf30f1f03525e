#include "import/dia_import.h"
#include "import/dia_node_names.h"

#include "model/names.h"
#include "model/project.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::TRecordingPrompter;

// Node names of imported blocks: unique among their siblings, free of characters that node
// names may not hold, and every reference of the file still reaches the block it names.
class DiaNodeNamesTest : public ::testing::Test {
protected:
    void Import(const std::string& text) {
        ASSERT_TRUE(ImportDiaText(Project, text, TDiaImportMode::Append, Prompter).Imported);
    }
    const TElement& Block(const std::string& path) {
        TNode* node = Project.Tree.FindByPath(path);
        if (!node || !node->Element()) throw std::runtime_error("no block " + path);
        return *node->Element();
    }
    std::string Ref(const std::string& path) { return "#" + std::to_string(Block(path).Id) + "#"; }
    std::string Known(const std::string& path) {
        return "#!" + std::to_string(Block(path).Id) + "#";
    }
    std::vector<std::string> Paths() {
        std::vector<std::string> paths;
        Project.Tree.ForEachPreOrder([&](TNode* node) { paths.push_back(node->Path()); });
        return paths;
    }

    TProject Project;
    TRecordingPrompter Prompter;
};

// Every kind of reference the file can hold: to an option of the same dialog, to a sibling
// option, to an option of a later dialog, a known-reference to a later dialog, the listing of a
// marked option and the pickpocket dialog's own options.
const std::string kWirt = "PERSON: VLK_400_Wirt\n"
                          "INFO: Hallo\n"
                          "CONDDIA: Frage\n"
                          "%Ja\n"
                          "OPT: Ja\n"
                          "%Nein\n"
                          "CONDDIA: Frage\n"
                          "OPT: Nein\n"
                          "%\n"
                          "%Frage, Eins\n"
                          "INFO: Frage\n"
                          "OPT: Eins\n"
                          "INFO: Pickpocket 30 40\n";

TEST_F(DiaNodeNamesTest, SameFileTwiceGivesNewNamesAndKeepsReferencesInTheNewBlocks) {
    Import(kWirt);
    const std::vector<std::string> first = {
        "Wirt",
        "Wirt\\Hallo",
        "Wirt\\Hallo\\Ja",
        "Wirt\\Hallo\\Nein",
        "Wirt\\Frage",
        "Wirt\\Frage\\Eins",
        "Wirt\\Pickpocket",
        "Wirt\\Pickpocket\\BACK",
        "Wirt\\Pickpocket\\DoIt",
    };
    ASSERT_EQ(Paths(), first);
    const TLines oldBody = Block("Wirt\\Hallo").Body;

    Import(kWirt);
    std::vector<std::string> both = first;
    for (const char* path : {"Wirt\\Hallo_2", "Wirt\\Hallo_2\\Ja", "Wirt\\Hallo_2\\Nein",
                             "Wirt\\Frage_2", "Wirt\\Frage_2\\Eins", "Wirt\\Pickpocket_2",
                             "Wirt\\Pickpocket_2\\BACK", "Wirt\\Pickpocket_2\\DoIt"})
        both.push_back(path);
    EXPECT_EQ(Paths(), both);
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});

    const TElement& hallo = Block("Wirt\\Hallo_2");
    EXPECT_EQ(hallo.Condition, TLines{"if (" + Known("Wirt\\Frage_2") + ")"});
    EXPECT_EQ(hallo.KnownRefs, std::vector<int32_t>{Block("Wirt\\Frage_2").Id});
    EXPECT_EQ(hallo.Body,
              (TLines{"++" + Ref("Wirt\\Hallo_2\\Ja"), "++" + Ref("Wirt\\Hallo_2\\Nein")}));
    EXPECT_EQ(Block("Wirt\\Hallo_2\\Ja").Body, TLines{"++" + Ref("Wirt\\Hallo_2\\Nein")});
    EXPECT_EQ(Block("Wirt\\Hallo_2\\Ja").Condition, TLines{"if (" + Known("Wirt\\Frage_2") + ")"});
    EXPECT_EQ(Block("Wirt\\Hallo_2\\Nein").Body, TLines{"++" + Ref("Wirt\\Frage_2\\Eins")});
    EXPECT_EQ(Block("Wirt\\Pickpocket_2").Body, (TLines{"++" + Ref("Wirt\\Pickpocket_2\\BACK"),
                                                        "++" + Ref("Wirt\\Pickpocket_2\\DoIt")}));
    // The blocks of the first import keep theirs.
    EXPECT_EQ(Block("Wirt\\Hallo").Body, oldBody);
    EXPECT_EQ(oldBody, (TLines{"++" + Ref("Wirt\\Hallo\\Ja"), "++" + Ref("Wirt\\Hallo\\Nein")}));
}

TEST_F(DiaNodeNamesTest, FreeNameSkipsTakenNamesWhateverTheirCase) {
    TNode* folder = Project.Tree.AppendChild(nullptr, "Wirt");
    Project.Tree.AppendChild(folder, "hallo");
    Project.Tree.AppendChild(folder, "HALLO_2");
    Import("PERSON: VLK_400_Wirt\nINFO: Hallo\n%Ja\nOPT: Ja\nOPT: Ja\n");
    EXPECT_EQ(Paths(),
              (std::vector<std::string>{"Wirt", "Wirt\\hallo", "Wirt\\HALLO_2", "Wirt\\Hallo_3",
                                        "Wirt\\Hallo_3\\Ja", "Wirt\\Hallo_3\\Ja_2"}));
    EXPECT_EQ(Block("Wirt\\Hallo_3").Body, TLines{"++" + Ref("Wirt\\Hallo_3\\Ja")});
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
}

// A dialog that occurs twice in one file: each copy's own references stay inside that copy.
TEST_F(DiaNodeNamesTest, DuplicateDialogInOneFileKeepsItsOwnOptions) {
    Import("PERSON: VLK_400_Wirt\n"
           "INFO: Hallo\n%Ja\nOPT: Ja\n%\n"
           "INFO: Hallo\n%Ja\nOPT: Ja\n%\n");
    EXPECT_EQ(Block("Wirt\\Hallo").Body,
              (TLines{"++" + Ref("Wirt\\Hallo\\Ja"), "++" + Ref("Wirt\\Hallo\\Ja")}));
    EXPECT_EQ(Block("Wirt\\Hallo_2").Body,
              (TLines{"++" + Ref("Wirt\\Hallo_2\\Ja"), "++" + Ref("Wirt\\Hallo_2\\Ja")}));
}

// References to blocks that the file does not hold still reach the blocks already there.
TEST_F(DiaNodeNamesTest, ReferencesOutsideTheFileReachTheExistingBlocks) {
    Import("PERSON: VLK_400_Wirt\nINFO: Alt\nOPT: Ja\n");
    Import("PERSON: VLK_400_Wirt\nINFO: Neu\nCONDDIA: Alt\n%Alt, Ja\n");
    EXPECT_EQ(Block("Wirt\\Neu").Condition, TLines{"if (" + Known("Wirt\\Alt") + ")"});
    EXPECT_EQ(Block("Wirt\\Neu").Body, TLines{"++" + Ref("Wirt\\Alt\\Ja")});
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
}

// A name that only looks like a renamed block's new name is no reference to it.
TEST_F(DiaNodeNamesTest, NewNameOfARenamedBlockIsNotAName) {
    Import("PERSON: VLK_400_Wirt\nINFO: Hallo\n");
    Import("PERSON: VLK_400_Wirt\nINFO: Hallo\nINFO: Hallo_2\nOPT: X\nINFO: Frage\n%Hallo_2, X\n");
    EXPECT_EQ(Paths(),
              (std::vector<std::string>{"Wirt", "Wirt\\Hallo", "Wirt\\Hallo_2", "Wirt\\Hallo_2_2",
                                        "Wirt\\Hallo_2_2\\X", "Wirt\\Frage"}));
    EXPECT_EQ(Block("Wirt\\Frage").Body, TLines{"++" + Ref("Wirt\\Hallo_2_2\\X")});
}

TEST_F(DiaNodeNamesTest, RefusedCharactersInNamesAreReplaced) {
    Prompter.TextAnswers.push_back("Tor-Wache");
    Import("PERSON: PAL_12\n"
           "INFO: Gr\xFC\xDF-Gott\n"
           "%Ja.1\n"
           "OPT: Ja.1\n"
           "CONDDIA: Wie?\n"
           "%#Zur\xFC"
           "ck\n"
           "OPT: #Zur\xFC"
           "ck\n"
           "INFO: Wie?\n"
           "CONDDIA: PAL_12, Gr\xFC\xDF-Gott\n"
           "%Gr\xFC\xDF-Gott, Ja.1\n");
    EXPECT_EQ(Paths(), (std::vector<std::string>{
                           "Tor_Wache", "Tor_Wache\\Gruess_Gott", "Tor_Wache\\Gruess_Gott\\Ja_1",
                           "Tor_Wache\\Gruess_Gott\\_Zurueck", "Tor_Wache\\Wie_"}));
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
    // The NPC keeps its clear name: the NPC table finds its instance by it.
    EXPECT_EQ(Block("Tor_Wache\\Gruess_Gott").Npc, "Tor-Wache");
    EXPECT_EQ(Block("Tor_Wache\\Gruess_Gott").Body,
              TLines{"++" + Ref("Tor_Wache\\Gruess_Gott\\Ja_1")});
    EXPECT_EQ(Block("Tor_Wache\\Gruess_Gott\\Ja_1").Condition,
              TLines{"if (" + Known("Tor_Wache\\Wie_") + ")"});
    EXPECT_EQ(Block("Tor_Wache\\Gruess_Gott\\Ja_1").Body,
              TLines{"++" + Ref("Tor_Wache\\Gruess_Gott\\_Zurueck")});
    EXPECT_EQ(Block("Tor_Wache\\Wie_").Condition,
              TLines{"if (" + Known("Tor_Wache\\Gruess_Gott") + ")"});
    EXPECT_EQ(Block("Tor_Wache\\Wie_").Body, TLines{"++" + Ref("Tor_Wache\\Gruess_Gott\\Ja_1")});
}

TEST_F(DiaNodeNamesTest, SameFileTwiceIntoTheSelectedFolder) {
    Project.Selected = Project.Tree.AppendChild(nullptr, "Mod");
    const std::string text = "PERSON: VLK_400_Wirt\nINFO: Hallo\nCONDDIA: Frage\nOPT: Ja\n"
                             "CONDDIA: Frage\n%Frage, Eins\nINFO: Frage\nOPT: Eins\n";
    for (int run = 0; run < 2; ++run)
        ASSERT_TRUE(ImportDiaText(Project, text, TDiaImportMode::IntoSelected, Prompter).Imported);
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
    for (const char* suffix : {"", "_2"}) {
        const std::string frage = std::string("Mod\\Wirt\\Frage") + suffix;
        const std::string hallo = std::string("Mod\\Wirt\\Hallo") + suffix;
        EXPECT_EQ(Block(hallo).Condition, TLines{"if (" + Known(frage) + ")"}) << suffix;
        EXPECT_EQ(Block(hallo + "\\Ja").Condition, TLines{"if (" + Known(frage) + ")"}) << suffix;
        EXPECT_EQ(Block(hallo + "\\Ja").Body, TLines{"++" + Ref(frage + "\\Eins")}) << suffix;
    }
}

TEST(DiaNodeNameTest, RefusedCharactersAreReplacedAndOthersKept) {
    const std::pair<const char*, const char*> cases[] = {
        {"Hallo_Welt2", "Hallo_Welt2"},
        {"\xC4pfel\xD6l\xDC", "AepfelOelUe"},
        {"\xE4\xF6\xFC\xDF", "aeoeuess"},
        {"a>b*c~d e?f", "a_b_c_d_e_f"},
        {"!&.|\"\xA7%\\/()[]+-<#", "_________________"},
        {"Caf\xE9", "Caf\xE9"}, // letters the name check allows stay
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(DiaNodeName(name), expected) << name;
        EXPECT_FALSE(HasSpecialChars(DiaNodeName(name))) << name;
    }
}

} // namespace
} // namespace redewerk
