#include "import/dia_import.h"

#include "import/progress.h"
#include "model/file_system.h"
#include "model/project.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::TRecordingPrompter;

const std::string kDataDir = REDEWERK_TEST_DATA_DIR "/import/dia/";

struct TRecordingProgress : TImportProgress {
    std::vector<std::string> Stages;
    std::vector<int> Bars;
    void ShowProgress(const std::string& stageText, int, int, int barValue) override {
        Stages.push_back(stageText);
        Bars.push_back(barValue);
    }
};

class DiaImportTest : public ::testing::Test {
protected:
    TDiaImportResult ImportFile(const std::string& name,
                                TDiaImportMode mode = TDiaImportMode::Append) {
        return ImportDiaFile(Project, kDataDir + name, mode, Files, Prompter, &Progress);
    }
    TDiaImportResult Import(const std::string& text, TDiaImportMode mode = TDiaImportMode::Append) {
        return ImportDiaText(Project, text, mode, Prompter);
    }

    TNode& Node(const std::string& path) {
        TNode* node = Project.Tree.FindByPath(path);
        if (!node) throw std::runtime_error("no node " + path);
        return *node;
    }
    const TElement& Block(const std::string& path) {
        TElement* element = Node(path).Element();
        if (!element) throw std::runtime_error("no block " + path);
        return *element;
    }
    // The stored reference to the block at `path`.
    std::string Ref(const std::string& path) { return "#" + std::to_string(Block(path).Id) + "#"; }

    // The texts of the tree in pre-order, indented by level, with the kind of each block.
    std::vector<std::string> TreeOutline() {
        std::vector<std::string> outline;
        Project.Tree.ForEachPreOrder([&](TNode* node) {
            std::string line(static_cast<size_t>(node->Level()) * 2, ' ');
            line += node->Text();
            if (node->Element()) line += " " + std::string(KindCaption(node->Element()->Kind));
            outline.push_back(line);
        });
        return outline;
    }

    TProject Project;
    TRecordingPrompter Prompter;
    TDiskFileSystem Files;
    TRecordingProgress Progress;
};

