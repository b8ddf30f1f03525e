#include "daedalus/syntax_checker.h"

#include "model/element.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace redewerk {
namespace {

constexpr TCheckMode kCond = TCheckMode::Condition;
constexpr TCheckMode kStats = TCheckMode::Statements;
constexpr TCheckMode kDecl = TCheckMode::Declarations;

struct TCheckCase {
    TCheckMode Mode;
    const char* Text;
    const char* Message; // "Syntax ok" for accepted texts
    int32_t ErrorPos;    // -1 for accepted texts
};

void PrintTo(const TCheckCase& c, std::ostream* out) {
    *out << c.Text;
}

class CheckerCases : public ::testing::TestWithParam<TCheckCase> {};

TEST_P(CheckerCases, GivesMessageAndPlace) {
    const TCheckCase& c = GetParam();
    TCheckResult result = CheckSyntax(c.Text, c.Mode);
    EXPECT_EQ(result.Message, c.Message);
    EXPECT_EQ(result.ErrorPos, c.ErrorPos);
    EXPECT_EQ(result.Ok, c.ErrorPos == -1);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, CheckerCases,
    ::testing::Values(
        TCheckCase{kCond, "", "Syntax ok", -1},
        TCheckCase{kCond, "  // nur ein Kommentar\r\n", "Syntax ok", -1},
        TCheckCase{kCond, "if Npc_KnowsInfo(other, DIA_Wache_Hallo)", "Syntax ok", -1},
        TCheckCase{kCond, "IF (Npc_KnowsInfo(other, #12#) && (x > 2))", "Syntax ok", -1},
        TCheckCase{kCond, "if -x * !y - ~z", "Syntax ok", -1},
        TCheckCase{kCond, "if self.aivar[AIV_X] == 2 || f()", "Syntax ok", -1},
        TCheckCase{kCond, "Npc_KnowsInfo(other, X)", "if-Statement in der condition erwartet.", 0},
        TCheckCase{kCond, "IF (a);", "Ung\xFCltiges Statement oder ung\xFCltiges Zeichen.", 6},
        // The scan for "b" began right after "a": the place is the blank before it.
        TCheckCase{kCond, "if a b", "Ung\xFCltiges Statement oder ung\xFCltiges Zeichen.", 4},
        // At the end of the text the place is the last character.
        TCheckCase{kCond, "if", "Identifier oder Literal erwartet.", 1},
        TCheckCase{kCond, "if a +", "Identifier oder Literal erwartet.", 5},
        TCheckCase{kCond, "if (a",
                   "Schlie\xDF"
                   "ende Klammer \")\" erwartet.",
                   4},
        TCheckCase{kCond, "if a[1",
                   "Schlie\xDF"
                   "ende Klammer \"]\" erwartet.",
                   5},
        TCheckCase{kCond, "if f(a, b",
                   "Schlie\xDF"
                   "ende Klammer \")\" oder Komma in Parameterliste erwartet.",
                   8},
        TCheckCase{kCond, "if f(a,)", "Identifier oder Literal erwartet.", 7},
        TCheckCase{kCond, "if a % b", "Syntax ok", -1}));

INSTANTIATE_TEST_SUITE_P(
    Statements, CheckerCases,
    ::testing::Values(
        TCheckCase{kStats, "", "Syntax ok", -1},
        TCheckCase{kStats, "x = 1;\r\nx[2] += y * (3 - z);\r\nf(a, \"b\", 1.5);", "Syntax ok", -1},
        TCheckCase{kStats, "x = 1", "Semikolon \";\" erwartet.", 4},
        TCheckCase{kStats, "x := 1;", "Ung\xFCltiges Zeichen: :", 1},
        TCheckCase{kStats, "x %= 2;", "Zuweisung erwartet, aber kein Zuweisungsoperator gefunden!",
                   1},
        TCheckCase{kStats, "x;", "Zuweisung erwartet, aber kein Zuweisungsoperator gefunden!", 1},
        TCheckCase{kStats, ">> Hallo \"offen 'x' $ ?\r\n<< Was? {\r\nENDE", "Syntax ok", -1},
        TCheckCase{kStats, "x = 1;>>rest of line\r\ny = 2;", "Syntax ok", -1},
        TCheckCase{kStats, ">> a\r\nx = ;", "Identifier oder Literal erwartet.", 10},
        TCheckCase{kStats, "if a { x = 1; }",
                   "Anschlie\xDF"
                   "endes IF-Statement oder \";\" erwartet.",
                   14},
        TCheckCase{kStats, "if a { } else if b { x = 1; } else { ENDE };", "Syntax ok", -1},
        TCheckCase{kStats, "if a { }; if (b) { return; };", "Syntax ok", -1},
        TCheckCase{kStats, "if a { } else x;",
                   "if-Statement oder \xF6"
                   "ffnende Klammer \"{\" erwartet.",
                   13},
        TCheckCase{kStats, "if a x = 1;",
                   "\xD6"
                   "ffnende Klammer \"{\" erwartet, aber nicht gefunden",
                   4},
        TCheckCase{kStats, "if a { x = 1;",
                   "G\xFCltiges Statement oder schlie\xDF"
                   "ende Klammer \"}\" erwartet.",
                   12},
        TCheckCase{kStats, "ENDE", "Syntax ok", -1},
        TCheckCase{kStats, "Ende ;\r\nende", "Syntax ok", -1},
        TCheckCase{kStats, "return; return x + 1;", "Syntax ok", -1},
        TCheckCase{kStats, "return", "Identifier oder Literal erwartet.", 5},
        TCheckCase{kStats, "++ DIA_A_Ja\r\n++ DIA_A, DIA_A_Nein\r\n++ DIA_A_X;", "Syntax ok", -1},
        // The ";" after the two-name form is not consumed, so it stands alone.
        TCheckCase{kStats, "++ #3#, #4#;", "Ung\xFCltiges Statement oder ung\xFCltiges Zeichen.",
                   11},
        TCheckCase{kStats, "++\r\nDIA_A", "Identifier erwartet nach \"++\" Operator.", 0},
        TCheckCase{kStats, "++ DIA_A,\r\nX",
                   "Ein \"++\"-Statement darf sich nicht \xFC"
                   "ber mehrere Zeilen erstrecken.",
                   8},
        TCheckCase{kStats, "++ 12", "Identifier erwartet aber keinen gefunden.", 0},
        TCheckCase{kStats, "++ DIA_A\r\n;", "Ung\xFCltiges Statement oder ung\xFCltiges Zeichen.",
                   8},
        TCheckCase{kStats, "--\r\n-- DIA_A\r\n--;\r\n-- DIA_B ;\r\n--\r\nx = 1;", "Syntax ok", -1},
        TCheckCase{kStats, "-- 5", "Ung\xFCltiges Statement oder ung\xFCltiges Zeichen.", 2},
        TCheckCase{kStats, "AI_Output (self, other, \"DIA_X_01\"); //Hallo \"", "Syntax ok", -1},
        TCheckCase{kStats, "f(a) x", "Semikolon \";\" erwartet.", 5},
        TCheckCase{kStats, "var int a, b[3], c; var int var;", "Syntax ok", -1},
        TCheckCase{kStats, "var foo x;", "Ung\xFCltiger Datentyp: FOO", 4},
        TCheckCase{kStats, "var c_item x; var C_Spell y;", "Syntax ok", -1},
        TCheckCase{kStats, "var Ding x;", "Ung\xFCltiger Datentyp: DING", 4},
        TCheckCase{kStats, "var int;", "Bezeichner erwartet.", 7},
        TCheckCase{kStats, "var int a b;",
                   "Komma oder Semikolon nach Parameterdeklaration erwartet.", 9},
        TCheckCase{kStats, "var", "Datentyp erwartet aber nichts gefunden.", 2},
        TCheckCase{kStats, "const int MAX = 5 + 2;", "Syntax ok", -1},
        TCheckCase{kStats, "const int A[2] = {1, 2};", "Identifier oder Literal erwartet.", 17},
        TCheckCase{kStats, "const int A 5;", "\"=\" erwartet zur Initialisierung der Konstante.",
                   11},
        TCheckCase{kStats, "}", "Ung\xFCltiges Statement oder ung\xFCltiges Zeichen.", 0},
        TCheckCase{kStats, "instance X(C_INFO);",
                   "Zuweisung erwartet, aber kein Zuweisungsoperator gefunden!", 8}));

INSTANTIATE_TEST_SUITE_P(
    Declarations, CheckerCases,
    ::testing::Values(
        TCheckCase{kDecl, "", "Syntax ok", -1},
        TCheckCase{kDecl,
                   "func void f() { };\r\nFUNC INT g(var int a, var string b) { return a; };",
                   "Syntax ok", -1},
        TCheckCase{kDecl, "func void f(int a) {};",
                   "\"var\" in Parameterliste erwartet aber nicht gefunden.", 12},
        TCheckCase{kDecl, "func void f(var int a b) {};",
                   "Schlie\xDF"
                   "ende Klammer \")\" oder Komma in Parameterliste erwartet!",
                   21},
        TCheckCase{kDecl, "func void f(var int a, ) {};",
                   "\"var\" in Parameterliste erwartet aber nicht gefunden.", 23},
        TCheckCase{kDecl, "func void f() {}", "Semikolon \";\" erwartet.", 15},
        TCheckCase{kDecl, "func foo f() {};", "Ung\xFCltiger Datentyp: FOO", 5},
        TCheckCase{kDecl, "func void f {};",
                   "\xD6"
                   "ffnende Klammer f\xFCr Parameterliste erwartet.",
                   12},
        TCheckCase{kDecl, "func void f(var int a;",
                   "Schlie\xDF"
                   "ende Klammer \")\" oder Komma in Parameterliste erwartet!",
                   21},
        TCheckCase{kDecl, "func void 1() {};", "Identifier erwartet aber keinen gefunden.", 10},
        TCheckCase{kDecl, "instance A, B (C_NPC);\r\ninstance C(C_INFO) { npc = X; nr = 1; };",
                   "Syntax ok", -1},
        TCheckCase{kDecl, "instance A;",
                   "\xD6"
                   "ffnende Klammer \"(\" erwartet. Von irgendwo muss geerbt werden.",
                   10},
        TCheckCase{kDecl, "instance A(C_INFO) { }", "Semikolon \";\" erwartet.", 21},
        TCheckCase{kDecl, "instance A(C_INFO",
                   "Schlie\xDF"
                   "ende Klammer \")\" erwartet.",
                   16},
        TCheckCase{kDecl, "prototype P(C_NPC) { attribute[0] = 1; };", "Syntax ok", -1},
        TCheckCase{kDecl, "prototype P(C_NPC);",
                   "\xD6"
                   "ffnende Klammer \"{\" erwartet, aber nicht gefunden",
                   18},
        TCheckCase{kDecl, "class C { var int a; var string b[2]; };", "Syntax ok", -1},
        TCheckCase{kDecl, "var int x; const string S = \"a\";", "Syntax ok", -1},
        TCheckCase{kDecl, "x = 1;", "Ung\xFCltiges Statement oder ung\xFCltiges Zeichen.", 0},
        TCheckCase{kDecl, "func void f() { a[1 = 2; };",
                   "Schlie\xDF"
                   "ende Klammer \"]\" erwartet.",
                   19},
        TCheckCase{kDecl, "func void f() { x = y(1, (2 + 3) * 4, -z[i]); };", "Syntax ok", -1},
        TCheckCase{kDecl, "func void f() { >> Hallo }; \r\n };", "Syntax ok", -1}));

TEST(Checker, DeepNestingIsASyntaxErrorNotACrash) {
    TParser parser;
    std::string text = "if " + std::string(200000, '(') + "a" + std::string(200000, ')');
    TCheckResult result = CheckSyntax(parser, text, kCond);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, "Ausdruck zu tief verschachtelt.");
    // The parser stays usable, and moderate nesting is fine.
    text = "if " + std::string(500, '(') + "a" + std::string(500, ')');
    EXPECT_EQ(CheckSyntax(parser, text, kCond).Message, "Syntax ok");
}

