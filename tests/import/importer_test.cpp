#include "import/importer.h"

#include "import/progress.h"
#include "import_helpers.h"
#include "model/project.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::BlockAt;
using testing::DialogScript;
using testing::ImportFailure;
using testing::ImportScripts;
using testing::TRecordingPrompter;
using testing::TreeOutline;

// --- Token recording ---

struct TRecorder {
    TProject Project;
    testing::TMemoryFileSystem Files;
    TRecordingPrompter Prompter;
    TImporter Importer{Project, Files, Prompter};
};

TEST(TokenRecording, RecordsAPushedBackTokenOnceWithItsPosition) {
    TRecorder r;
    // The expression step reads the ";" ahead and pushes it back; the ";" state reads it
    // again.
    r.Importer.SetText("x = y;  // c\r\nz = 1;");
    r.Importer.PushState(STstats);
    r.Importer.StartRecording();
    do {
        r.Importer.Step();
    } while (r.Importer.StateStack.back() != STstats);
    EXPECT_EQ(r.Importer.Tokens, (std::vector<std::string>{"x", "=", "y", ";"}));
    EXPECT_EQ(r.Importer.TokenPos, (std::vector<int32_t>{1, 3, 5, 6}));
}

TEST(TokenRecording, StopsAtTheLimitAndKeepsLettersAsWritten) {
    TRecorder r;
    r.Importer.SetText("func void Dia_A (var int a, var int b) { b = a + 1; c = 2; };");
    r.Importer.PushState(STDaed);
    r.Importer.StartRecording(6);
    do {
        r.Importer.Step();
    } while (r.Importer.StateStack.size() > 1);
    EXPECT_EQ(r.Importer.Tokens,
              (std::vector<std::string>{"func", "void", "Dia_A", "(", "var", "int"}));
    EXPECT_EQ(r.Importer.TokenPos.back(), 22);
}

// --- Declarations that make no block ---

TEST(ScriptImport, VariablesAndConstantsGoToTheVariablesWithTheirComments) {
    TProject project;
    project.Variables = {"var int Old;"};
    TRecordingPrompter prompter;
    ASSERT_TRUE(
        ImportScripts(project,
                      {{"Story_Globals.d", "// Z\xE4hler\r\nvar int Counter;\r\n\r\n"
                                           "const string Greeting = \"Hallo\"; // am Ende\r\n"
                                           "var int A, B;\n"}},
                      prompter));
    EXPECT_EQ(project.Variables,
              (TLines{"var int Old;", "", "// Z\xE4hler", "var int Counter;",
                      "const string Greeting = \"Hallo\";", "// am Ende", "var int A, B;"}));
    EXPECT_EQ(TreeOutline(project), (std::vector<std::string>{"IMPORT 0"}));
    EXPECT_TRUE(prompter.Messages.empty());
}

TEST(ScriptImport, EmptyListMakesAnEmptyFolderAndAnEmptyVariablesLine) {
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(project, {}, prompter));
    EXPECT_EQ(TreeOutline(project), (std::vector<std::string>{"IMPORT 0"}));
    EXPECT_EQ(project.Variables, (TLines{""}));
}

// --- Code blocks ---