TEST_F(DiaImportTest, MerchantFileBuildsEveryBlockFieldByField) {
    TDiaImportResult result = ImportFile("haendler.dia");
    ASSERT_TRUE(result.Imported);
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
    EXPECT_EQ(TreeOutline(), (std::vector<std::string>{
                                 "Haendler",
                                 "  Hallo Dialog",
                                 "    Kaufen Dialogoption",
                                 "    Gehen Dialogoption",
                                 "  Arbeit Dialog",
                                 "    Ja Dialogoption",
                                 "    Nein Dialogoption",
                                 "  Frage Dialog",
                                 "  EXIT Dialog",
                             }));
    EXPECT_EQ(Project.Variables, TLines{"var int Haendler_Rabatt;"});
    EXPECT_EQ(Project.Npcs.ClearNames, std::vector<std::string>{"Haendler"});
    EXPECT_EQ(Project.Npcs.InstanceNames, std::vector<std::string>{"VLK_409_Haendler"});
    EXPECT_EQ(result.Blocks.size(), 8u);
    EXPECT_EQ(result.ExpandNode, nullptr); // the first new node is a top-row folder

    const TElement& hallo = Block("Haendler\\Hallo");
    EXPECT_EQ(hallo.Kind, ekDialog);
    EXPECT_EQ(hallo.Npc, "Haendler");
    EXPECT_EQ(hallo.Nr, "10");
    EXPECT_FALSE(hallo.Important || hallo.Permanent || hallo.Trade);
    EXPECT_EQ(hallo.Description, "Wer bist du?");
    EXPECT_EQ(hallo.Condition, TLines{});
    EXPECT_EQ(hallo.Body, (TLines{
                              "// Dialoge des Haendlers am Marktplatz",
                              "",
                              ">> Wer bist du?",
                              "<< Ich bin H\xE4ndler.",
                              "",
                              "CreateInvItems (self, ItMi_Gold, 50);",
                              "B_GiveInvItems (self, other, ItMi_Gold, 50);",
                              "CreateInvItems (self, ItFo_Apple, 1);",
                              "B_GiveInvItems (self, other, ItFo_Apple, 1);",
                              "B_GiveInvItems (other, self, ItMi_Gold, 10);",
                              "",
                              "AI_PlayAni (self, \"T_SEARCH\");",
                              "AI_PlayAni (other, \"T_GREETNOV\");",
                              "",
                              "B_GivePlayerXP (XP_Ambient);",
                              "",
                              "Log_CreateTopic(TOPIC_Haendler, LOG_MISSION);",
                              "Log_SetTopicStatus (TOPIC_Haendler, LOG_RUNNING);",
                              "",
                              "MIS_Haendler = LOG_RUNNING;",
                              "",
                              "--",
                              "",
                              "++" + Ref("Haendler\\Hallo\\Kaufen"),
                              "++" + Ref("Haendler\\Hallo\\Gehen"),
                          }));

    const TElement& kaufen = Block("Haendler\\Hallo\\Kaufen");
    EXPECT_EQ(kaufen.Kind, ekChoice);
    EXPECT_EQ(kaufen.Npc, "Haendler");
    EXPECT_EQ(kaufen.Description, "Ich will kaufen.");
    EXPECT_EQ(kaufen.Body,
              (TLines{
                  ">>Ich will kaufen.",
                  "<<Gut.",
                  "",
                  "B_LogEntry (TOPIC_Haendler, \"Der H\xE4ndler verkauft \xC4pfel.\");",
                  "",
                  "Log_SetTopicStatus(TOPIC_Haendler, LOG_SUCCESS);",
                  "MIS_Haendler = LOG_SUCCESS;",
                  "",
                  "++" + Ref("Haendler\\Hallo\\Gehen"),
              }));

    const TElement& gehen = Block("Haendler\\Hallo\\Gehen");
    EXPECT_EQ(gehen.Description, "Ich gehe lieber.");
    EXPECT_EQ(gehen.Body, TLines{"AI_StopProcessInfos (self);"});

    // A bare "%" in option Ja lists Ja in its dialog, and Nein after it as well.
    const TElement& arbeit = Block("Haendler\\Arbeit");
    EXPECT_EQ(arbeit.Description, "Hast du Arbeit f\xFCr mich?");
    EXPECT_EQ(arbeit.Body, (TLines{
                               ">>Hast du Arbeit f\xFCr mich?",
                               "<<Vielleicht.",
                               "++" + Ref("Haendler\\Arbeit\\Ja"),
                               "++" + Ref("Haendler\\Arbeit\\Nein"),
                           }));
    EXPECT_EQ(Block("Haendler\\Arbeit\\Ja").Description, "Ja, gerne.");
    EXPECT_EQ(Block("Haendler\\Arbeit\\Ja").Body, TLines{"<<Gut."});
    EXPECT_EQ(Block("Haendler\\Arbeit\\Nein").Body,
              (TLines{"++" + Ref("Haendler\\Hallo\\Kaufen"), "++" + Ref("Haendler\\Arbeit\\Ja")}));

    const TElement& frage = Block("Haendler\\Frage");
    EXPECT_EQ(frage.Nr, "20");
    EXPECT_TRUE(frage.Important);
    EXPECT_FALSE(frage.Permanent);
    EXPECT_EQ(frage.Description, ""); // important dialogs take no description from the hero
    EXPECT_EQ(frage.Condition,
              (TLines{
                  "if (#!" + std::to_string(hallo.Id) + "#)",
                  "&& (!(Npc_HasItems (hero, ItMi_Gold) >= 100) || (Npc_HasItems (hero, "
                  "ItFo_Apple) > 0))",
                  "&& (Npc_GetDistToWP (self, \"MARKT\") < 500)",
              }));
    EXPECT_EQ(frage.KnownRefs, std::vector<int32_t>{hallo.Id});
    EXPECT_EQ(frage.Body, (TLines{
                              "<< Du schon wieder?",
                              "",
                              "if (Npc_HasItems (other, ItMi_Gold) >= 5)",
                              "{",
                              "\t>> Ja.",
                              "}",
                              "else if (Wld_IsTime (8, 0, 20, 0))",
                              "{",
                              "\t>> Nein.",
                              "}",
                              "else",
                              "{",
                              "\tNpc_ExchangeRoutine (self, \"START\");",
                              "};",
                              "",
                              "++" + Ref("Haendler\\Arbeit\\Ja"),
                              "",
                              "AI_StopProcessInfos (self);",
                          }));

    const TElement& exit = Block("Haendler\\EXIT");
    EXPECT_EQ(exit.Nr, "999");
    EXPECT_TRUE(exit.Permanent);
    EXPECT_EQ(exit.Description, "!DIALOG_ENDE");
    EXPECT_EQ(exit.Body, TLines{"ENDE"});
}

