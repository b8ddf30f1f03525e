#include "daedalus/parser.h"

#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace redewerk {
namespace {

using namespace std::string_literals;

// Every token of a text as "I:", "O:" or "C:" plus its text, up to "END", or "ERR:" plus
// the message when the lexer fails on the way.
std::vector<std::string> Tokens(const std::string& text) {
    TParser parser;
    parser.SetText(text);
    std::vector<std::string> tokens;
    try {
        // The kind letters show when more than one token field is filled.
        for (parser.NextToken(); !parser.AtEnd && tokens.size() < 100; parser.NextToken())
            tokens.push_back(std::string(parser.IdentToken.empty() ? "" : "I") +
                             (parser.OpToken.empty() ? "" : "O") +
                             (parser.ConstToken.empty() ? "" : "C") + ":" + parser.IdentToken +
                             parser.OpToken + parser.ConstToken);
        tokens.push_back("END" + parser.IdentToken + parser.OpToken + parser.ConstToken);
    } catch (const EParseError& error) {
        tokens.push_back("ERR:" + error.Message());
    }
    return tokens;
}

struct TTokenCase {
    std::string Text;
    std::vector<std::string> Expected;
};

const std::string kNoOperator = "ERR:Operator oder Klammer erwartet aber keinen gefunden.";

const TTokenCase kTokenCases[] = {
    {"", {"END"}},
    {"// only a comment\r\n/*/ and another */ \t\r\n", {"END"}},
    // Real scripts carry form feeds between functions; they are blanks.
    {"a\f\fb", {"I:A", "I:B", "END"}},
    {"x+=1=-1", {"I:X", "O:+=", "C:1", "O:=", "O:-", "C:1", "END"}},
    {"a===b!=c<=d<-e",
     {"I:A", "O:==", "O:=", "I:B", "O:!=", "I:C", "O:<=", "I:D", "O:<-", "I:E", "END"}},
    {"++ -- && || << >> >>>", {"O:++", "O:--", "O:&&", "O:||", "O:<<", "O:>>", "O:>>>", "END"}},
    // A comment glued to an operator ends it.
    {"a+// note\r\nb+-/*x*/c+/*d", {"I:A", "O:+", "I:B", "O:+-", "I:C", "O:+", "END"}},
    {"/* open without close\r\nx = 1;", {"END"}},
    {"f(a,b);{}[](",
     {"I:F", "O:(", "I:A", "O:,", "I:B", "O:)", "O:;", "O:{", "O:}", "O:[", "O:]", "O:(", "END"}},
    {"1.5 7. 42 1.2.3", {"C:1.5", "C:7.", "C:42", "C:1.2", kNoOperator}},
    // An exponent belongs to the number only when digits follow it.
    {"5.99999991e-002 1.0E+3 2e5 3e 4e-x",
     {"C:5.99999991e-002", "C:1.0E+3", "C:2e5", "C:3", "I:E", "C:4", "I:E", "O:-", "I:X", "END"}},
    {"self.aivar x1 A#12#B #a b/c#x", {"I:SELF.AIVAR", "I:X1", "I:A#12#B", "I:#A B/C#X", "END"}},
    // Only ASCII letters are upper-cased.
    {"\xC4pfel gr\xF6\xDF", {"I:\xC4PFEL", "I:GR\xF6\xDF", "END"}},
    {"\"a // b /* c\r\nd\"x\"\"", {"C:\"a // b /* c\r\nd\"", "I:X", "C:\"\"", "END"}},
    {"a\0b"s, {"I:A", "END"}},
    // Errors: the tokens before, then the message.
    {"_x", {kNoOperator}},
    {"a #12", {"I:A", "ERR:Nicht geschlossenes \"#\"-Statement"}},
    {"x := 1", {"I:X", "ERR:Ung\xFCltiges Zeichen: :"}},
    {"\x7F", {"ERR:Ung\xFCltiges Zeichen: \x7F"}},
    {"\xE9t\xE9", {"ERR:Ung\xFCltiges Zeichen: \xE9"}},
    {"\x01", {"ERR:Ung\xFCltiges Zeichen: \x01"}},
    {"x = \"open", {"I:X", "O:=", "ERR:Ung\xFCltiges (nicht endendes) String-Literal."}},
};

class LexerTokens : public ::testing::TestWithParam<TTokenCase> {};

TEST_P(LexerTokens, YieldsTheTokenSequence) {
    EXPECT_EQ(Tokens(GetParam().Text), GetParam().Expected) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(Sequences, LexerTokens, ::testing::ValuesIn(kTokenCases));

// A pushed-back token comes again without moving. A second push-back in a row is reported
// once per notice, and never fails.
TEST(Lexer, PushedBackTokenComesAgainUnmoved) {
    testing::TRecordingPrompter prompter;
    TInternalErrorNotice notice(&prompter);
    TParser first(&notice), second(&notice), silent;
    for (TParser* parser : {&first, &second, &silent}) {
        parser->SetText("a  + 1");
        parser->NextToken();
        parser->NextToken();
        parser->UngetToken();
        EXPECT_EQ(prompter.Messages.size(), parser == &first ? 0u : 1u);
        parser->UngetToken();
        parser->NextToken();
        // The read began right after "a", before the blanks.
        EXPECT_EQ(parser->OpToken + " " + std::to_string(parser->TokenStart) + " " +
                      std::to_string(parser->Pos),
                  "+ 2 5");
        parser->NextToken();
        EXPECT_EQ(parser->OpToken + parser->ConstToken, "1");
    }
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{
                  "Parser: Internal Error. You should report this and give Orsolo the Code that "
                  "caused the problem, whether or not it's syntactically correct. Thx!"});
}

// A parser is reused for every check: a new text must neither re-deliver a pushed-back token
// nor trust the place where blanks were skipped in the old one.
TEST(Lexer, SetTextStartsAFreshScan) {
    TParser parser;
    parser.SetText("abc");
    parser.NextToken();
    parser.UngetToken();
    parser.SetText("  1");
    parser.NextToken();
    EXPECT_EQ(parser.IdentToken + "|" + parser.ConstToken, "|1");
}

// A reader leaves Pos after the token it read, and on the token it could not read.
TEST(Lexer, ReadersReadTheirKindOfToken) {
    const struct {
        const char* Text;
        std::string_view (TParser::*Reader)();
        const char* Expected; // the token read, or the message
        int32_t Pos;
    } cases[] = {
        // The underscore may start a name read directly (the checker does so after "++").
        {"_intern", &TParser::ReadIdentifier, "_intern", 8},
        {" 1abc", &TParser::ReadIdentifier, "Identifier erwartet aber keinen gefunden.", 2},
        {" abc", &TParser::ReadOperator, "Operator oder Klammer erwartet aber keinen gefunden.", 2},
        {" abc", &TParser::ReadConstant, "Konstante erwartet, aber keine Zahl gefunden.", 2},
        {" \"abc", &TParser::ReadConstant, "Ung\xFCltiges (nicht endendes) String-Literal.", 2},
    };
    TParser parser;
    for (const auto& c : cases) {
        parser.SetText(c.Text);
        std::string result;
        try {
            result = (parser.*c.Reader)();
        } catch (const EParseError& error) {
            result = error.Message();
        }
        EXPECT_EQ(result, c.Expected) << c.Text;
        EXPECT_EQ(parser.Pos, c.Pos) << c.Text;
    }
}

} // namespace
} // namespace redewerk
