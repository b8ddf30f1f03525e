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

// Messages that several cases expect.
const char* const kOk = "Syntax ok";
const char* const kBad = "Ung\xFCltiges Statement oder ung\xFCltiges Zeichen.";
const char* const kOperand = "Identifier oder Literal erwartet.";
const char* const kSemicolon = "Semikolon \";\" erwartet.";
const char* const kNoAssign = "Zuweisung erwartet, aber kein Zuweisungsoperator gefunden!";
const char* const kNoVar = "\"var\" in Parameterliste erwartet aber nicht gefunden.";
const char* const kCloseParen = "Schlie\xDF"
                                "ende Klammer \")\" erwartet.";
const char* const kOpenBrace = "\xD6"
                               "ffnende Klammer \"{\" erwartet, aber nicht gefunden";

struct TCheckCase {
    TCheckMode Mode;
    const char* Text;
    int32_t ErrorPos; // -1 for accepted texts
    const char* Message;
};

const TCheckCase kConditionCases[] = {
    {kCond, "", -1, kOk},
    {kCond, "IF (Npc_KnowsInfo(other, #12#) && (x[AIV_X] > 2)) || f()", -1, kOk},
    {kCond, "if -x * !y - ~z % +w", -1, kOk},
    {kCond, "Npc_KnowsInfo(other, X)", 0, "if-Statement in der condition erwartet."},
    // The scan for "b" began right after "a": the place is the blank before it.
    {kCond, "if a b", 4, kBad},
    // At the end of the text the place is the last character.
    {kCond, "if", 1, kOperand},
    {kCond, "if (a", 4, kCloseParen},
    {kCond, "if a[1", 5,
     "Schlie\xDF"
     "ende Klammer \"]\" erwartet."},
    {kCond, "if f(a, b", 8,
     "Schlie\xDF"
     "ende Klammer \")\" oder Komma in Parameterliste erwartet."},
    {kCond, "if f(a,)", 7, kOperand},
    // Conditions are no bodies: "<<" and ">>" are shift operators there.
    {kCond, "if ((wert >> 2) & MASK) || (x << 1 == 4)", -1, kOk},
};

const TCheckCase kStatementCases[] = {
    {kStats, "x = 1;\r\nx[2] += y * (3 - z);\r\nf(a, \"b\", 1.5);", -1, kOk},
    {kStats, "x = 1", 4, kSemicolon},
    {kStats, "f(a) x", 5, kSemicolon},
    {kStats, "x := 1;", 1, "Ung\xFCltiges Zeichen: :"},
    {kStats, "x %= 2;", 1, kNoAssign},
    {kStats, "}", 0, kBad},
    // A speaker line is free text up to its line end, wherever it starts.
    {kStats, ">> Hallo \"offen 'x' $ ?\r\nx = 1;<< Was? {\r\nENDE", -1, kOk},
    {kStats, ">> a\r\nx = ;", 10, kOperand},
    {kStats, "if a { } else if b { x = 1; } else { ENDE };", -1, kOk},
    // The ";" after an if statement may be left out before the next statement, the end of
    // the block and the end of the text, also after else blocks and nested.
    {kStats,
     "if a { x = 1; } if b { f(); } else { g(); } x = 2;\r\n"
     "if c { if d { y(); } } else if e { z(); } >> Ja\r\nif f { } ++ X\r\nif g { }",
     -1, kOk},
    {kStats, "if a { x = 1; } )", 16,
     "Anschlie\xDF"
     "endes IF-Statement oder \";\" erwartet."},
    {kStats, "if a { } else { } )", 18, kSemicolon},
    // An expression whose value is dropped is a statement too.
    {kStats, "Some_Var == TRUE; B_Hole (self) == 1; x - 1; f(a) + g(b) * 2;", -1, kOk},
    // In a body "<<" and ">>" mark spoken lines, wherever they stand.
    {kStats, "x = a >> 2;", 5, kSemicolon},
    {kStats, "x << 1;", 1, kNoAssign},
    {kStats, "if a { } else x;", 13,
     "if-Statement oder \xF6"
     "ffnende Klammer \"{\" erwartet."},
    {kStats, "if a x = 1;", 4, kOpenBrace},
    {kStats, "if a { x = 1;", 12,
     "G\xFCltiges Statement oder schlie\xDF"
     "ende Klammer \"}\" erwartet."},
    {kStats, "Ende ;\r\nende", -1, kOk},
    {kStats, "return; return x + 1;", -1, kOk},
    {kStats, "return", 5, kOperand},
    {kStats, "++ DIA_A_Ja\r\n++ DIA_A, DIA_A_Nein\r\n++ DIA_A_X;", -1, kOk},
    // The ";" after the two-name form is not consumed, so it stands alone.
    {kStats, "++ #3#, #4#;", 11, kBad},
    {kStats, "++\r\nDIA_A", 0, "Identifier erwartet nach \"++\" Operator."},
    {kStats, "++ DIA_A,\r\nX", 8,
     "Ein \"++\"-Statement darf sich nicht \xFC"
     "ber mehrere Zeilen erstrecken."},
    {kStats, "++ 12", 0, "Identifier erwartet aber keinen gefunden."},
    {kStats, "++ DIA_A\r\n;", 8, kBad},
    {kStats, "--\r\n-- DIA_A\r\n--;\r\n-- DIA_B ;\r\n--\r\nx = 1;", -1, kOk},
    {kStats, "-- 5", 2, kBad},
    {kStats, "var int a, b[3], c; var int var; var c_item x; var C_Spell y;", -1, kOk},
    {kStats, "var foo x;", 4, "Ung\xFCltiger Datentyp: FOO"},
    {kStats, "var int;", 7, "Bezeichner erwartet."},
    {kStats, "var int a b;", 9, "Komma oder Semikolon nach Parameterdeklaration erwartet."},
    {kStats, "var", 2, "Datentyp erwartet aber nichts gefunden."},
    {kStats, "const int MAX = 5 + 2;", -1, kOk},
    {kStats, "const int A 5;", 11, "\"=\" erwartet zur Initialisierung der Konstante."},
    {kStats, "const int PREISE[3] = {10, 20, 5 * 6}; const string S[2] = {\"a\", \"b\"};", -1, kOk},
    {kStats, "const int P[2] = {1 2};", 19,
     "Schlie\xDF"
     "ende Klammer \"}\" oder Komma in der Initialisierungsliste erwartet."},
    {kStats, "const int P[2] = {1, 2}", 22, kSemicolon},
    {kStats, "const float F[3] = {5.99999991e-002, 1.0e-3, 2E+4};", -1, kOk},
};