TEST_F(DiaImportTest, PickpocketFileBuildsDialogWithBackAndDoIt) {
    ASSERT_TRUE(ImportFile("pickpocket.dia").Imported);
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
    EXPECT_EQ(TreeOutline(), (std::vector<std::string>{
                                 "Baeuerin",
                                 "  EXIT Dialog",
                                 "  PICKPOCKET Dialog",
                                 "    BACK Dialogoption",
                                 "    DoIt Dialogoption",
                                 "Bauer",
                                 "  Pickpocket Dialog",
                                 "    BACK Dialogoption",
                                 "    DoIt Dialogoption",
                             }));

    const TElement& female = Block("Baeuerin\\PICKPOCKET");
    EXPECT_EQ(female.Nr, "900");
    EXPECT_TRUE(female.Permanent);
    EXPECT_EQ(female.Condition, TLines{"if (C_Beklauen(60, 80))"});
    EXPECT_EQ(female.Description, "(Es w\xE4re schwierig ihren Geldbeutel zu stehlen)");
    EXPECT_EQ(female.Body, (TLines{"++" + Ref("Baeuerin\\PICKPOCKET\\BACK"),
                                   "++" + Ref("Baeuerin\\PICKPOCKET\\DoIt")}));

    const TElement& back = Block("Baeuerin\\PICKPOCKET\\BACK");
    EXPECT_EQ(back.Kind, ekChoice);
    EXPECT_EQ(back.Npc, "Baeuerin");
    EXPECT_EQ(back.Nr, "10");
    EXPECT_FALSE(back.Permanent);
    EXPECT_EQ(back.Description, "!DIALOG_BACK");
    EXPECT_EQ(back.Body, TLines{"--"});

    // The DoIt option stays open: the following line of the file lands in it.
    const TElement& doIt = Block("Baeuerin\\PICKPOCKET\\DoIt");
    EXPECT_EQ(doIt.Description, "(Taschendiebstahl versuchen)");
    EXPECT_EQ(doIt.Body, (TLines{"B_Beklauen();", "--", "", ">>Nur ein kleiner Griff."}));

    const TElement& male = Block("Bauer\\Pickpocket");
    EXPECT_EQ(male.Condition, TLines{"if (C_Beklauen(120, 35))"});
    EXPECT_EQ(male.Description, "(Es w\xE4re fast unm\xF6glich seinen Geldbeutel zu stehlen)");
    EXPECT_EQ(male.Body, (TLines{"++" + Ref("Bauer\\Pickpocket\\BACK"),
                                 "++" + Ref("Bauer\\Pickpocket\\DoIt")}));
    EXPECT_EQ(Block("Bauer\\Pickpocket\\DoIt").Body, (TLines{"B_Beklauen();", "--"}));
}

TEST_F(DiaImportTest, ProgressRunsToHalfWhileReadingAndToTheEndWhileConverting) {
    std::string text = "PERSON: VLK_1_Wirt\nINFO: Hallo\n";
    for (int i = 0; i < 98; ++i)
        text += ">Zeile\n"; // 100 lines
    TDiaImportResult result =
        ImportDiaText(Project, text, TDiaImportMode::Append, Prompter, &Progress);
    ASSERT_TRUE(result.Imported);
    EXPECT_EQ(Progress.Bars, (std::vector<int>{0, 250, 500, 500, 1000}));
    EXPECT_EQ(Progress.Stages.front(), "QDC-Datei einlesen...");
    EXPECT_EQ(Progress.Stages.back(), "Verweise umwandeln...");
}

TEST_F(DiaImportTest, MissingFileChangesNothing) {
    Import("PERSON: VLK_1_Wirt\nINFO: Hallo\n");
    TDiaImportResult result = ImportFile("gibt_es_nicht.dia", TDiaImportMode::ReplaceProject);
    EXPECT_FALSE(result.Imported);
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{"Die angegebene Datei existiert nicht!"});
    EXPECT_EQ(TreeOutline(), (std::vector<std::string>{"Wirt", "  Hallo Dialog"}));
}

TEST_F(DiaImportTest, ReplaceClearsTheProjectFirst) {
    Import("!var int Alt;\nPERSON: VLK_1_Wirt\nINFO: Alt\n");
    TDiaImportResult result =
        Import("PERSON: VLK_2_Schmied\nINFO: Neu\n", TDiaImportMode::ReplaceProject);
    EXPECT_EQ(result.Mode, TDiaImportMode::ReplaceProject);
    EXPECT_EQ(TreeOutline(), (std::vector<std::string>{"Schmied", "  Neu Dialog"}));
    EXPECT_EQ(Project.Variables, TLines{});
    EXPECT_EQ(Project.Npcs.ClearNames, std::vector<std::string>{"Schmied"});
    EXPECT_EQ(Block("Schmied\\Neu").Id, 0);
}

TEST_F(DiaImportTest, AppendReusesTheNpcFolderWhateverItsCase) {
    TNode* folder = Project.Tree.AppendChild(nullptr, "wirt");
    TNode* old = Project.Tree.AppendChild(folder, "Alt");
    Project.CreateElement(old, ekDialog);
    TDiaImportResult result = Import("PERSON: VLK_1_Wirt\nINFO: Hallo\nOPT: Ja\n");
    EXPECT_EQ(TreeOutline(), (std::vector<std::string>{"wirt", "  Alt Dialog", "  Hallo Dialog",
                                                       "    Ja Dialogoption"}));
    EXPECT_EQ(Block("wirt\\Hallo").Id, 1);
    EXPECT_EQ(result.ExpandNode, folder);
    EXPECT_EQ(result.Blocks, (std::vector<TNode*>{&Node("wirt\\Hallo"), &Node("wirt\\Hallo\\Ja")}));
}

