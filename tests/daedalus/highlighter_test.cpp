#include "daedalus/highlighter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace redewerk {
namespace {

TColour ResolveForTest(TColour colour) {
    return colour == kClWindow ? MakeColour(255, 255, 255) : MakeColour(0, 0, 0);
}

const std::string kHeader =
    "{\\rtf1 {\\colortbl ;\\red255\\green255\\blue255;\\red0\\green0\\blue0;"
    "\\red128\\green128\\blue128;\\red255\\green140\\blue0;\\red255\\green0\\blue255;"
    "\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red128\\green0\\blue128;"
    "\\red0\\green128\\blue128;\\red170\\green68\\blue0;\\red68\\green0\\blue170;"
    "\\red0\\green128\\blue0;}\\ulnone \\b0 \\i0 ";
const std::string kFooter = "\\par\r\n}";

// The document body between the header and the footer.
std::string Body(THighlighter& highlighter, const std::string& text) {
    highlighter.Highlight(text, DefaultColours(), ResolveForTest);
    std::string rtf(highlighter.Rtf());
    EXPECT_EQ(rtf.substr(0, kHeader.size()), kHeader);
    EXPECT_EQ(rtf.substr(rtf.size() - kFooter.size()), kFooter);
    return rtf.substr(kHeader.size(), rtf.size() - kHeader.size() - kFooter.size());
}

TEST(Highlighter, EmptyTextIsHeaderAndFooterOnly) {
    THighlighter highlighter;
    highlighter.Highlight("", DefaultColours(), ResolveForTest);
    EXPECT_EQ(highlighter.Rtf(), kHeader + kFooter);
    EXPECT_TRUE(highlighter.Runs().empty());
}

struct TDocCase {
    const char* Text;
    const char* Body;
};

void PrintTo(const TDocCase& c, std::ostream* out) {
    *out << c.Text;
}

class HighlighterDocuments : public ::testing::TestWithParam<TDocCase> {};

TEST_P(HighlighterDocuments, WritesTheRuns) {
    THighlighter highlighter;
    EXPECT_EQ(Body(highlighter, GetParam().Text), GetParam().Body) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HighlighterDocuments,
    ::testing::Values(
        // Blanks belong to the run before them; tokens of one class merge into one run.
        TDocCase{"if (x)", "\\cf7 if \\cf3 (\\cf2 x\\cf3 )"}, TDocCase{"a b  c", "\\cf2 a b  c"},
        TDocCase{"  \tx", "\\cf2   \tx"},
        TDocCase{"If IF if CLASS class Gr\xF6\xDF"
                 "e",
                 "\\cf7 If IF if \\cf6 CLASS class \\cf2 Gr\xF6\xDF"
                 "e"},
        TDocCase{"self.aivar", "\\cf6 self\\cf3 .\\cf2 aivar"},
        TDocCase{"x = 1.2.3;", "\\cf2 x \\cf3 = \\cf9 1.2.3\\cf3 ;"},
        // Escaping: backslash, braces, CR LF; a lone CR stays as it is.
        TDocCase{"{a\\b}\r\nc\rd", "\\cf3 \\{\\cf2 a\\cf3 \\\\\\cf2 b\\cf3 \\}\\par\r\n\\cf2 c\rd"},
        TDocCase{"\"a{\r\n\" #12# x", "\\cf8 \"a\\{\\par\r\n\" #12# \\cf2 x"},
        // A line feed without its CR (a script saved with Unix line ends) still ends a
        // paragraph; RTF readers ignore the bare byte, which would join the lines.
        TDocCase{"a\nb\r\n\n\"c\nd\"", "\\cf2 a\\par\nb\\par\r\n\\par\n\\cf8 \"c\\par\nd\""},
        TDocCase{"\n// x\n", "\\cf12 \\par\n// x\\par\n\\cf3 "},
        // Unclosed strings, references and comments run to the end of the text, no further.
        TDocCase{"x \"open", "\\cf2 x \\cf8 \"open"}, TDocCase{"x #12", "\\cf2 x \\cf8 #12"},
        TDocCase{"x /* open", "\\cf2 x \\cf12 /* open"},
        TDocCase{"/*/ x */y", "\\cf12 /*/ x */\\cf2 y"},
        TDocCase{"a // note\r\nb", "\\cf2 a \\cf12 // note\\par\r\n\\cf2 b"},
        TDocCase{"a / b", "\\cf2 a \\cf3 / \\cf2 b"},
        // Speaker lines run to the line feed, wherever the pair stands.
        TDocCase{">> Hallo \"du\"\r\n<< Was?\r\nx", "\\cf10 >> Hallo \"du\"\\par\r\n\\cf11 << "
                                                    "Was?\\par\r\n\\cf2 x"},
        TDocCase{"Wort >> Text", "\\cf2 Wort \\cf10 >> Text"},
        TDocCase{"a >= b <- c", "\\cf2 a \\cf3 >= \\cf2 b \\cf3 <- \\cf2 c"},
        // Bytes above 127 are written unescaped.
        TDocCase{"\"\xE4\xF6\xFC\"", "\\cf8 \"\xE4\xF6\xFC\""},
        // After the last token the scanner steps onto the end marker, which closes the text
        // with an empty delimiter run.
        TDocCase{"abc  ", "\\cf2 abc  \\cf3 "}));

// The editor's content is replaced by the document, so a NUL byte in the text (a damaged or
// binary file) must not end the scan: it is a delimiter like any other stray byte, and the
// text after it is coloured and kept.
TEST(Highlighter, NulByteInTheTextIsKept) {
    THighlighter highlighter;
    const std::string nul(1, '\0');
    EXPECT_EQ(Body(highlighter, "a" + nul + "b c"), "\\cf2 a\\cf3 " + nul + "\\cf2 b c");
    EXPECT_EQ(highlighter.Runs(),
              (std::vector<THighlightRun>{{0, 1, clDef}, {1, 1, clDelimiter}, {2, 3, clDef}}));
    EXPECT_EQ(Body(highlighter, nul + "x"), "\\cf3 " + nul + "\\cf2 x");
    EXPECT_EQ(Body(highlighter, "1" + nul), "\\cf9 1\\cf3 " + nul);
    // Inside a string or comment it was never special.
    EXPECT_EQ(Body(highlighter, "\"a" + nul + "b\" // c" + nul + "d"),
              "\\cf8 \"a" + nul + "b\" \\cf12 // c" + nul + "d");
}

TEST(Highlighter, RunsCoverTheTextWithTheirClasses) {
    THighlighter highlighter;
    highlighter.Highlight("instance X (C_INFO)\r\n{ nr = 5; };", DefaultColours(), ResolveForTest);
    const std::vector<THighlightRun> expected = {
        {0, 9, clTypes},      {9, 2, clDef},        {11, 1, clDelimiter},
        {12, 6, clClasses},   {18, 5, clDelimiter}, {23, 3, clC_INFO},
        {26, 2, clDelimiter}, {28, 1, clConst},     {29, 4, clDelimiter}};
    EXPECT_EQ(highlighter.Runs(), expected);
}

TEST(Highlighter, KeywordTableHasThirtySevenWordsInFourClasses) {
    const std::vector<std::pair<int, std::vector<const char*>>> table = {
        {clC_INFO,
         {"nr", "npc", "trade", "condition", "important", "permanent", "description",
          "information"}},
        {clC_NPC,
         {"id", "name", "guild", "level", "voice", "npctype", "attribute", "fight_tactic"}},
        {clClasses, {"ende", "self", "hero", "other", "class", "c_npc", "c_info", "c_item"}},
        {clTypes,
         {"if", "int", "var", "else", "func", "void", "const", "float", "while", "return", "string",
          "instance", "prototype"}}};
    for (const auto& [colourClass, words] : table)
        for (const char* word : words)
            EXPECT_EQ(THighlighter::KeywordClass(word), colourClass) << word;
    for (const char* other : {"", "i", "c_mission", "fight_tactics", "aivar", "IFF", "NP", "ENDE_"})
        EXPECT_EQ(THighlighter::KeywordClass(other), clDef) << other;
}

TEST(Highlighter, SystemColoursAreResolvedByTheCaller) {
    TColourTable colours = DefaultColours();
    colours[clDef] = SystemColour(2);
    THighlighter highlighter;
    highlighter.Highlight("", colours, [](TColour colour) {
        return colour == SystemColour(2) ? MakeColour(1, 2, 3) : MakeColour(9, 9, 9);
    });
    EXPECT_NE(std::string(highlighter.Rtf())
                  .find("{\\colortbl ;\\red9\\green9\\blue9;\\red1\\green2\\blue3;"),
              std::string::npos);
}

// Short runs with escapes need far more than three bytes per text byte; the buffer must grow,
// and a second, shorter text must not keep bytes of the first.
TEST(Highlighter, GrowsItsBufferAndReusesIt) {
    std::string text, expected;
    for (int i = 0; i < 20000; ++i) {
        text += "a{";
        expected += "\\cf2 a\\cf3 \\{";
    }
    THighlighter highlighter;
    EXPECT_EQ(Body(highlighter, text), expected);
    EXPECT_EQ(highlighter.Runs().size(), 40000u);
    EXPECT_EQ(Body(highlighter, "x"), "\\cf2 x");
    EXPECT_EQ(highlighter.Runs().size(), 1u);
}

TEST(Highlighter, FirstDifference) {
    EXPECT_EQ(THighlighter::FirstDifference("abc", "abc"), -1);
    EXPECT_EQ(THighlighter::FirstDifference("abc", "abx"), 2);
    EXPECT_EQ(THighlighter::FirstDifference("ab", "abc"), 2);
    EXPECT_EQ(THighlighter::FirstDifference("abc", ""), 0);
}

} // namespace
} // namespace redewerk
