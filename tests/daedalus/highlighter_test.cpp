#include "daedalus/highlighter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace redewerk {
namespace {

using namespace std::string_literals;

// The header below shows that system colours are resolved: the window white, its text black.
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

struct TDocCase {
    std::string Text;
    std::string Body;
};

const TDocCase kDocCases[] = {
    {"", ""},
    {"if (self.x = 1.2.3)", "\\cf7 if \\cf3 (\\cf6 self\\cf3 .\\cf2 x \\cf3 = \\cf9 1.2.3\\cf3 )"},
    // Blanks belong to the run before them; tokens of one class merge into one run. After the
    // last token the scanner steps onto the end marker, an empty delimiter run.
    {"  \ta b  c  ", "\\cf2   \ta b  c  \\cf3 "},
    {"If IF if CLASS class gr\xF6\xDF", "\\cf7 If IF if \\cf6 CLASS class \\cf2 gr\xF6\xDF"},
    // Escaping: backslash, braces, CR LF; a lone CR stays as it is.
    {"{a\\b}\r\nc\rd", "\\cf3 \\{\\cf2 a\\cf3 \\\\\\cf2 b\\cf3 \\}\\par\r\n\\cf2 c\rd"},
    {"\"\xE4{\r\n\" #12# x", "\\cf8 \"\xE4\\{\\par\r\n\" #12# \\cf2 x"},
    // A line feed without its CR (a script saved with Unix line ends) still ends a
    // paragraph; RTF readers ignore the bare byte, which would join the lines.
    {"a\nb\r\n\n\"c\nd\"", "\\cf2 a\\par\nb\\par\r\n\\par\n\\cf8 \"c\\par\nd\""},
    {"\n// x\n", "\\cf12 \\par\n// x\\par\n\\cf3 "},
    // Unclosed strings, references and comments run to the end of the text, no further.
    {"x \"open", "\\cf2 x \\cf8 \"open"},
    {"x #12", "\\cf2 x \\cf8 #12"},
    {"x /* open", "\\cf2 x \\cf12 /* open"},
    {"/*/ x */y", "\\cf12 /*/ x */\\cf2 y"},
    {"a // note\r\nb", "\\cf2 a \\cf12 // note\\par\r\n\\cf2 b"},
    // Speaker lines run to the line feed, wherever the pair stands.
    {">> Hallo \"du\"\r\n<< Was?\r\nx",
     "\\cf10 >> Hallo \"du\"\\par\r\n\\cf11 << Was?\\par\r\n\\cf2 x"},
    {"a / b >= c <- d >> Text",
     "\\cf2 a \\cf3 / \\cf2 b \\cf3 >= \\cf2 c \\cf3 <- \\cf2 d \\cf10 >> Text"},
    // A kept name is coloured as a reference, also right before the spoken line it names.
    {"#:DIA_X#\r\n#:DIA_X_15_00#<<Ja", "\\cf8 #:DIA_X#\\par\r\n#:DIA_X_15_00#\\cf11 <<Ja"},
    // The editor's content is replaced by the document, so a NUL byte (a damaged or binary
    // file) must not end the scan: it is a delimiter, and the text after it is kept.
    {"a\0b c"s, "\\cf2 a\\cf3 \0\\cf2 b c"s},
    {"\0x 1\0"s, "\\cf3 \0\\cf2 x \\cf9 1\\cf3 \0"s},
    {"\"a\0b\" // c\0d"s, "\\cf8 \"a\0b\" \\cf12 // c\0d"s},
};

class HighlighterDocuments : public ::testing::TestWithParam<TDocCase> {};

TEST_P(HighlighterDocuments, WritesTheRuns) {
    THighlighter highlighter;
    EXPECT_EQ(Body(highlighter, GetParam().Text), GetParam().Body) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(Texts, HighlighterDocuments, ::testing::ValuesIn(kDocCases));

TEST(Highlighter, RunsCoverTheTextWithTheirClasses) {
    THighlighter highlighter;
    highlighter.Highlight("instance X (C_INFO)\r\n{ nr = 5; };", DefaultColours(), ResolveForTest);
    const std::vector<THighlightRun> expected = {
        {0, 9, clTypes},      {9, 2, clDef},        {11, 1, clDelimiter},
        {12, 6, clClasses},   {18, 5, clDelimiter}, {23, 3, clC_INFO},
        {26, 2, clDelimiter}, {28, 1, clConst},     {29, 4, clDelimiter}};
    EXPECT_EQ(highlighter.Runs(), expected);
}

// Letter case does not matter; words outside the table's lengths are never looked up (the
// longest word has twelve letters).
TEST(Highlighter, KeywordClassOfWordsOfEveryLength) {
    const std::pair<const char*, int> cases[] = {{"", clDef},
                                                 {"i", clDef},
                                                 {"Var", clTypes},
                                                 {"information", clC_INFO},
                                                 {"fight_tactic", clC_NPC},
                                                 {"fight_tactics", clDef},
                                                 {"IFF", clDef}};
    for (const auto& [word, colourClass] : cases)
        EXPECT_EQ(THighlighter::KeywordClass(word), colourClass) << word;
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
