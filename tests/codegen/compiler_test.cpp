#include "codegen/compiler.h"

#include "model/project.h"

#include "support/project_builder.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::AddBlock;

// A small tavern: Wirt\Hallo with its option Ja, two more Dialogs of the Wirt, a Dialog of the
// Koch, two Events and a Code block.
class Compiler : public ::testing::Test {
protected:
    Compiler()
        : hallo(AddBlock(project, "Wirt\\Hallo", ekDialog)),
          ja(AddBlock(project, "Wirt\\Hallo\\Ja", ekChoice)),
          tschuess(AddBlock(project, "Wirt\\Tschuess", ekDialog)),
          ende(AddBlock(project, "Wirt\\Ende", ekDialog)),
          handel(AddBlock(project, "Koch\\Handel", ekDialog)),
          tuer(AddBlock(project, "Events\\TuerAuf", ekEvent)),
          laufend(AddBlock(project, "Events\\Laufend", ekEvent)),
          helfer(AddBlock(project, "Werkzeug\\Helfer", ekCode)) {
        ja.Description = "Ja bitte";
        tschuess.Description = "Tsch\xFC\xDF";
        ende.Description = "!DIALOG_ENDE";
        project.Npcs.Add("Wirt", "VLK_1_Wirt");
    }

    TLines Body(const TElement& element, const TLines& lines) {
        return compiler.CompileBody(compiler.ResolveReferences(lines), element.Id);
    }
    TLines Compile(const TElement& element) {
        project.ComputeKnownTargets();
        return compiler.Compile(element.Id, declarations);
    }
    static std::string Ref(const TElement& element, bool known = false) {
        return (known ? "#!" : "#") + std::to_string(element.Id) + "#";
    }

    TProject project;
    testing::TRecordingPrompter prompter;
    TDialogCompiler compiler{project, prompter};
    TLines declarations;
    TElement& hallo;
    TElement& ja;
    TElement& tschuess;
    TElement& ende;
    TElement& handel;
    TElement& tuer;
    TElement& laufend;
    TElement& helfer;
};

TEST_F(Compiler, ResolvesReferencesOutsideCommentsStringsAndSpokenLines) {
    tschuess.Permanent = true;
    const TLines lines = {
        Ref(ja) + " " + Ref(hallo, true) + " " + Ref(tschuess, true) + " " + Ref(tuer, true) + " " +
            Ref(helfer, true),
        "// " + Ref(ja) + " /* " + Ref(ja) + " */ \"" + Ref(ja) + "\"",
        ">>" + Ref(ja),
        "#INVALID:Weg# #!INVALID:Gel\xF6scht!# #+frei# #!+auch#",
        "#99# #!-1#",
    };
    EXPECT_EQ(compiler.ResolveReferences(lines),
              (TLines{
                  "DIA_WIRT_HALLO_JA Npc_KnowsInfo (hero, DIA_WIRT_HALLO) "
                  "Bekannt_DIA_WIRT_TSCHUESS Bekannt_EVENTS_TUERAUF WERKZEUG_HELFER",
                  lines[1],
                  lines[2],
                  "#INVALID:Weg# #INVALID:Gel\xF6scht!# #+frei# #+auch#",
                  "#INVALID:99# #INVALID:-1#",
              }));
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>(2, "Compiler: Ung\xFCltiger Verweis auf Baustein!"));
}

TEST_F(Compiler, AReferenceThatIsNoNumberStopsTheCompilation) {
    hallo.Body = {"x = #Wirt#;"};
    try {
        Compile(hallo);
        FAIL() << "no error";
    } catch (const ECompileError& error) {
        EXPECT_EQ(error.Message(), "'Wirt' ist kein g\xFCltiger Integerwert");
    }
}

TEST_F(Compiler, SpokenLinesAreNumberedPerBlock) {
    TLines body;
    for (int i = 0; i < 11; ++i)
        body.push_back(i % 2 ? "<<Satz" : ">> Satz");
    body.push_back("  >>>Drei // mit #12# und \"");
    const TLines out = Body(hallo, body);
    ASSERT_EQ(out.size(), 12u);
    EXPECT_EQ(out[0], "AI_Output (other, self, \"DIA_WIRT_HALLO_00\"); // Satz");
    EXPECT_EQ(out[1], "AI_Output (self, other, \"DIA_WIRT_HALLO_01\"); //Satz");
    EXPECT_EQ(out[10], "AI_Output (other, self, \"DIA_WIRT_HALLO_10\"); // Satz");
    EXPECT_EQ(out[11],
              "  AI_Output (other, self, \"DIA_WIRT_HALLO_11\"); //>Drei // mit #12# und \"");
}

