#include "codegen/compiler.h"

#include "model/project.h"

#include "listing.h"
#include "support/project_builder.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::AddBlock;

// A small tavern: Wirt\Hallo with its option Ja, two more Dialogs of the Wirt, a Dialog of the
// Koch, an Event and a Code block.
class Compiler : public ::testing::Test {
protected:
    Compiler()
        : hallo(AddBlock(project, "Wirt\\Hallo", ekDialog)),
          ja(AddBlock(project, "Wirt\\Hallo\\Ja", ekChoice)),
          tschuess(AddBlock(project, "Wirt\\Tschuess", ekDialog)),
          ende(AddBlock(project, "Wirt\\Ende", ekDialog)),
          handel(AddBlock(project, "Koch\\Handel", ekDialog)),
          tuer(AddBlock(project, "Events\\TuerAuf", ekEvent)),
          helfer(AddBlock(project, "Werkzeug\\Helfer", ekCode)),
          zaun(AddBlock(project, "Wirt\\Hallo\\Zaun", ekChoice)) {
        zaun.Description = "Zaun";
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
    TElement &hallo, &ja, &tschuess, &ende, &handel, &tuer, &helfer, &zaun;
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
              (TLines{"DIA_WIRT_HALLO_JA Npc_KnowsInfo (hero, DIA_WIRT_HALLO) "
                      "Bekannt_DIA_WIRT_TSCHUESS Bekannt_EVENTS_TUERAUF WERKZEUG_HELFER",
                      lines[1], lines[2], "#INVALID:Weg# #INVALID:Gel\xF6scht!# #+frei# #+auch#",
                      "#INVALID:99# #INVALID:-1#"}));
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>(2, "Compiler: Ung\xFCltiger Verweis auf Baustein!"));
}

// Each body line and what it becomes, compiled as one body in this order: spoken lines are
// numbered on from ten, and a "++" or "--" never takes an argument from the next line.
TEST_F(Compiler, BodyLinesBecomeDaedalus) {
    const std::pair<std::string, std::string> lines[] = {
        {">>Mach's gut // Abschied",
         "AI_Output (other, self, \"DIA_WIRT_HALLO_10\"); //Mach's gut // Abschied"},
        {"  >>>Drei // mit #12# und \"",
         "  AI_Output (other, self, \"DIA_WIRT_HALLO_11\"); //>Drei // mit #12# und \""},
        {"<<Satz", "AI_Output (self, other, \"DIA_WIRT_HALLO_12\"); //Satz"},
        {"ENDE;", "AI_StopProcessInfos (self);"},
        {"x = 1; ende", "x = 1; AI_StopProcessInfos (self);"},
        {"y = \"ende\"; // ENDE", "y = \"ende\"; // ENDE"},
        {"/* Ende */ Ende ;", "/* Ende */ AI_StopProcessInfos (self);"},
        {"Ende", "AI_StopProcessInfos (self);"},
        {"ENDE2 = 1;", "ENDE2 = 1;"},
        {"--", "Info_ClearChoices (DIA_WIRT_HALLO);"},
        {"  -- Dia_Wirt_Tschuess  ", "  Info_ClearChoices (DIA_WIRT_TSCHUESS);  "},
        {"--self.aivar[3]", "Info_ClearChoices (SELF.AIVAR[3]);"},
        {"++" + Ref(ja), "Info_AddChoice (DIA_WIRT_HALLO, \"Ja bitte\", DIA_WIRT_HALLO_JA);"},
        {"  ++ " + Ref(tschuess),
         "  Info_AddChoice (DIA_WIRT_HALLO, \"Tsch\xFC\xDF\", DIA_WIRT_TSCHUESS_Info);"},
        {"++" + Ref(ende), "Info_AddChoice (DIA_WIRT_HALLO, DIALOG_ENDE, DIA_WIRT_ENDE_Info);"},
        {"++UNBEKANNT", "Info_AddChoice (DIA_WIRT_HALLO, \"\", UNBEKANNT);"},
        // Names are found whatever their letter case; "z" is a letter like any other.
        {"++ dia_wirt_hallo_zaun",
         "Info_AddChoice (DIA_WIRT_HALLO, \"Zaun\", DIA_WIRT_HALLO_ZAUN);"},
        {"++DIA_ANDERS, " + Ref(ja) + " // zum Anderen",
         "Info_AddChoice (DIA_ANDERS, \"Ja bitte\", DIA_WIRT_HALLO_JA); // zum Anderen"},
        {"++ Ziel ," + Ref(ja), "Info_AddChoice ( Ziel , \"Ja bitte\", DIA_WIRT_HALLO_JA);"},
        {"f(a, b); // no target", "f(a, b); // no target"},
        {"++", "Info_AddChoice (DIA_WIRT_HALLO, , \"INVALID\", INVALID);"},
        {"x = 1;", "x = 1;"},
        {"--", "Info_ClearChoices (DIA_WIRT_HALLO);"},
        {"++", "Info_AddChoice (DIA_WIRT_HALLO, , \"INVALID\", INVALID);"},
    };
    TLines body(10, ">>a"), expected;
    for (const auto& [line, compiled] : lines) {
        body.push_back(line);
        expected.push_back(compiled);
    }
    const TLines out = Body(hallo, body);
    EXPECT_EQ(out.front(), "AI_Output (other, self, \"DIA_WIRT_HALLO_00\"); //a");
    EXPECT_EQ(TLines(out.begin() + 10, out.end()), expected);
    EXPECT_TRUE(prompter.Messages.empty());
}