TEST_F(DiaImportTest, IntoSelectedPutsTheNpcFoldersBelowTheSelectedNode) {
    TNode* mod = Project.Tree.AppendChild(nullptr, "Mod");
    Project.Tree.AppendChild(nullptr, "Wirt"); // a top-row folder of the same name is not used
    Project.Selected = mod;
    TDiaImportResult result = Import("PERSON: VLK_1_Wirt\nINFO: Hallo\nCONDDIA: Frage\n%Ja\n"
                                     "OPT: Ja\n%\nINFO: Frage\nPERSON: VLK_2_Schmied\nINFO: A\n",
                                     TDiaImportMode::IntoSelected);
    EXPECT_EQ(result.Mode, TDiaImportMode::IntoSelected);
    EXPECT_EQ(result.ExpandNode, mod);
    EXPECT_EQ(TreeOutline(), (std::vector<std::string>{
                                 "Mod",
                                 "  Wirt",
                                 "    Hallo Dialog",
                                 "      Ja Dialogoption",
                                 "    Frage Dialog",
                                 "  Schmied",
                                 "    A Dialog",
                                 "Wirt",
                             }));
    const TElement& hallo = Block("Mod\\Wirt\\Hallo");
    EXPECT_EQ(hallo.Condition,
              TLines{"if (#!" + std::to_string(Block("Mod\\Wirt\\Frage").Id) + "#)"});
    EXPECT_EQ(hallo.Body,
              (TLines{"++" + Ref("Mod\\Wirt\\Hallo\\Ja"), "++" + Ref("Mod\\Wirt\\Hallo\\Ja")}));
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
}

TEST_F(DiaImportTest, IntoSelectedWithoutSelectionAppends) {
    Project.Tree.AppendChild(nullptr, "Mod");
    TDiaImportResult result =
        Import("PERSON: VLK_1_Wirt\nINFO: Hallo\n", TDiaImportMode::IntoSelected);
    EXPECT_EQ(result.Mode, TDiaImportMode::Append);
    EXPECT_EQ(TreeOutline(), (std::vector<std::string>{"Mod", "Wirt", "  Hallo Dialog"}));
}

// A file that exists but cannot be read changes nothing, not even in replace mode, and the
// dialog keeps the option the user chose.
TEST_F(DiaImportTest, UnreadableFileChangesNothingAndNamesTheFile) {
    Import("PERSON: VLK_1_Wirt\nINFO: Hallo\n");
    testing::TMemoryFileSystem memory;
    memory.Files["/d/H\xC3\xA4ndler.dia"] = "PERSON: VLK_2_Schmied\nINFO: Neu\n";
    memory.ReadError = 13;
    TDiaImportResult result = ImportDiaFile(Project, "/d/H\xC3\xA4ndler.dia",
                                            TDiaImportMode::ReplaceProject, memory, Prompter);
    EXPECT_FALSE(result.Imported);
    EXPECT_EQ(result.Mode, TDiaImportMode::ReplaceProject);
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{"E/A-Fehler 13\r\n/d/H\xE4ndler.dia"});
    EXPECT_EQ(TreeOutline(), (std::vector<std::string>{"Wirt", "  Hallo Dialog"}));
}

// Files that a modern editor saved as UTF-8, with or without the byte-order mark, are read as
// the Windows-1252 text they stand for; the mark does not hide the first line.
TEST_F(DiaImportTest, Utf8FilesAreReadAsTheirText) {
    testing::TMemoryFileSystem memory;
    memory.Files["bom.dia"] =
        "\xEF\xBB\xBFPERSON: VLK_1_Wirt\r\nINFO: Hallo\r\n>Gr\xC3\xBC\xC3\x9F dich!\r\n";
    memory.Files["ohne.dia"] = "PERSON: VLK_2_Schmied\nINFO: Hallo\n<Sch\xC3\xB6n.\n";
    ASSERT_TRUE(
        ImportDiaFile(Project, "bom.dia", TDiaImportMode::Append, memory, Prompter).Imported);
    ASSERT_TRUE(
        ImportDiaFile(Project, "ohne.dia", TDiaImportMode::Append, memory, Prompter).Imported);
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
    EXPECT_EQ(Block("Wirt\\Hallo").Body, TLines{">>Gr\xFC\xDF dich!"});
    EXPECT_EQ(Block("Schmied\\Hallo").Body, TLines{"<<Sch\xF6n."});
}

} // namespace
} // namespace redewerk