const TCheckCase kDeclarationCases[] = {
    {kDecl, "func void f() { };\r\nFUNC INT g(var int a, var string b) { return a; };", -1, kOk},
    {kDecl, "func void f() { >> Hallo }; \r\n };", -1, kOk},
    {kDecl, "func void f(int a) {};", 12, kNoVar},
    {kDecl, "func void f(var int a, ) {};", 23, kNoVar},
    {kDecl, "func void f(var int a b) {};", 21,
     "Schlie\xDF"
     "ende Klammer \")\" oder Komma in Parameterliste erwartet!"},
    {kDecl, "func void f() {}", 15, kSemicolon},
    {kDecl, "func foo f() {};", 5, "Ung\xFCltiger Datentyp: FOO"},
    {kDecl, "func void f {};", 12,
     "\xD6"
     "ffnende Klammer f\xFCr Parameterliste erwartet."},
    {kDecl, "func void 1() {};", 10, "Identifier erwartet aber keinen gefunden."},
    {kDecl, "instance A, B (C_NPC);\r\ninstance C(C_INFO) { npc = X; nr = 1; };", -1, kOk},
    {kDecl, "instance A;", 10,
     "\xD6"
     "ffnende Klammer \"(\" erwartet. Von irgendwo muss geerbt werden."},
    {kDecl, "instance A(C_INFO) { }", 21, kSemicolon},
    {kDecl, "instance A(C_INFO", 16, kCloseParen},
    {kDecl, "prototype P(C_NPC) { attribute[0] = 1; };", -1, kOk},
    {kDecl, "prototype P(C_NPC);", 18, kOpenBrace},
    {kDecl, "class C { var int a; var string b[2]; }; var int x; const string S = \"a\";", -1, kOk},
    {kDecl, "x = 1;", 0, kBad},
    {kDecl, "const int FLAG_B = 1 << 1; func void f() { if (x >> 2) { y = (z << 1) & 3; }; };", -1,
     kOk},
};

class CheckerCases : public ::testing::TestWithParam<TCheckCase> {};