TEST(Checker, ReusedParserStartsEveryCheckAfresh) {
    TParser parser;
    EXPECT_FALSE(CheckSyntax(parser, "if a { x = 1;", kStats).Ok);
    EXPECT_TRUE(parser.StateStack.empty());
    EXPECT_EQ(parser.ErrorPos, 12);
    EXPECT_TRUE(CheckSyntax(parser, "x = 1;", kStats).Ok);
    EXPECT_EQ(parser.ErrorPos, -1);
    EXPECT_TRUE(CheckSyntax(parser, "", kCond).Ok);
}

TEST(Checker, BodyModeFollowsBlockKindLockAndPreview) {
    struct TModeCase {
        int32_t Kind;
        bool Important, Lock, Preview, Focus;
        TCheckMode Expected;
    };
    const TModeCase cases[] = {
        {ekDialog, false, false, false, false, kStats}, // editing a body
        {ekDialog, false, false, true, true, kStats},   // preview on, but the user types
        {ekDialog, false, false, true, false, kDecl},   // the generated preview
        {ekDialog, false, true, false, true, kDecl},    // locked body
        {ekChoice, true, false, true, false, kDecl},    // only events care about the flag
        {ekEvent, true, true, true, false, kStats},     // an important event has no frame
        {ekEvent, false, true, false, true, kDecl},     {ekCode, false, false, false, true, kDecl},
        {ekCode, true, false, false, true, kDecl}};
    for (const TModeCase& c : cases)
        EXPECT_EQ(BodyCheckMode(c.Kind, c.Important, c.Lock, c.Preview, c.Focus), c.Expected)
            << c.Kind << c.Important << c.Lock << c.Preview << c.Focus;
}

