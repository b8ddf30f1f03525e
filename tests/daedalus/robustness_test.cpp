#include "daedalus/highlighter.h"
#include "daedalus/syntax_checker.h"

#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace redewerk {
namespace {

// Texts made of Daedalus fragments, stray bytes and half-finished constructs, as they appear
// while typing: each tool must end, never read beyond the text, and stay consistent.
std::string RandomText(std::mt19937& random) {
    static const std::vector<std::string> pieces = {"if",
                                                    "else",
                                                    "var",
                                                    "const",
                                                    "func",
                                                    "instance",
                                                    "prototype",
                                                    "class",
                                                    "return",
                                                    "ENDE",
                                                    "int",
                                                    "void",
                                                    "C_INFO",
                                                    "x",
                                                    "self.aivar",
                                                    "Gr\xF6\xDF"
                                                    "e",
                                                    "#",
                                                    "#12#",
                                                    "(",
                                                    ")",
                                                    "{",
                                                    "}",
                                                    "[",
                                                    "]",
                                                    ";",
                                                    ",",
                                                    "=",
                                                    "+=",
                                                    "==",
                                                    "-",
                                                    "!",
                                                    "&&",
                                                    "<<",
                                                    ">>",
                                                    "++",
                                                    "--",
                                                    "/",
                                                    "*",
                                                    "/*",
                                                    "*/",
                                                    "//",
                                                    "\"",
                                                    "\"a\"",
                                                    "1",
                                                    "1.5",
                                                    ".",
                                                    "_",
                                                    "?",
                                                    ":",
                                                    "\\",
                                                    " ",
                                                    " ",
                                                    "\t",
                                                    "\r\n",
                                                    "\n",
                                                    "\r",
                                                    "\f",
                                                    "\x80",
                                                    "\xE9",
                                                    std::string(1, '\0')};
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    std::string text;
    for (int i = length(random); i > 0; --i)
        text += pieces[pick(random)];
    return text;
}

TEST(Robustness, RandomTextsEndConsistently) {
    std::mt19937 random(20240607);
    testing::TRecordingPrompter prompter;
    TInternalErrorNotice notice(&prompter);
    TParser parser(&notice);
    THighlighter highlighter;
    const TColourTable colours = DefaultColours();
    const TColourResolver resolve = [](TColour) { return TColour{0}; };

    for (int round = 0; round < 5000; ++round) {
        const std::string text = RandomText(random);
        SCOPED_TRACE(text);
        for (TCheckMode mode :
             {TCheckMode::Condition, TCheckMode::Statements, TCheckMode::Declarations}) {
            TCheckResult result = CheckSyntax(parser, text, mode);
            if (!result.Ok) {
                EXPECT_GE(result.ErrorPos, 0);
                EXPECT_LT(result.ErrorPos, static_cast<int32_t>(std::max<size_t>(text.size(), 1)));
                EXPECT_FALSE(result.Message.empty());
            }
        }

        highlighter.Highlight(text, colours, resolve);
        int32_t covered = 0;
        for (const THighlightRun& run : highlighter.Runs()) {
            EXPECT_EQ(run.Start, covered);
            EXPECT_GT(run.Length, 0);
            EXPECT_GE(run.Class, 0);
            EXPECT_LT(run.Class, kColourClassCount);
            covered += run.Length;
        }
        EXPECT_EQ(covered, static_cast<int32_t>(text.size()));
        EXPECT_EQ(highlighter.Rtf().substr(0, 7), "{\\rtf1 ");
        EXPECT_TRUE(highlighter.Rtf().ends_with("\\par\r\n}"));
    }
    // The machine never pushes a token back twice.
    EXPECT_TRUE(prompter.Messages.empty());
}

} // namespace
} // namespace redewerk