// Every case also guards the machine: it never pushes a token back twice.
TEST_P(CheckerCases, GivesMessageAndPlace) {
    const TCheckCase& c = GetParam();
    testing::TRecordingPrompter prompter;
    TInternalErrorNotice notice(&prompter);
    TCheckResult result = CheckSyntax(c.Text, c.Mode, &notice);
    EXPECT_EQ(result.Message, c.Message) << c.Text;
    EXPECT_EQ(result.ErrorPos, c.ErrorPos) << c.Text;
    EXPECT_EQ(result.Ok, c.ErrorPos == -1);
    EXPECT_TRUE(prompter.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Conditions, CheckerCases, ::testing::ValuesIn(kConditionCases));
INSTANTIATE_TEST_SUITE_P(Statements, CheckerCases, ::testing::ValuesIn(kStatementCases));
INSTANTIATE_TEST_SUITE_P(Declarations, CheckerCases, ::testing::ValuesIn(kDeclarationCases));

// Kept names are checked for their place and blanked out for the state machine; the first
// fault counts, whether the machine's or a name's.
TEST(Checker, KeptNamesAreNoDaedalus) {
    const std::string misplaced = "Ein Name \"#:...#\" steht allein in der ersten Zeile oder "
                                  "direkt vor \">>\" bzw. \"<<\".";
    struct TCase {
        TCheckMode Mode;
        int32_t Kind;
        std::string Text;
        int32_t ErrorPos;
        std::string Message;
    };
    const TCase cases[] = {
        {kStats, ekDialog, "#:DIA_X,,DIA_X_Info#\n#:DIA_X_15_00# >>Hallo\nx = 1;", -1, kOk},
        {kStats, ekChoice, "#:DIA_X_Ja#\r\n#:DIA_X_Ja_15_00#<<Ja", -1, kOk},
        {kStats, ekDialog, "#:DIA_X#\n// geteilt\n#:DIA_Y_Info()#", -1, kOk},
        {kCond, ekDialog, "#:B_Bereit()#", -1, kOk},
        {kStats, ekDialog, "x = 1;\n#:A#", 7, misplaced},
        {kStats, ekDialog, "x = 1 +;\n#:A#", 7, kOperand},
        {kStats, ekDialog, "if (#:A# == 1) { };", 4, misplaced},
        {kStats, ekChoice, "#:A,B#", 0,
         "Nur ein Dialog nennt hinter seinem Namen Condition- und Informationsfunktion."},
        {kCond, ekDialog, "#:B_Bereit()# && x", 0,
         "In der Condition steht ein Name nur allein: \"#:Funktion()#\"."},
        {kCond, ekEvent, "#:B_Bereit()#", 0,
         "Nur die Condition eines Dialogs kann eine Funktion \"#:Name()#\" nennen."},
        {kDecl, ekCode, "#:A#\nfunc void A() { };", 0,
         "Ein Code-Baustein tr\xE4gt keine Namen \"#:...#\"."},
    };
    TParser parser;
    for (const TCase& c : cases) {
        const TCheckResult result = CheckSyntax(parser, c.Text, c.Mode, c.Kind);
        EXPECT_EQ(result.Message, c.Message) << c.Text;
        EXPECT_EQ(result.ErrorPos, c.ErrorPos) << c.Text;
        EXPECT_EQ(parser.ErrorPos, c.ErrorPos) << c.Text;
    }
}

TEST(Checker, DeepNestingIsASyntaxErrorNotACrash) {
    TParser parser;
    std::string text = "if " + std::string(200000, '(') + "a" + std::string(200000, ')');
    TCheckResult result = CheckSyntax(parser, text, kCond);
    EXPECT_EQ(result.Message, "Ausdruck zu tief verschachtelt.");
    EXPECT_EQ(parser.ErrorPos, result.ErrorPos);
    EXPECT_TRUE(parser.StateStack.empty());
    // The parser stays usable, and moderate nesting is fine.
    text = "if " + std::string(500, '(') + "a" + std::string(500, ')');
    EXPECT_EQ(CheckSyntax(parser, text, kCond).Message, kOk);
    EXPECT_EQ(parser.ErrorPos, -1);
}

TEST(Checker, BodyModeFollowsBlockKindLockAndPreview) {
    const struct {
        int32_t Kind;
        bool Important, Lock, Preview, Focus;
        TCheckMode Expected;
    } cases[] = {
        {ekDialog, false, false, false, false, kStats}, // editing a body
        {ekDialog, false, false, true, true, kStats},   // preview on, but the user types
        {ekChoice, true, false, true, false, kDecl},    // the generated preview
        {ekDialog, false, true, false, true, kDecl},    // locked body
        {ekEvent, true, true, true, false, kStats},     // an important event has no frame
        {ekCode, true, false, false, true, kDecl},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BodyCheckMode(c.Kind, c.Important, c.Lock, c.Preview, c.Focus), c.Expected)
            << c.Kind << c.Important << c.Lock << c.Preview << c.Focus;
}

TEST(Checker, AcceptsARealisticDialogScript) {
    std::ifstream in(std::string(REDEWERK_TEST_DATA_DIR) + "/daedalus/dialoge.d", std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    const std::string text = content.str();
    ASSERT_GT(text.size(), 5000u);
    TCheckResult result = CheckSyntax(text, kDecl);
    EXPECT_TRUE(result.Ok) << result.Message << " at " << result.ErrorPos << ": "
                           << text.substr(std::max(result.ErrorPos, 0), 60);
}

} // namespace
} // namespace redewerk