TEST(Checker, CheckingDialogTextsNeverPushesBackTwice) {
    testing::TRecordingPrompter prompter;
    TInternalErrorNotice notice(&prompter);
    for (const char* text :
         {"if a { } else if b { };", "++ A, B;\r\n-- X ;\r\nENDE;", "x[1] = f(a[2], (b));",
          "func void f(var int a, var int b) {};", "instance A, B (C);", "-- \r\n ;"}) {
        CheckSyntax(text, kStats, &notice);
        CheckSyntax(text, kDecl, &notice);
    }
    EXPECT_TRUE(prompter.Messages.empty());
}

// The script importer's way of driving the machine: declaration by declaration.
TEST(Checker, DeclarationsCanBeCutOneByOne) {
    TParser parser;
    const std::string text = "// Kopf\r\nvar int a, b;\r\n\r\nfunc void f() { if x { y = 1; }; };"
                             "\r\ninstance I (C_INFO);\r\n/* Rest */";
    parser.SetText(text);
    parser.PushState(STDaed);
    std::vector<std::string> declarations;
    for (;;) {
        parser.SkipBlanks();
        const int32_t start = parser.Pos;
        do
            parser.Step();
        while (parser.StateStack.size() > 1);
        if (parser.StateStack.empty()) break;
        declarations.push_back(text.substr(start - 1, parser.Pos - start));
    }
    EXPECT_TRUE(parser.AtEnd);
    // A step that meets a pushed-back token still skips the blanks after it, so a
    // declaration ending in such a step takes the blanks (and comments) that follow it.
    const std::vector<std::string> expected = {
        "var int a, b;\r\n\r\n", "func void f() { if x { y = 1; }; };", "instance I (C_INFO);"};
    EXPECT_EQ(declarations, expected);
}

