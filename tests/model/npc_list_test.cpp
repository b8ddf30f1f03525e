#include "model/npc_list.h"

#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace redewerk {
namespace {

using Names = std::vector<std::string>;

TEST(NpcList, InstanceNameAsksOnceAndRemembers) {
    TNpcList npcs;
    testing::TRecordingPrompter prompter;
    prompter.TextAnswers = {"VLK_401_Wirt"};
    EXPECT_EQ(npcs.InstanceNameOf("", prompter), "");
    EXPECT_EQ(npcs.InstanceNameOf("Wirt", prompter), "VLK_401_Wirt");
    EXPECT_EQ(npcs.InstanceNameOf("Wirt", prompter), "VLK_401_Wirt");
    EXPECT_EQ(npcs.InstanceNameOf("wirt", prompter), "wirt"); // case counts; default answer
    prompter.TextAnswers = {"VLK_2\r\nBob"};                  // pasted: stored as one line
    EXPECT_EQ(npcs.InstanceNameOf("Bob", prompter), "VLK_2__Bob");
    EXPECT_EQ(prompter.Questions,
              (std::vector<std::string>{"Instanzname von Wirt", "Instanzname von wirt",
                                        "Instanzname von Bob"}));
    EXPECT_EQ(npcs.ClearNames, (std::vector<std::string>{"Wirt", "wirt", "Bob"}));
    EXPECT_EQ(npcs.InstanceNames[2], "VLK_2__Bob");
}

TEST(NpcList, ClearNameDerivesAsksAndKeepsNamesDistinct) {
    TNpcList npcs;
    testing::TRecordingPrompter prompter;
    prompter.TextAnswers = {"Torwache", "Tor\nwache"};
    EXPECT_EQ(npcs.ClearNameOf("", prompter), "");
    EXPECT_EQ(npcs.ClearNameOf("VLK_401_Wirt", prompter), "Wirt");
    EXPECT_EQ(npcs.ClearNameOf("VLK_401_Wirt", prompter), "Wirt");
    EXPECT_EQ(npcs.ClearNameOf("SLD_700_Wirt", prompter), "SLD_700_Wirt");
    EXPECT_EQ(npcs.ClearNameOf("GRD_12", prompter), "Torwache");
    EXPECT_EQ(npcs.ClearNameOf("Diego", prompter), "Diego");
    EXPECT_EQ(npcs.ClearNameOf("VLK_1_Bob", prompter), "Bob"); // three letters: no question
    EXPECT_EQ(npcs.ClearNameOf("GRD_13", prompter), "Tor_wache");
    EXPECT_EQ(prompter.Questions,
              (std::vector<std::string>{"Klarname von GRD_12", "Klarname von GRD_13"}));
    EXPECT_EQ(npcs.ClearNames, (std::vector<std::string>{"Wirt", "SLD_700_Wirt", "Torwache",
                                                         "Diego", "Bob", "Tor_wache"}));
    EXPECT_EQ(npcs.InstanceNames,
              (std::vector<std::string>{"VLK_401_Wirt", "SLD_700_Wirt", "GRD_12", "Diego",
                                        "VLK_1_Bob", "GRD_13"}));
}

TEST(NpcList, RebuildsFromTheWindowsLines) {
    const std::string fault = "NpcListe: In jeder Zeile muss: = enthalten sein.";
    struct TCase {
        TLines Lines;
        Names Clear;
        Names Instance;
        size_t Messages;
    };
    const TCase cases[] = {
        {{"Wirt=VLK_401_Wirt", "", "Diego=PC_Thief"},
         {"Wirt", "Diego"},
         {"VLK_401_Wirt", "PC_Thief"},
         0},
        {{"Wirt = VLK_401_Wirt"}, {"Wirt "}, {" VLK_401_Wirt"}, 0},
        {{"a=b=c", "=ohne Klarname", "ohne Instanz=", "="},
         {"a", "", "ohne Instanz", ""},
         {"b=c", "ohne Klarname", "", ""},
         0},
        // Faulty lines are left out, each with its own message; the rest is kept in order.
        {{"Wirt", "Diego=PC_Thief", " ", "Lares=ORG_801_Lares"},
         {"Diego", "Lares"},
         {"PC_Thief", "ORG_801_Lares"},
         2},
        {{}, {}, {}, 0},
        // A name that the project file would read as a marker is stored with "_".
        {{"\x02"
          "END=\x02"
          "EOF",
          "a\r=b"},
         {"_END", "a_"},
         {"_EOF", "b"},
         0},
    };
    for (const TCase& c : cases) {
        TNpcList npcs;
        npcs.Add("Alt", "ALT");
        testing::TRecordingPrompter prompter;
        EXPECT_EQ(npcs.RebuildFromLines(c.Lines, prompter), c.Messages == 0) << c.Lines.size();
        EXPECT_EQ(npcs.ClearNames, c.Clear);
        EXPECT_EQ(npcs.InstanceNames, c.Instance);
        EXPECT_EQ(prompter.Messages, Names(c.Messages, fault));
    }
}

TEST(NpcList, LinesRoundTripKeepsTableAndOrder) {
    TNpcList npcs;
    for (const char* clear : {"Wirt", "Diego", "wirt", "Wirt", "HERO"})
        npcs.Add(clear, std::string("I_") + clear);
    EXPECT_EQ(npcs.AsLines(), (TLines{"Wirt=I_Wirt", "Diego=I_Diego", "wirt=I_wirt", "Wirt=I_Wirt",
                                      "HERO=I_HERO"}));
    TNpcList copy;
    testing::TRecordingPrompter prompter;
    EXPECT_TRUE(copy.RebuildFromLines(npcs.AsLines(), prompter));
    EXPECT_EQ(copy.ClearNames, npcs.ClearNames);
    EXPECT_EQ(copy.InstanceNames, npcs.InstanceNames);
}

} // namespace
} // namespace redewerk