TEST(ScriptImport, OtherDeclarationsBecomeCodeBlocksWithTheirWholeText) {
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(
        project,
        {{"B_Tools.d", "// Gibt Gold\r\nfunc int Test (var int a)\r\n{\r\n\treturn a;\r\n};\r\n"
                       "instance ItMi_Stone (C_ITEM) { name = \"Stein\"; };\r\n"
                       "func void B_Nothing () {\r\n    B_Say (self, other, \"$NO\");\r\n};\r\n"}},
        prompter));
    EXPECT_EQ(TreeOutline(project),
              (std::vector<std::string>{"IMPORT 0", "  Tools 0", "    Test 4", "    ItMi_Stone 4",
                                        "    B_Nothing 4"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Tools\\Test").Body,
              (TLines{"// Gibt Gold", "", "func int Test (var int a)", "{", "\treturn a;", "};"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Tools\\ItMi_Stone").Body,
              (TLines{"instance ItMi_Stone (C_ITEM) { name = \"Stein\"; };"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Tools\\B_Nothing").Body,
              (TLines{"func void B_Nothing() {", "\tB_Say (self, other, \"$NO\");", "};"}));
}

// --- Dialogs ---

TEST(ScriptImport, DialogAttributesFillTheHeader) {
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(
        project,
        {{"DIA_Wirt.d",
          DialogScript("DIA_Wirt_Hallo",
                       "\tnr\t= 4;\r\n\tpermanent\t= 2;\r\n\timportant = FALSE;\r\n"
                       "\ttrade\t= 0;\r\n\tdescription\t= \"Was gibt's?\";\r\n",
                       "\treturn TRUE;\r\n",
                       "\tAI_Output (other, self, \"X_15_00\"); //Hallo!\r\n") +
              DialogScript("DIA_Wirt_EXIT",
                           "\tnr\t= 999;\r\n\timportant = TRUE;\r\n"
                           "\tdescription\t= DIALOG_ENDE;\r\n",
                           "\treturn TRUE;\r\n", "\tAI_StopProcessInfos (self);\r\n")}},
        prompter));
    const TElement& hallo = BlockAt(project, "IMPORT\\Wirt\\Hallo");
    EXPECT_EQ(hallo.Kind, ekDialog);
    EXPECT_EQ(hallo.Npc, "Wirt");
    EXPECT_EQ(hallo.Nr, "4");
    EXPECT_TRUE(hallo.Permanent);
    EXPECT_FALSE(hallo.Important);
    EXPECT_FALSE(hallo.Trade);
    EXPECT_EQ(hallo.Description, "Was gibt's?");
    EXPECT_EQ(hallo.Condition, TLines{});
    EXPECT_EQ(hallo.Body, (TLines{">>Hallo!"}));

    const TElement& exit = BlockAt(project, "IMPORT\\Wirt\\EXIT");
    EXPECT_EQ(exit.Nr, "999");
    EXPECT_TRUE(exit.Important);
    EXPECT_EQ(exit.Description, "!DIALOG_ENDE");
    EXPECT_EQ(exit.Body, (TLines{"ENDE"}));
    EXPECT_EQ(project.Npcs.InstanceNames, (std::vector<std::string>{"VLK_400_Wirt"}));
}

// Spoken lines, the end of the dialog and the trade call, as a dialog's body shows them.
struct TBodyCase {
    const char* Info;
    TLines Body;
};

class InfoBody : public ::testing::TestWithParam<TBodyCase> {};

TEST_P(InfoBody, BecomesTheDialogsBody) {
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(
        project,
        {{"DIA_Wirt.d", DialogScript("DIA_Wirt_Hallo", "", "\treturn TRUE;\r\n", GetParam().Info)}},
        prompter))
        << (prompter.Messages.empty() ? "" : prompter.Messages[0]);
    EXPECT_EQ(BlockAt(project, "IMPORT\\Wirt\\Hallo").Body, GetParam().Body);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, InfoBody,
    ::testing::Values(
        TBodyCase{"\tAI_Output (self, other, \"X_08_00\"); //Hallo\r\n", {"<<Hallo"}},
        TBodyCase{"\tAI_Output (self, hero, \"X_08_00\"); // Hallo\r\n", {"<< Hallo"}},
        TBodyCase{"\tAI_Output (hero, self, \"X_15_00\"); //Ja\r\n", {">>Ja"}},
        // Without a comment the speaker line is empty and a blank line follows.
        TBodyCase{"\tAI_Output (self, other, \"X_08_00\");\r\n\tx = 1;\r\n", {"<<", "", "x = 1;"}},
        TBodyCase{"\tAI_StopProcessInfos (self); // und weg\r\n", {"ENDE", "// und weg"}},
        // Calls inside expressions or with other speakers stay code.
        TBodyCase{"\tAI_Output (self, Diego, \"X_08_00\"); //Hallo\r\n",
                  {"AI_Output (self, Diego, \"X_08_00\"); //Hallo"}},
        TBodyCase{"\tif (x) { AI_StopProcessInfos (self); };\r\n", {"if (x) { ENDE", "};"}},
        // A comment becomes the spoken text only when nothing but blanks stands before it;
        // code between the call and the comment stays, and so does a "//" in a string.
        TBodyCase{"\tAI_Output (self, other, \"A\"); AI_Output (other, self, \"B\"); //Zwei\r\n",
                  {"<<", ">>Zwei"}},
        TBodyCase{"\tAI_Output (self, other, \"A\"); x = 1; // zu x\r\n", {"<<", "x = 1; // zu x"}},
        TBodyCase{"\tif (x) { AI_Output (self, other, \"A\"); }; //Im if\r\n\ty = 2;\r\n",
                  {"if (x) { <<", "}; //Im if", "y = 2;"}},
        TBodyCase{"\tAI_Output (self, other, \"A\"); Print (\"http://x\");\r\n",
                  {"<<", "Print (\"http://x\");"}},
        TBodyCase{"\tAI_Output (self, other, \"A\"); \t //Hallo\r\n", {"<<Hallo"}}));

// The trade call is written anew from the trade flag, so it is dropped where the flag brings
// it back; in any other function it stays, or the exported scripts would lose it.
TEST(ScriptImport, TradeCallLeavesNoTraceWhereTheFlagWritesItAgain) {
    const std::string trade = "\tAI_Output (other, self, \"X_15_00\"); //Kauf\r\n"
                              "\tB_GiveTradeInv (self); /* Ware */ // auff\xFCllen\r\n"
                              "\tx = 2;\r\n";
    const std::string script =
        DialogScript("DIA_Wirt_Handel", "\ttrade = TRUE;\r\n", "\treturn TRUE;\r\n", trade) +
        DialogScript("DIA_Wirt_Nur", "", "\treturn TRUE;\r\n", trade) +
        "func void B_Restock ()\r\n{\r\n\tB_GiveTradeInv (self);\r\n};\r\n";
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(project, {{"DIA_Wirt.d", script}}, prompter));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Wirt\\Handel").Body, (TLines{">>Kauf", "x = 2;"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Wirt\\Nur").Body,
              (TLines{">>Kauf", "B_GiveTradeInv (self); /* Ware */ // auff\xFCllen", "x = 2;"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Wirt\\B_Restock").Body,
              (TLines{"func void B_Restock() {", "\tB_GiveTradeInv (self);", "};"}));
}

TEST(ScriptImport, OptionsHangUnderTheDialogThatOffersThem) {
    const std::string script =
        DialogScript(
            "DIA_Wirt_Hallo", "\tdescription = \"Hallo\";\r\n", "\treturn TRUE;\r\n",
            "\tInfo_ClearChoices (DIA_Wirt_Hallo);\r\n"
            "\tInfo_AddChoice (DIA_Wirt_Hallo, DIALOG_BACK, DIA_Wirt_Hallo_Back);\r\n"
            "\tInfo_AddChoice (DIA_Wirt_Hallo, \"Bier!\", DIA_Wirt_Hallo_Bier); // kalt\r\n") +
        "func void DIA_Wirt_Hallo_Back ()\r\n{\r\n\tInfo_ClearChoices (DIA_Wirt_Hallo);\r\n};\r\n"
        "func void DIA_Wirt_Hallo_Bier ()\r\n{\r\n"
        "\tInfo_AddChoice (DIA_Wirt_Hallo, \"Noch eins!\", DIA_Wirt_Hallo_Bier);\r\n"
        "\tInfo_AddChoice (DIA_Wirt_Hallo, \"Was anderes\", DIA_Wirt_Hallo_Back);\r\n"
        "\tInfo_ClearChoices (DIA_Wirt_Other);\r\n};\r\n" +
        DialogScript("DIA_Wirt_Other", "", "\treturn TRUE;\r\n", "\tx = 1;\r\n");
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(project, {{"DIA_Wirt.d", script}}, prompter));
    EXPECT_EQ(TreeOutline(project),
              (std::vector<std::string>{"IMPORT 0", "  Wirt 0", "    Hallo 1", "      Back 3",
                                        "      Bier 3", "    Other 1"}));
    const TElement& back = BlockAt(project, "IMPORT\\Wirt\\Hallo\\Back");
    const TElement& bier = BlockAt(project, "IMPORT\\Wirt\\Hallo\\Bier");
    const TElement& other = BlockAt(project, "IMPORT\\Wirt\\Other");
    const std::string backRef = "++#" + std::to_string(back.Id) + "#";
    const std::string bierRef = "++#" + std::to_string(bier.Id) + "#";
    EXPECT_EQ(BlockAt(project, "IMPORT\\Wirt\\Hallo").Body,
              (TLines{"--", backRef, bierRef, "// kalt"}));
    EXPECT_EQ(back.Description, "!DIALOG_BACK");
    EXPECT_EQ(back.Body, (TLines{"--"}));
    // Offered again with another caption, the option stays code.
    EXPECT_EQ(bier.Description, "Bier!");
    EXPECT_EQ(
        bier.Body,
        (TLines{"Info_AddChoice (#" + std::to_string(BlockAt(project, "IMPORT\\Wirt\\Hallo").Id) +
                    "#, \"Noch eins!\", #" + std::to_string(bier.Id) + "#);",
                "Info_AddChoice (#" + std::to_string(BlockAt(project, "IMPORT\\Wirt\\Hallo").Id) +
                    "#, \"Was anderes\", #" + std::to_string(back.Id) + "#);",
                "--#" + std::to_string(other.Id) + "#"}));
}

TEST(ScriptImport, ConditionsBecomeConditionTextsOrCodeBlocks) {
    const std::string script =
        DialogScript("DIA_Wirt_A", "", "\treturn 1;\r\n", "\tx = 1;\r\n") +
        DialogScript("DIA_Wirt_B", "",
                     "\tif (Npc_KnowsInfo (hero, // erst A\r\n\t\tDIA_Wirt_A))\r\n"
                     "\t&& (Wld_IsTime (8, 0, 20, 0))\r\n\t{\r\n\t\treturn TRUE;\r\n\t};\r\n",
                     "\tx = 1;\r\n") +
        DialogScript("DIA_Wirt_C", "", "\treturn 0;\r\n", "\tx = 1;\r\n") +
        DialogScript("DIA_Wirt_D", "", "\tif (x) { return TRUE; } else { return FALSE; };\r\n",
                     "\tx = 1;\r\n");
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(project, {{"DIA_Wirt.d", script}}, prompter));
    EXPECT_EQ(TreeOutline(project),
              (std::vector<std::string>{"IMPORT 0", "  Wirt 0", "    A 1", "    B 1",
                                        "    DIA_Wirt_C_Condition 4", "    C 1",
                                        "    DIA_Wirt_D_Condition 4", "    D 1"}));
    const TElement& a = BlockAt(project, "IMPORT\\Wirt\\A");
    const TElement& b = BlockAt(project, "IMPORT\\Wirt\\B");
    EXPECT_EQ(a.Condition, TLines{});
    EXPECT_EQ(b.Condition,
              (TLines{"if (#!" + std::to_string(a.Id) + "#)", "&& (Wld_IsTime (8, 0, 20, 0))"}));
    EXPECT_EQ(b.KnownRefs, (std::vector<int32_t>{a.Id}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Wirt\\C").Condition,
              (TLines{"if (DIA_Wirt_C_Condition())"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Wirt\\DIA_Wirt_C_Condition").Body,
              (TLines{"func int DIA_Wirt_C_Condition() {", "\treturn 0;", "};"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Wirt\\D").Condition,
              (TLines{"if (DIA_Wirt_D_Condition())"}));
}

// A function that belongs to one dialog is reached from elsewhere through that dialog's
// block; a function no dialog owns keeps its name. Options nobody offers hang where a call
// or a dialog statement ties them to a placed block.
TEST(ScriptImport, SharedFunctionsAreReachedThroughTheirOwner) {
    const std::string script =
        DialogScript("DIA_W_A", "", "\treturn TRUE;\r\n", "\tx = 1;\r\n") +
        "instance DIA_W_B (C_INFO) { npc = VLK_400_Wirt; condition = DIA_W_A_Condition;\r\n"
        "\tinformation = DIA_W_A_Info; };\r\n" +
        DialogScript("DIA_W_C", "", "\treturn 0;\r\n",
                     "\tDIA_W_A_Info ();\r\n\tif (DIA_W_A_Condition ()) { x = 1; };\r\n"
                     "\tNpc_KnowsInfo (hero, DIA_W_A);\r\n\tW_Shout ();\r\n") +
        "instance DIA_W_D (C_INFO) { npc = VLK_400_Wirt; condition = DIA_W_C_Condition;\r\n"
        "\tinformation = B_Extern; };\r\n"
        "func void W_Shout () { AI_Output (self, other, \"S\"); //Raus!\r\n};\r\n"
        "func void W_Later () { Info_ClearChoices (DIA_W_B); AI_Output (self, other, \"L\");\r\n"
        "};\r\n";
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(project, {{"DIA_W.d", script}}, prompter, false));
    EXPECT_EQ(TreeOutline(project),
              (std::vector<std::string>{"IMPORT 0", "  A 1", "  B 1", "    Later 3",
                                        "  DIA_W_C_Condition 4", "  C 1", "    Shout 3", "  D 1"}));
    const std::string a = std::to_string(BlockAt(project, "IMPORT\\A").Id);
    const std::string shout = std::to_string(BlockAt(project, "IMPORT\\C\\Shout").Id);
    const TElement& b = BlockAt(project, "IMPORT\\B");
    EXPECT_EQ(b.Condition, (TLines{"if (#" + a + "#_condition())"}));
    EXPECT_EQ(b.Body, (TLines{"#" + a + "#_info();"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\C").Body,
              (TLines{"#" + a + "#_info ();", "if (#" + a + "#_condition ()) { x = 1; };",
                      "Npc_KnowsInfo (hero, #" + a + "#);", "#" + shout + "# ();"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\D").Condition, (TLines{"if (DIA_W_C_Condition())"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\D").Body, (TLines{"B_Extern();"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\B\\Later").Body, (TLines{"--", "<<"}));
}

TEST(ScriptImport, FunctionsOutsideTheScriptsAreCalledByName) {
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(project,
                              {{"DIA_Wirt.d", "instance DIA_Wirt_Hallo (C_INFO)\r\n{\r\n"
                                              "\tnpc = VLK_400_Wirt;\r\n"
                                              "\tcondition = Wirt_Cond;\r\n"
                                              "\tinformation = Wirt_Info;\r\n};\r\n"}},
                              prompter));
    const TElement& hallo = BlockAt(project, "IMPORT\\Wirt\\Hallo");
    EXPECT_EQ(hallo.Condition, (TLines{"if (Wirt_Cond())"}));
    EXPECT_EQ(hallo.Body, (TLines{"Wirt_Info();"}));
}

TEST(ScriptImport, AVoidFunctionWithDialogStatementsIsAnOptionOfItsOwn) {
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(
        project,
        {{"DIA_Wirt.d",
          "func void Wirt_Shout ()\r\n{\r\n\tAI_Output (self, other, \"S\"); //Raus!\r\n};\r\n"}},
        prompter));
    EXPECT_EQ(TreeOutline(project),
              (std::vector<std::string>{"IMPORT 0", "  Wirt 0", "    Shout 3"}));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Wirt\\Shout").Body, (TLines{"<<Raus!"}));
}

TEST(ScriptImport, CommentsTravelWithTheirDeclarationOnly) {
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(
        project,
        {{"DIA_Wirt.d", "/* Der Wirt */\r\n// Hallo\r\ninstance DIA_Wirt_Hallo (C_INFO)\r\n{\r\n"
                        "\tnpc = VLK_400_Wirt; // wer\r\n\t// wann\r\n"
                        "\tcondition = DIA_Wirt_Hallo_Condition;\r\n"
                        "\tinformation = DIA_Wirt_Hallo_Info;\r\n};\r\n"
                        "func int DIA_Wirt_Hallo_Condition () { return TRUE; };\r\n"
                        "// Was er sagt\r\nfunc void DIA_Wirt_Hallo_Info ()\r\n{\r\n"
                        "\t// Begr\xFC\xDFung\r\n\tAI_Output (self, other, \"S\"); //Na?\r\n};\r\n"
                        "// Ende der Datei\r\n"}},
        prompter));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Wirt\\Hallo").Body,
              (TLines{"/* Der Wirt */", "// Hallo", "", "// Was er sagt", "", "// Begr\xFC\xDFung",
                      "<<Na?"}));
}

// Scripts saved with LF alone, CR alone or a mix of line ends read like CR LF scripts: a
// comment ends at its line end and the spoken text takes no code from the next line. A CR
// doubled before the LF (a CR LF file converted once more) is one line end too.
TEST(ScriptImport, OtherLineEndsWorkLikeCrLf) {
    const std::string script = DialogScript("DIA_Wirt_Hallo", "", "\treturn TRUE;\r\n",
                                            "\tAI_StopProcessInfos (self); // weg\r\n"
                                            "\tAI_Output (self, other, \"S\");\r\n\tx = 1;\r\n"
                                            "\tAI_Output (other, self, \"T\"); //Ja\r\n"
                                            "\ty = 2; // y\r\n");
    std::string lf, cr, mixed, doubled;
    bool bare = false;
    for (size_t i = 0; i < script.size(); ++i) {
        if (script[i] != '\r') lf += script[i];
        if (script[i] != '\n') cr += script[i];
        if (script[i] == '\r') doubled += '\r';
        doubled += script[i];
        if (script[i] == '\r' && (bare = !bare)) continue;
        mixed += script[i];
    }
    for (const std::string& text : {lf, cr, mixed, doubled}) {
        TProject project;
        TRecordingPrompter prompter;
        ASSERT_TRUE(ImportScripts(project, {{"DIA_Wirt.d", text}}, prompter))
            << prompter.Messages.front();
        EXPECT_EQ(BlockAt(project, "IMPORT\\Wirt\\Hallo").Body,
                  (TLines{"ENDE", "// weg", "<<", "", "x = 1;", ">>Ja", "y = 2; // y"}));
    }
}

TEST(ScriptImport, Utf8ScriptsAreConvertedAndLossesWarnedAbout) {
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(
        project,
        {{"DIA_Wirt.d",
          "\xEF\xBB\xBF" + DialogScript("DIA_Wirt_Hallo", "", "\treturn TRUE;\r\n",
                                        "\tAI_Output (self, other, \"S\"); //Gr\xC3\xBC\xC3\x9F "
                                        "dich \xE2\x98\x83\r\n")}},
        prompter));
    EXPECT_EQ(BlockAt(project, "IMPORT\\Wirt\\Hallo").Body, (TLines{"<<Gr\xFC\xDF dich ?"}));
    EXPECT_EQ(prompter.Messages,
              (std::vector<std::string>{"Warnung: Die Datei \"DIA_Wirt.d\" "
                                        "enth\xE4lt Zeichen, die es in Windows-1252 nicht gibt.\r\n"
                                        "Sie wurden durch \"?\" ersetzt."}));
}

// --- Where the blocks go ---

TEST(ScriptImport, EachRunGetsAFolderOfItsOwn) {
    TProject project;
    TRecordingPrompter prompter;
    const std::string script = "func void Helper () { x = 1; };\r\n";
    for (int run = 0; run < 3; ++run)
        ASSERT_TRUE(ImportScripts(project, {{"B_Helper.d", script}}, prompter));
    EXPECT_EQ(TreeOutline(project),
              (std::vector<std::string>{"IMPORT 0", "  Helper 0", "    Helper 4", "IMPORT1 0",
                                        "  Helper 0", "    Helper 4", "IMPORT2 0", "  Helper 0",
                                        "    Helper 4"}));
}

TEST(ScriptImport, FilesWithTheSameFolderNameShareIt) {
    const std::vector<testing::TScript> scripts = {
        {"scripts/DIA_Guard.d",
         DialogScript("DIA_Guard_Hello", "", "\treturn TRUE;\r\n", "\tx = 1;\r\n")},
        {"scripts/Quest_Guard.d", "func void B_Guard () { x = 1; };\r\n"},
        {"scripts/M\xE4rchen_\xD6l\xFC\xDF"
         "2.dlg.d",
         "func void B_Tale () { x = 1; };\r\n"},
        {"12.d", "func void B_Number () { x = 1; };\r\n"},
    };
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(project, scripts, prompter));
    EXPECT_EQ(TreeOutline(project),
              (std::vector<std::string>{"IMPORT 0", "  Guard 0", "    Hello 1", "    B_Guard 4",
                                        "  OelUess 0", "    B_Tale 4", "  DooferDateiname 0",
                                        "    B_Number 4"}));

    TProject flat;
    ASSERT_TRUE(ImportScripts(flat, scripts, prompter, false));
    EXPECT_EQ(TreeOutline(flat), (std::vector<std::string>{"IMPORT 0", "  Hello 1", "  B_Guard 4",
                                                           "  B_Tale 4", "  B_Number 4"}));
}

TEST(ScriptImport, NodeNamesTakeMoreOfTheNameWhenASiblingHasTheShortOne) {
    std::string script;
    for (const char* name : {"DIA_Guard_Hello", "DIA_Wache_Hello", "Wache_Hello", "Hello"})
        script += DialogScript(name, "", "\treturn TRUE;\r\n", "\tx = 1;\r\n");
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(project, {{"DIA_Guard.d", script}}, prompter, false));
    EXPECT_EQ(TreeOutline(project),
              (std::vector<std::string>{"IMPORT 0", "  Hello 1", "  Wache_Hello 1",
                                        "  Wache_Hello 1", "  Hello 1"}));
}

// --- Failures ---

struct TFailureCase {
    const char* Name;
    std::string Script;
    std::string Message;
};

class ImportFailureMessage : public ::testing::TestWithParam<TFailureCase> {};

TEST_P(ImportFailureMessage, IsShownWhole) {
    EXPECT_EQ(ImportFailure(GetParam().Script), GetParam().Message);
}

const std::string kInterpreting = "Fehler beim Interpretieren der einzelnen Objekte: \r\n";
const std::string kFlagMessage =
    "Ung\xFCltige Zuweisung an \"important\", \"permanent\" oder \"trade\".\r\n"
    "Es werden nur TRUE, FALSE oder Ganzzahlen akzeptiert.";

std::string Dialog(const std::string& attributes, const std::string& info = "\tx = 1;\r\n") {
    return DialogScript("DIA_Test_Hello", attributes, "\treturn TRUE;\r\n", info);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ImportFailureMessage,
    ::testing::Values(
        TFailureCase{"OddStatement", Dialog("\tnr = 1 + 2;\r\n"),
                     kInterpreting + "Seltsames Statement in DIA_Test_Hello\r\n"
                                     "bei nr. So etwas wird nicht unterst\xFCtzt."},
        TFailureCase{"TwoConditions", Dialog("\tcondition = DIA_Test_Hello_Condition;\r\n"),
                     kInterpreting +
                         "Der Dialog DIA_Test_Hello\r\nhat zwei Conditionfunktionen!?\r\n"
                         "Sorry, aber das ist verwirrend. Stell das richtig!"},
        TFailureCase{"TwoInformations", Dialog("\tinformation = Other_Info;\r\n"),
                     kInterpreting +
                         "Der Dialog DIA_Test_Hello\r\nhat zwei information-Funktionen!?\r\n"
                         "Sorry, aber das ist verwirrend. Stell das richtig!"},
        TFailureCase{"FlagName", Dialog("\tpermanent = ja;\r\n"), kInterpreting + kFlagMessage},
        TFailureCase{"FlagFraction", Dialog("\ttrade = 1.5;\r\n"), kInterpreting + kFlagMessage},
        TFailureCase{"OtherAttribute", Dialog("\tocname = 1;\r\n"),
                     kInterpreting + "Nicht unterst\xFCtzte Zuweisung in DIA_Test_Hello\r\n"
                                     "Nur Zuweisungen an die Klassenanttribute sind erlaubt."},
        TFailureCase{"CallOfADialog", Dialog("", "\tDIA_Test_Hello ();\r\n"),
                     kInterpreting + "Aufruf von \"DIA_Test_Hello\" ung\xFCltig!\r\n"
                                     "Dieses Objekt ist keine Funktion!"},
        TFailureCase{
            "ClearChoicesOfAFunction",
            Dialog("", "\tInfo_ClearChoices (B_Help);\r\n") + "func void B_Help () { x = 1; };\r\n",
            kInterpreting + "Ung\xFCltiger Typ: \"B_Help\r\nInfo_ClearChoices ben\xF6tigt\r\n"
                            "als Parameter eine C_INFO-Instanz."},
        TFailureCase{"KnowsInfoOfAFunction",
                     Dialog("", "\tif (Npc_KnowsInfo (other, B_Help)) { x = 1; };\r\n") +
                         "func void B_Help () { x = 1; };\r\n",
                     kInterpreting + "Ung\xFCltiger Typ: \"B_Help\r\nNpc_KnowsInfo ben\xF6tigt\r\n"
                                     "als Parameter eine C_INFO-Instanz."},
        TFailureCase{"ChoiceOfAnIntFunction",
                     Dialog("", "\tInfo_AddChoice (DIA_Test_Hello, \"Ja\", B_Count);\r\n") +
                         "func int B_Count () { return 1; };\r\n",
                     kInterpreting + "Ung\xFCltiger Typ: \"B_Count\r\n"
                                     "Der dritte Parameter von Info_AddChoice\r\n"
                                     "muss eine Funktion mit leerem Ergebnistyp\r\n"
                                     "und leerer Parameterliste sein."},
        TFailureCase{
            "VoidCondition",
            "instance DIA_Test_Hello (C_INFO) { condition = B_Void; information = B_Void; };\r\n"
            "func void B_Void () { x = 1; };\r\n",
            kInterpreting + "Fehler in: DIA_Test_Hello\r\nUng\xFCltige \"condition\" Funktion.\r\n"
                            "Gesucht ist eine int-Funktion ohne \xDC"
                            "bergabeparameter."},
        TFailureCase{
            "IntInformation",
            "instance DIA_Test_Hello (C_INFO) { information = B_Int; condition = B_Int; };\r\n"
            "func int B_Int () { return 1; };\r\n",
            kInterpreting +
                "Fehler in: DIA_Test_Hello\r\nUng\xFCltige \"information\" Funktion.\r\n"
                "Gesucht ist eine void-Funktion ohne \xDC"
                "bergabeparameter."},
        TFailureCase{
            "EmptyDialog", "instance DIA_Test_Hello (C_INFO) { };\r\n",
            "Fehler bei DIA_Test_Hello\r\nDem Dialog fehlt die Condition und/oder Information!"},
        TFailureCase{
            "NoInformation", "instance DIA_Test_Hello (C_INFO) { npc = X; condition = C; };\r\n",
            "Fehler bei DIA_Test_Hello\r\nDem Dialog fehlt die Condition und/oder Information!"},
        TFailureCase{"DuplicateName",
                     Dialog("") + "func void DIA_Test_Hello_Info () { x = 2; };\r\n",
                     "Doppelt definierter Bezeichner: DIA_Test_Hello_Info"},
        TFailureCase{"SyntaxError", "func void A () { x = ; };\r\n",
                     "Syntax Error in Datei: DIA_Test.d\r\nIdentifier oder Literal erwartet.\r\n"
                     "Import abgebrochen."},
        // The rest of the file must not be dropped silently.
        TFailureCase{
            "StrayText", "func void A () { x = 1; };\r\nx = 2;\r\n",
            "Syntax Error in Datei: DIA_Test.d\r\nUng\xFCltiges Statement oder ung\xFCltiges "
            "Zeichen.\r\nImport abgebrochen."}),
    [](const ::testing::TestParamInfo<TFailureCase>& info) { return info.param.Name; });

TEST(ScriptImport, NamesThatDifferInCaseAreNoDuplicates) {
    TProject project;
    TRecordingPrompter prompter;
    EXPECT_TRUE(ImportScripts(project,
                              {{"DIA_A.d", "func void DIA_Guard_Hello () { x = 1; };\r\n"},
                               {"DIA_B.d", "func void DIA_GUARD_HELLO () { x = 1; };\r\n"}},
                              prompter));
    TProject twice;
    EXPECT_FALSE(ImportScripts(twice,
                               {{"DIA_A.d", "func void DIA_Guard_Hello () { x = 1; };\r\n"},
                                {"DIA_B.d", "func void dia_guard_hello () { x = 1; };\r\n"
                                            "func void DIA_Guard_Hello () { x = 1; };\r\n"}},
                               prompter));
    EXPECT_EQ(prompter.Messages.back(), "Doppelt definierter Bezeichner: DIA_Guard_Hello");
}

TEST(ScriptImport, MissingFileIsAnInternalError) {
    TProject project;
    TRecordingPrompter prompter;
    testing::TMemoryFileSystem files;
    EXPECT_FALSE(RunScriptImport(project, {"fehlt/DIA_X.d"}, true, files, prompter));
    EXPECT_EQ(
        prompter.Messages,
        (std::vector<std::string>{"Interner unbehandelter Fehler:\r\nDie Datei "
                                  "\"fehlt/DIA_X.d\" kann nicht gelesen werden (E/A-Fehler 2)."}));
    EXPECT_TRUE(project.Tree.IsEmpty());
}

// A failed run leaves the project as it was; the old importer left a half-built folder.
TEST(ScriptImport, FailureLeavesTheProjectAsItWas) {
    TProject project;
    project.Variables = {"var int Old;"};
    TRecordingPrompter prompter;
    ASSERT_TRUE(
        ImportScripts(project, {{"B_Old.d", "func void B_Old () { x = 1; };\r\n"}}, prompter));
    const std::vector<std::string> before = TreeOutline(project);
    const TLines variablesBefore = project.Variables;
    const int32_t tableSize = project.Elements.Size();

    const std::string good =
        DialogScript("DIA_Wirt_Hallo", "", "\treturn TRUE;\r\n", "\tx = 1;\r\n");
    for (const std::string& bad :
         {std::string("instance DIA_Wirt_Bad (C_INFO) { npc = X; };\r\n"), // late: no functions
          std::string("instance DIA_Wirt_Bad (C_INFO) { npc = X; nr = ; };\r\n")}) { // early
        EXPECT_FALSE(ImportScripts(project, {{"DIA_Wirt.d", good}, {"DIA_Bad.d", bad}}, prompter));
        EXPECT_EQ(TreeOutline(project), before);
        EXPECT_EQ(project.Variables, variablesBefore);
        int live = 0;
        project.Elements.ForEach([&](const TElement& element) { live += !element.IsFree(); });
        EXPECT_EQ(live, 1);
        // The ids the run took are free again: the next block gets the lowest one.
        EXPECT_LE(project.Elements.FindFreeElementSlot(), tableSize);
    }
}

// --- Progress ---

struct TProgressRecord : TImportProgress {
    std::vector<std::string> Labels;
    std::vector<int> Bars;
    void ShowProgress(const std::string& stageText, int step, int count, int barValue) override {
        Labels.push_back(ProgressLabel(stageText, step, count));
        Bars.push_back(barValue);
    }
};

TEST(ScriptImport, ReportsEachStageAndStep) {
    TProject project;
    TRecordingPrompter prompter;
    testing::TMemoryFileSystem files;
    files.Files["B_A.d"] = "func void B_A () { x = 1; };\r\nfunc void B_B () { x = 1; };\r\n";
    files.Files["B_C.d"] = "var int c;\r\n";
    TProgressRecord progress;
    ASSERT_TRUE(RunScriptImport(project, {"B_A.d", "B_C.d"}, true, files, prompter, &progress));
    EXPECT_EQ(
        progress.Labels,
        (std::vector<std::string>{
            "Daten einlesen...", "Daten einlesen... (0/2)", "Daten einlesen... (1/2)",
            "Daten verarbeiten...", "Daten verarbeiten... (0/2)", "Daten verarbeiten... (1/2)",
            "Knotenhierarchie kl\xE4ren...", "Knoten anlegen...", "Knoten anlegen... (0/2)",
            "Knoten anlegen... (1/2)", "Referenzen umwandeln...", "Referenzen umwandeln... (0/2)",
            "Referenzen umwandeln... (1/2)", "Daten in Knoten kopieren...",
            "Daten in Knoten kopieren... (0/2)", "Daten in Knoten kopieren... (1/2)"}));
    EXPECT_EQ(progress.Bars, (std::vector<int>{0, 0, 100, 200, 200, 425, 650, 680, 680, 800, 920,
                                               920, 940, 960, 960, 980}));
}

} // namespace
} // namespace redewerk