// "++" and "--" without a dialog name take the nearest Dialog above, through folders and other
// blocks; without one they say INVALID.
TEST_F(Compiler, ChoiceAndClearLinesFindTheDialogAbove) {
    const TElement& deep = AddBlock(project, "Wirt\\Hallo\\Mehr\\Nochmal", ekChoice);
    EXPECT_EQ(compiler.DialogAncestorName(deep.Id), "DIA_WIRT_HALLO");
    EXPECT_TRUE(prompter.Messages.empty());
    EXPECT_EQ(Body(tuer, {"++" + Ref(ja), "--"}),
              (TLines{"Bekannt_EVENTS_TUERAUF = TRUE;", "",
                      "Info_AddChoice (INVALID, \"Ja bitte\", DIA_WIRT_HALLO_JA);",
                      "Info_ClearChoices (INVALID);"}));
    const std::string message =
        "Compiler: Konnte keinen Instanznamen finden um Dialogoption anzuh\xE4ngen (bzw. um "
        "Info_ClearChoices darauf auszuf\xFChren)!\rEVENTS_TUERAUF";
    EXPECT_EQ(prompter.Messages, std::vector<std::string>(2, message));
}

TEST_F(Compiler, DialogWithItsFlagsAndAnNpcAskedFor) {
    handel.Npc = "Koch";
    handel.Permanent = handel.Trade = true;
    handel.Heading = "Handel";
    handel.Description = "Zeig mal";
    handel.Condition = {"if (Npc_IsInState (self, ZS_Talk))"};
    handel.Body = {"<<Hier."};
    tuer.KnownRefs = {handel.Id};
    prompter.TextAnswers = {"VLK_2_Koch"};
    EXPECT_EQ(Compile(handel), testing::Listing("koch_handel.d"));
    EXPECT_EQ(declarations, TLines{"var int Bekannt_DIA_KOCH_HANDEL;"});
    // The answer is learnt: compiling again asks no more. An important Dialog has no
    // description.
    handel.Important = true;
    const TLines again = Compile(handel);
    EXPECT_EQ(TLines(again.begin() + 10, again.begin() + 14),
              (TLines{"\tpermanent\t= TRUE;", "\timportant\t= TRUE;", "\ttrade\t\t= TRUE;", "};"}));
    EXPECT_EQ(prompter.Questions, std::vector<std::string>{"Instanzname von Koch"});
    EXPECT_EQ(project.Npcs.InstanceNameOf("Koch", prompter), "VLK_2_Koch");
}

TEST_F(Compiler, HeadingsAreCutIntoPiecesOfThirtyCharactersAndAWord) {
    const std::pair<std::string, TLines> cases[] = {
        {std::string(30, 'x'), {"//   " + std::string(30, 'x')}},
        {std::string(70, 'y'), {"//   " + std::string(70, 'y')}},
        {"aaaaaaaaaa bbbbbbbbbb cccccccccc dddd eeee",
         {"//   aaaaaaaaaa bbbbbbbbbb cccccccccc ", "//   dddd eeee"}},
        {std::string(30, 'z') + " " + std::string(31, 'w') + " v",
         {"//   " + std::string(30, 'z') + " ", "//   " + std::string(31, 'w') + " ", "//   v"}},
    };
    const std::string rule = "//" + std::string(40, '*');
    for (const auto& [heading, pieces] : cases) {
        helfer.Heading = heading;
        TLines expected = {rule};
        expected.insert(expected.end(), pieces.begin(), pieces.end());
        expected.insert(expected.end(), {rule, "", ""});
        EXPECT_EQ(Compile(helfer), expected) << heading;
    }
}

// Half-typed bodies: each is emitted, compiled or (with the lexer's message) only with its
// references resolved, never a crash.
TEST_F(Compiler, OddBodiesAreEmittedWithTheirMessage) {
    const std::string cannot = "Konnte \"Werkzeug\\Helfer\" nicht kompilieren.\r\n";
    const struct {
        TLines Body;
        TLines Emitted;
        std::vector<std::string> Messages;
    } cases[] = {
        {{">>Hallo", "x = " + Ref(tuer) + "; ?"},
         {">>Hallo", "x = EVENTS_TUERAUF; ?"},
         {cannot + "Ung\xFCltiges Zeichen: ?"}},
        {{"x = #"}, {"x = #"}, {cannot + "Nicht geschlossenes \"#\"-Statement"}},
        {{"s = \"offen;"},
         {"s = \"offen;"},
         {cannot + "Ung\xFCltiges (nicht endendes) String-Literal."}},
        {{"/* offen"}, {"/* offen"}, {}},
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

} // namespace
} // namespace redewerk
