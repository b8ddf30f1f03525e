#include "import/dia_node_names.h"

#include "import/dia_import.h"
#include "import_helpers.h"
#include "model/names.h"
#include "model/project.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::Dump;
using testing::ImportDia;
using testing::TRecordingPrompter;

// Node names of imported blocks are unique among their siblings, and every reference of the
// file still reaches the block it names: the files imported one after the other, and the
// whole tree afterwards.
TEST(DiaNodeNames, ReferencesReachTheBlocksWhateverNamesTheyTook) {
    const std::string wirt = "PERSON: VLK_400_Wirt\n";
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        // Taken names are skipped whatever their case.
        {{wirt + "INFO: hallo\nINFO: HALLO_2\n", wirt + "INFO: Hallo\n%Ja\nOPT: Ja\nOPT: Ja\n"},
         "Wirt\nWirt\\hallo\nWirt\\HALLO_2\nWirt\\Hallo_3\n  ++#Wirt\\Hallo_3\\Ja#\n"
         "Wirt\\Hallo_3\\Ja\nWirt\\Hallo_3\\Ja_2\n"},
        // A dialog twice in one file: each copy's references stay inside that copy.
        {{wirt + "INFO: Hallo\n%Ja\nOPT: Ja\n%\nINFO: Hallo\n%Ja\nOPT: Ja\n%\n"},
         "Wirt\nWirt\\Hallo\n  ++#Wirt\\Hallo\\Ja#\n  ++#Wirt\\Hallo\\Ja#\nWirt\\Hallo\\Ja\n"
         "Wirt\\Hallo_2\n  ++#Wirt\\Hallo_2\\Ja#\n  ++#Wirt\\Hallo_2\\Ja#\nWirt\\Hallo_2\\Ja\n"},
        // References to blocks the file does not hold reach the blocks already there.
        {{wirt + "INFO: Alt\nOPT: Ja\n", wirt + "INFO: Neu\nCONDDIA: Alt\n%Alt, Ja\n"},
         "Wirt\nWirt\\Alt\nWirt\\Alt\\Ja\nWirt\\Neu\n  ? if (#!Wirt\\Alt#)\n  ++#Wirt\\Alt\\Ja#\n"
         "  known #Wirt\\Alt#\n"},
        // A name that only looks like a renamed block's new name is no reference to it.
        {{wirt + "INFO: Hallo\n", wirt + "INFO: Hallo\nINFO: Hallo_2\nOPT: X\nINFO: Frage\n"
                                         "%Hallo_2, X\n"},
         "Wirt\nWirt\\Hallo\nWirt\\Hallo_2\nWirt\\Hallo_2_2\nWirt\\Hallo_2_2\\X\nWirt\\Frage\n"
         "  ++#Wirt\\Hallo_2_2\\X#\n"},
    };
    for (const auto& [files, tree] : cases) {
        TProject project;
        TRecordingPrompter prompter;
        for (const auto& file : files)
            ImportDia(project, file, prompter);
        EXPECT_EQ(Dump(project, false), tree) << files.back();
        EXPECT_EQ(prompter.Messages, std::vector<std::string>{});
    }
}

// The same file imported twice gives a second copy whose references stay inside it, the
// first copy unchanged; in the top row and below the selected folder.
TEST(DiaNodeNames, SameFileTwiceGivesACopyWithNewNames) {
    const std::string file = "PERSON: VLK_400_Wirt\nINFO: Hallo\nCONDDIA: Frage\n%Ja\nOPT: Ja\n"
                             "%Nein\nCONDDIA: Frage\nOPT: Nein\n%\n%Frage, Eins\nINFO: Frage\n"
                             "OPT: Eins\nINFO: Pickpocket 30 40\n";
    const std::string copy =
        "Wirt\\Hallo\n  ? if (#!Wirt\\Frage#)\n  ++#Wirt\\Hallo\\Ja#\n  ++#Wirt\\Hallo\\Nein#\n"
        "  known #Wirt\\Frage#\nWirt\\Hallo\\Ja\n  ? if (#!Wirt\\Frage#)\n  ++#Wirt\\Hallo\\Nein#\n"
        "  known #Wirt\\Frage#\nWirt\\Hallo\\Nein\n  ++#Wirt\\Frage\\Eins#\nWirt\\Frage\n"
        "Wirt\\Frage\\Eins\nWirt\\Pickpocket\n  ? if (C_Beklauen(30, 40))\n"
        "  ++#Wirt\\Pickpocket\\BACK#\n  ++#Wirt\\Pickpocket\\DoIt#\nWirt\\Pickpocket\\BACK\n"
        "  --\nWirt\\Pickpocket\\DoIt\n  B_Beklauen();\n  --\n";
    static const std::regex block(R"(Wirt\\(Hallo|Frage|Pickpocket))");
    for (const std::string mod : {"", "Mod\\"}) {
        TProject project;
        TRecordingPrompter prompter;
        const auto mode = mod.empty() ? TDiaImportMode::Append : TDiaImportMode::IntoSelected;
        if (!mod.empty()) project.Selected = project.Tree.AppendChild(nullptr, "Mod");
        const std::string first = std::regex_replace(copy, std::regex(R"(Wirt\\)"), mod + "Wirt\\");
        for (int run = 0; run < 2; ++run)
            ImportDia(project, file, prompter, mode);
        EXPECT_EQ(Dump(project, false), (mod.empty() ? "" : "Mod\n") + mod + "Wirt\n" + first +
                                            std::regex_replace(first, block, "Wirt\\$1_2"));
        EXPECT_EQ(prompter.Messages, std::vector<std::string>{});
    }
}

TEST(DiaNodeNames, RefusedCharactersInNamesAreReplacedAndReferencesFollow) {
    TProject project;
    TRecordingPrompter prompter;
    prompter.TextAnswers.push_back("Tor-Wache");
    ImportDia(project,
              "PERSON: PAL_12\nINFO: Gr\xFC\xDF-Gott\n%Ja.1\nOPT: Ja.1\nCONDDIA: Wie?\n"
              "%#Zur\xFC"
              "ck\nOPT: #Zur\xFC"
              "ck\nINFO: Wie?\nCONDDIA: PAL_12, Gr\xFC\xDF-Gott\n%Gr\xFC\xDF-Gott, Ja.1\n",
              prompter);
    // A short instance name asks for the clear name.
    EXPECT_EQ(prompter.Questions, std::vector<std::string>{"Klarname von PAL_12"});
    EXPECT_EQ(Dump(project, false),
              "Tor_Wache\nTor_Wache\\Gruess_Gott\n  ++#Tor_Wache\\Gruess_Gott\\Ja_1#\n"
              "Tor_Wache\\Gruess_Gott\\Ja_1\n  ? if (#!Tor_Wache\\Wie_#)\n"
              "  ++#Tor_Wache\\Gruess_Gott\\_Zurueck#\n  known #Tor_Wache\\Wie_#\n"
              "Tor_Wache\\Gruess_Gott\\_Zurueck\nTor_Wache\\Wie_\n"
              "  ? if (#!Tor_Wache\\Gruess_Gott#)\n  ++#Tor_Wache\\Gruess_Gott\\Ja_1#\n"
              "  known #Tor_Wache\\Gruess_Gott#\n");
    EXPECT_EQ(prompter.Messages, std::vector<std::string>{});
    // The NPC keeps its clear name: the NPC table finds its instance by it.
    EXPECT_EQ(testing::BlockAt(project, "Tor_Wache\\Gruess_Gott").Npc, "Tor-Wache");
}

TEST(DiaNodeName, RefusedCharactersAreReplacedAndOthersKept) {
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
