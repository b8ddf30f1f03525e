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
    using namespace std::string_literals;
    static const std::vector<std::string> pieces = {
        "if",   "else", "var",  "const",  "func", "instance",   "prototype",  "class", "return",
        "ENDE", "int",  "void", "C_INFO", "x",    "self.aivar", "gr\xF6\xDF", "#",     "#12#",
        "(",    ")",    "{",    "}",      "[",    "]",          ";",          ",",     "=",
        "+=",   "==",   "-",    "!",      "&&",   "<<",         ">>",         "++",    "--",
        "/",    "*",    "/*",   "*/",     "//",   "\"",         "\"a\"",      "1",     "1.5",
        ".",    "_",    "?",    ":",      "\\",   " ",          " ",          "\t",    "\r\n",
        "\n",   "\r",   "\f",   "\x80",   "\xE9", "\0"s};
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    std::string text;
    for (int i = length(random); i > 0; --i)
        text += pieces[pick(random)];
    return text;
}

// The text an RTF reader takes from the highlighter's document: "\cfN " switches dropped,
// escapes undone, "\par" as a line feed, bare CR and LF bytes skipped as RTF readers do.
std::string ReadBackDocument(std::string_view rtf) {
    const std::string_view header = "\\ulnone \\b0 \\i0 ";
    std::string_view body = rtf.substr(rtf.find(header) + header.size());
    body.remove_suffix(std::string_view("\\par\r\n}").size());
    std::string text;
    for (size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\r' || body[i] == '\n') continue;
        if (body[i] != '\\') {
            text += body[i];
        } else if (std::string_view("\\{}").find(body[++i]) != std::string_view::npos) {
            text += body[i];
        } else if (body.substr(i, 3) == "par") {
            text += '\n';
            i += 2;
        } else {
            i = body.find(' ', i); // "cf" and the class number
        }
    }
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
        // Nothing of the text is lost or changed in the document; a CR that ends no line is a
        // stray byte that RTF cannot carry.
        std::string visible = text;
        std::erase(visible, '\r');
        EXPECT_EQ(ReadBackDocument(highlighter.Rtf()), visible);
    }
    // The machine never pushes a token back twice.
    EXPECT_TRUE(prompter.Messages.empty());
}

} // namespace
} // namespace redewerk