TEST_F(Compiler, EndeStopsTheDialog) {
    const TLines body = {
        ">>Mach's gut // Abschied", "ENDE;",      "x = 1; ende", "y = \"ende\"; // ENDE",
        "/* Ende */ Ende ;",        "ENDE2 = 1;", "Ende",
    };
    EXPECT_EQ(Body(hallo, body), (TLines{
                                     "AI_Output (other, self, \"DIA_WIRT_HALLO_00\"); //Mach's "
                                     "gut // Abschied",
                                     "AI_StopProcessInfos (self);",
                                     "x = 1; AI_StopProcessInfos (self);",
                                     "y = \"ende\"; // ENDE",
                                     "/* Ende */ AI_StopProcessInfos (self);",
                                     "ENDE2 = 1;",
                                     "AI_StopProcessInfos (self);",
                                 }));
}

TEST_F(Compiler, ClearLinesTakeTheDialogOrTheirArgument) {
    const TLines body = {"--", "  -- Dia_Wirt_Tschuess  ", "--self.aivar[3]", "x = 1;", "--"};
    EXPECT_EQ(Body(ja, body), (TLines{
                                  "Info_ClearChoices (DIA_WIRT_HALLO);",
                                  "  Info_ClearChoices (DIA_WIRT_TSCHUESS);  ",
                                  "Info_ClearChoices (SELF.AIVAR[3]);",
                                  "x = 1;",
                                  "Info_ClearChoices (DIA_WIRT_HALLO);",
                              }));
    EXPECT_TRUE(prompter.Messages.empty());
}

TEST_F(Compiler, ChoiceLinesAddOptionsWithTheirDescriptions) {
    const TLines body = {
        "++" + Ref(ja),
        "  ++ " + Ref(tschuess),
        "++" + Ref(ende),
        "++UNBEKANNT",
        "++DIA_ANDERS, " + Ref(ja) + " // zum Anderen",
        "++ Ziel ," + Ref(ja),
        "++" + Ref(ja),
        "f(a, b); // the comma on this line is no target's",
        "++",
        "x = 1;",
        "++",
    };
    EXPECT_EQ(Body(hallo, body),
              (TLines{
                  "Info_AddChoice (DIA_WIRT_HALLO, \"Ja bitte\", DIA_WIRT_HALLO_JA);",
                  "  Info_AddChoice (DIA_WIRT_HALLO, \"Tsch\xFC\xDF\", DIA_WIRT_TSCHUESS_Info);",
                  "Info_AddChoice (DIA_WIRT_HALLO, DIALOG_ENDE, DIA_WIRT_ENDE_Info);",
                  "Info_AddChoice (DIA_WIRT_HALLO, \"\", UNBEKANNT);",
                  "Info_AddChoice (DIA_ANDERS, \"Ja bitte\", DIA_WIRT_HALLO_JA); // zum Anderen",
                  "Info_AddChoice ( Ziel , \"Ja bitte\", DIA_WIRT_HALLO_JA);",
                  "Info_AddChoice (DIA_WIRT_HALLO, \"Ja bitte\", DIA_WIRT_HALLO_JA);",
                  "f(a, b); // the comma on this line is no target's",
                  "Info_AddChoice (DIA_WIRT_HALLO, , \"INVALID\", INVALID);",
                  "x = 1;",
                  "Info_AddChoice (DIA_WIRT_HALLO, , \"INVALID\", INVALID);",
              }));
    EXPECT_TRUE(prompter.Messages.empty());
}

TEST_F(Compiler, ChoiceAndClearLinesWithoutADialogAboveSayINVALID) {
    EXPECT_EQ(Body(tuer, {"++" + Ref(ja), "--"}),
              (TLines{"Bekannt_EVENTS_TUERAUF = TRUE;", "",
                      "Info_AddChoice (INVALID, \"Ja bitte\", DIA_WIRT_HALLO_JA);",
                      "Info_ClearChoices (INVALID);"}));
    const std::string message =
        "Compiler: Konnte keinen Instanznamen finden um Dialogoption anzuh\xE4ngen (bzw. um "
        "Info_ClearChoices darauf auszuf\xFChren)!\rEVENTS_TUERAUF";
    EXPECT_EQ(prompter.Messages, std::vector<std::string>(2, message));
}