// ... and statement by statement inside a body: the stack returns to STstats after each one.
TEST(Checker, StatementsCanBeCutOneByOne) {
    TParser parser;
    const std::string text = "x = 1;\r\nif a { f(); } else { g(); };\r\n>> Hallo\r\nENDE";
    parser.SetText(text);
    parser.PushState(STstats);
    std::vector<std::string> statements;
    for (;;) {
        parser.SkipBlanks();
        const int32_t start = parser.Pos;
        do
            parser.Step();
        while (!parser.StateStack.empty() && parser.StateStack.back() != STstats);
        if (parser.StateStack.empty()) break;
        statements.push_back(text.substr(start - 1, parser.Pos - start));
    }
    // A speaker line ends at its line feed, so its CR belongs to it.
    const std::vector<std::string> expected = {"x = 1;\r\n", "if a { ", "f();",       "} else { ",
                                               "g();",       "};",      ">> Hallo\r", "ENDE"};
    EXPECT_EQ(statements, expected);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

TEST(Checker, AcceptsARealisticDialogScript) {
    const std::string text = ReadBytes(std::string(REDEWERK_TEST_DATA_DIR) + "/daedalus/dialoge.d");
    ASSERT_GT(text.size(), 5000u);
    TCheckResult result = CheckSyntax(text, kDecl);
    EXPECT_TRUE(result.Ok) << result.Message << " at " << result.ErrorPos << ": "
                           << text.substr(std::max(result.ErrorPos, 0), 60);
}

} // namespace
} // namespace redewerk