TEST_F(Compiler, Dialog) {
    hallo.Npc = "Wirt";
    hallo.Nr = "5";
    hallo.Description = "Hallo!";
    hallo.Condition = {"// immer"};
    hallo.Body = {">>Hallo", "++" + Ref(ja)};
    EXPECT_EQ(Compile(hallo), (TLines{
                                  "instance DIA_WIRT_HALLO (C_INFO)",
                                  "{",
                                  "\tnpc\t\t\t= VLK_1_Wirt;",
                                  "\tnr\t\t\t= 5;",
                                  "\tcondition\t= DIA_WIRT_HALLO_condition;",
                                  "\tinformation\t= DIA_WIRT_HALLO_info;",
                                  "\tdescription\t= \"Hallo!\";",
                                  "};",
                                  "",
                                  "FUNC int DIA_WIRT_HALLO_condition()",
                                  "{",
                                  "\t// immer",
                                  "\treturn TRUE;",
                                  "};",
                                  "",
                                  "FUNC void DIA_WIRT_HALLO_info()",
                                  "{",
                                  "\tAI_Output (other, self, \"DIA_WIRT_HALLO_00\"); //Hallo",
                                  "\tInfo_AddChoice (DIA_WIRT_HALLO, \"Ja bitte\", "
                                  "DIA_WIRT_HALLO_JA);",
                                  "};",
                                  "\t",
                              }));
    EXPECT_TRUE(declarations.empty());
    EXPECT_TRUE(prompter.Questions.empty());
}

TEST_F(Compiler, PermanentImportantTradeDialogAskedForAsKnown) {
    handel.Npc = "Koch";
    handel.Permanent = handel.Important = handel.Trade = true;
    handel.Description = "Zeig mal"; // an important Dialog has none
    handel.Heading = "Handel";
    handel.Condition = {"if (Npc_IsInState (self, ZS_Talk))"};
    handel.Body = {"<<Hier."};
    tuer.KnownRefs = {handel.Id};
    prompter.TextAnswers = {"VLK_2_Koch"};
    EXPECT_EQ(Compile(handel), (TLines{
                                   "//****************************************",
                                   "//   Handel",
                                   "//****************************************",
                                   "",
                                   "instance DIA_KOCH_HANDEL (C_INFO)",
                                   "{",
                                   "\tnpc\t\t\t= VLK_2_Koch;",
                                   "\tnr\t\t\t= 10;",
                                   "\tcondition\t= DIA_KOCH_HANDEL_condition;",
                                   "\tinformation\t= DIA_KOCH_HANDEL_info;",
                                   "\tpermanent\t= TRUE;",
                                   "\timportant\t= TRUE;",
                                   "\ttrade\t\t= TRUE;",
                                   "};",
                                   "",
                                   "FUNC int DIA_KOCH_HANDEL_condition()",
                                   "{",
                                   "\tif (Npc_IsInState (self, ZS_Talk))",
                                   "\t{",
                                   "\t\treturn TRUE;",
                                   "\t};",
                                   "};",
                                   "",
                                   "FUNC void DIA_KOCH_HANDEL_info()",
                                   "{",
                                   "\tBekannt_DIA_KOCH_HANDEL = TRUE;",
                                   "\t",
                                   "\tAI_Output (self, other, \"DIA_KOCH_HANDEL_00\"); //Hier.",
                                   "\t",
                                   "\tB_GiveTradeInv (self);",
                                   "};",
                                   "\t",
                               }));
    EXPECT_EQ(declarations, TLines{"var int Bekannt_DIA_KOCH_HANDEL;"});
    EXPECT_EQ(prompter.Questions, std::vector<std::string>{"Instanzname von Koch"});
    // The answer is learnt: the next Dialog of the Koch asks no more.
    EXPECT_EQ(project.Npcs.InstanceNameOf("Koch", prompter), "VLK_2_Koch");
}

TEST_F(Compiler, DescriptionsAndAnEmptyNpc) {
    ende.Permanent = true;
    ende.Nr = "999";
    ende.Body = {"ENDE"};
    const TLines out = Compile(ende);
    ASSERT_GE(out.size(), 8u);
    EXPECT_EQ(out[2], "\tnpc\t\t\t= ;");
    EXPECT_EQ(out[7], "\tdescription\t= DIALOG_ENDE;");
    EXPECT_EQ(out[out.size() - 3], "\tAI_StopProcessInfos (self);");
    EXPECT_TRUE(prompter.Questions.empty());
}

TEST_F(Compiler, EventThatRunsOnce) {
    tuer.Condition = {"if (x == 1)"};
    tuer.Body = {"x = 2;"};
    EXPECT_EQ(Compile(tuer), (TLines{
                                 "FUNC void EVENTS_TUERAUF()",
                                 "{",
                                 "\tif (Bekannt_EVENTS_TUERAUF == FALSE)",
                                 "\t{",
                                 "\t\tif (x == 1)",
                                 "\t\t{",
                                 "\t\t\tBekannt_EVENTS_TUERAUF = TRUE;",
                                 "\t\t\t",
                                 "\t\t\tx = 2;",
                                 "\t\t};",
                                 "\t};",
                                 "};",
                                 "\t",
                             }));
    EXPECT_EQ(declarations, TLines{"var int Bekannt_EVENTS_TUERAUF;"});
}

TEST_F(Compiler, ImportantPermanentEventHasNoFrameOfItsOwn) {
    laufend.Important = laufend.Permanent = true;
    laufend.Heading = "L\xE4uft";
    laufend.Body = {"y = 1;"};
    EXPECT_EQ(Compile(laufend), (TLines{
                                    "\t//****************************************",
                                    "\t//   L\xE4uft",
                                    "\t//****************************************",
                                    "\t",
                                    "\t\ty = 1;",
                                    "\t",
                                }));
    EXPECT_TRUE(declarations.empty());
}

TEST_F(Compiler, ChoiceAndCode) {
    ja.Body = {">>Ja bitte", "--"};
    EXPECT_EQ(Compile(ja), (TLines{
                               "FUNC void DIA_WIRT_HALLO_JA()",
                               "{",
                               "\t\tAI_Output (other, self, \"DIA_WIRT_HALLO_JA_00\"); //Ja bitte",
                               "\t\tInfo_ClearChoices (DIA_WIRT_HALLO);",
                               "};",
                               "\t",
                           }));
    helfer.Body = {"func void Hilfe () { x = " + Ref(tuer, true) + "; };"};
    EXPECT_EQ(Compile(helfer), (TLines{"func void Hilfe () { x = Bekannt_EVENTS_TUERAUF; };", ""}));
    EXPECT_TRUE(declarations.empty());
}

TEST_F(Compiler, HeadingsAreCutIntoPiecesOfThirtyCharactersAndAWord) {
    struct Case {
        std::string Heading;
        TLines Pieces;
    };
    const Case cases[] = {
        {"Kurz", {"//   Kurz"}},
        {std::string(30, 'x'), {"//   " + std::string(30, 'x')}},
        {std::string(70, 'y'), {"//   " + std::string(70, 'y')}},
        {"aaaaaaaaaa bbbbbbbbbb cccccccccc dddd eeee",
         {"//   aaaaaaaaaa bbbbbbbbbb cccccccccc ", "//   dddd eeee"}},
        {std::string(30, 'z') + " " + std::string(31, 'w') + " v",
         {"//   " + std::string(30, 'z') + " ", "//   " + std::string(31, 'w') + " ", "//   v"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Heading);
        helfer.Heading = c.Heading;
        helfer.Body = {"x = 1;"};
        TLines expected = {"//" + std::string(40, '*')};
        expected.insert(expected.end(), c.Pieces.begin(), c.Pieces.end());
        expected.insert(expected.end(), {"//" + std::string(40, '*'), "", "x = 1;", ""});
        EXPECT_EQ(Compile(helfer), expected);
    }
}

// Half-typed bodies: each is emitted, compiled or with the lexer's message, never a crash.
TEST_F(Compiler, OddBodiesAreEmittedWithTheirMessage) {
    struct Case {
        TLines Body;
        TLines Emitted;
        std::vector<std::string> Messages;
    };
    const std::string cannot = "Konnte \"Werkzeug\\Helfer\" nicht kompilieren.\r\n";
    const Case cases[] = {
        {{"x = #"}, {"x = #"}, {cannot + "Nicht geschlossenes \"#\"-Statement"}},
        {{"s = \"offen;"},
         {"s = \"offen;"},
         {cannot + "Ung\xFCltiges (nicht endendes) String-Literal."}},
        {{"/* offen"}, {"/* offen"}, {}},
        {{"x = #-7#;"},
         {"x = #INVALID:-7#;"},
         {"Compiler: Ung\xFC"
          "ltiger Verweis auf Baustein!"}},
        {{"", ""}, {"", ""}, {}},
        {{}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Body.empty() ? "(leer)" : c.Body.front());
        prompter.Messages.clear();
        helfer.Body = c.Body;
        TLines expected = c.Emitted;
        expected.emplace_back();
        EXPECT_EQ(Compile(helfer), expected);
        EXPECT_EQ(prompter.Messages, c.Messages);
    }
}

TEST_F(Compiler, ABodyTheLexerRejectsIsEmittedUncompiled) {
    hallo.Body = {">>Hallo", "x = " + Ref(tuer) + "; ?"};
    const TLines out = Compile(hallo);
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{
                  "Konnte \"Wirt\\Hallo\" nicht kompilieren.\r\nUng\xFCltiges Zeichen: ?"});
    const TLines tail(out.end() - 5, out.end());
    EXPECT_EQ(tail, (TLines{"{", "\t>>Hallo", "\tx = EVENTS_TUERAUF; ?", "};", "\t"}));
}

} // namespace
} // namespace redewerk
