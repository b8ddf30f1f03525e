#include "daedalus/parser.h"

#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace redewerk {
namespace {

// Every token of a text as "I:", "O:" or "C:" plus its text, up to "END", or "ERR:" plus
// the message when the lexer fails on the way.
std::vector<std::string> Tokens(const std::string& text) {
    TParser parser;
    parser.SetText(text);
    std::vector<std::string> tokens;
    try {
        for (int guard = 0; guard < 1000; ++guard) {
            parser.NextToken();
            int filled =
                !parser.IdentToken.empty() + !parser.OpToken.empty() + !parser.ConstToken.empty();
            EXPECT_EQ(filled, parser.AtEnd ? 0 : 1) << "in " << text;
            if (parser.AtEnd) {
                tokens.push_back("END");
                break;
            }
            if (!parser.IdentToken.empty()) tokens.push_back("I:" + parser.IdentToken);
            if (!parser.OpToken.empty()) tokens.push_back("O:" + parser.OpToken);
            if (!parser.ConstToken.empty()) tokens.push_back("C:" + parser.ConstToken);
        }
    } catch (const EParseError& error) {
        tokens.push_back("ERR:" + error.Message());
    }
    return tokens;
}

struct TTokenCase {
    const char* Text;
    std::vector<std::string> Expected;
};

class LexerTokens : public ::testing::TestWithParam<TTokenCase> {};

TEST_P(LexerTokens, YieldsTheTokenSequence) {
    EXPECT_EQ(Tokens(GetParam().Text), GetParam().Expected) << "text: " << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, LexerTokens,
    ::testing::Values(
        TTokenCase{"", {"END"}}, TTokenCase{" \t\r\n  ", {"END"}},
        TTokenCase{"// only a comment\r\n/* and another */", {"END"}},
        // Real scripts carry form feeds between functions; they are blanks.
        TTokenCase{"a\f\fb", {"I:A", "I:B", "END"}},
        TTokenCase{"x+=1", {"I:X", "O:+=", "C:1", "END"}},
        TTokenCase{"a==b", {"I:A", "O:==", "I:B", "END"}},
        TTokenCase{"a===b", {"I:A", "O:==", "O:=", "I:B", "END"}},
        TTokenCase{"x=-1", {"I:X", "O:=", "O:-", "C:1", "END"}},
        TTokenCase{"a<-b", {"I:A", "O:<-", "I:B", "END"}},
        TTokenCase{"a!=b<=c>=d", {"I:A", "O:!=", "I:B", "O:<=", "I:C", "O:>=", "I:D", "END"}},
        TTokenCase{"++ -- && || << >> >>>",
                   {"O:++", "O:--", "O:&&", "O:||", "O:<<", "O:>>", "O:>>>", "END"}},
        TTokenCase{"a+// note\r\nb", {"I:A", "O:+", "I:B", "END"}},
        TTokenCase{"a-/* note */b", {"I:A", "O:-", "I:B", "END"}},
        TTokenCase{"a+-/*x*/b", {"I:A", "O:+-", "I:B", "END"}},
        TTokenCase{"a+/*b", {"I:A", "O:+", "END"}},
        TTokenCase{"/* open without close\r\nx = 1;", {"END"}},
        TTokenCase{"/*/ x */y", {"I:Y", "END"}},
        TTokenCase{
            "f(a,b);{}[]",
            {"I:F", "O:(", "I:A", "O:,", "I:B", "O:)", "O:;", "O:{", "O:}", "O:[", "O:]", "END"}},
        TTokenCase{"((", {"O:(", "O:(", "END"}},
        TTokenCase{"1.5 7. 42", {"C:1.5", "C:7.", "C:42", "END"}},
        TTokenCase{"1.2.3", {"C:1.2", "ERR:Operator oder Klammer erwartet aber keinen gefunden."}},
        TTokenCase{"self.aivar x1 A#12#B", {"I:SELF.AIVAR", "I:X1", "I:A#12#B", "END"}},
        TTokenCase{"DIA_#12#_A", {"I:DIA_#12#_A", "END"}},
        TTokenCase{"#a b/c#x", {"I:#A B/C#X", "END"}},
        TTokenCase{"Gr\xF6\xDF"
                   "e \xE4pfel",
                   {"I:GR\xF6\xDF"
                    "E",
                    "I:\xE4PFEL", "END"}},
        TTokenCase{"\"a // b /* c\r\nd\"x", {"C:\"a // b /* c\r\nd\"", "I:X", "END"}},
        TTokenCase{"\"\"", {"C:\"\"", "END"}},
        // Errors: the tokens before, then the message.
        TTokenCase{".5", {"ERR:Operator oder Klammer erwartet aber keinen gefunden."}},
        TTokenCase{"_x", {"ERR:Operator oder Klammer erwartet aber keinen gefunden."}},
        TTokenCase{"a #12", {"I:A", "ERR:Nicht geschlossenes \"#\"-Statement"}},
        TTokenCase{"x ?", {"I:X", "ERR:Ung\xFCltiges Zeichen: ?"}},
        TTokenCase{"$", {"ERR:Ung\xFCltiges Zeichen: $"}},
        TTokenCase{"@", {"ERR:Ung\xFCltiges Zeichen: @"}},
        TTokenCase{"x := 1", {"I:X", "ERR:Ung\xFCltiges Zeichen: :"}},
        TTokenCase{"\x7F", {"ERR:Ung\xFCltiges Zeichen: \x7F"}},
        TTokenCase{"\xE9t\xE9", {"ERR:Ung\xFCltiges Zeichen: \xE9"}},
        TTokenCase{"\x01", {"ERR:Ung\xFCltiges Zeichen: \x01"}},
        TTokenCase{"x = \"open",
                   {"I:X", "O:=", "ERR:Ung\xFCltiges (nicht endendes) String-Literal."}}));

TEST(Lexer, EmbeddedNulEndsTheScan) {
    // The table above cannot hold a NUL inside a C string; build the text explicitly.
    EXPECT_EQ(Tokens(std::string("a\0b", 3)), (std::vector<std::string>{"I:A", "END"}));
}

TEST(Lexer, PushedBackTokenComesAgainWithoutMoving) {
    TParser parser;
    parser.SetText("  abc  +  1");
    parser.NextToken();
    parser.NextToken();
    ASSERT_EQ(parser.OpToken, "+");
    const int32_t pos = parser.Pos;
    const int32_t start = parser.TokenStart;
    EXPECT_EQ(start, 6); // the read began right after "abc", before the blanks
    parser.UngetToken();
    parser.NextToken();
    EXPECT_EQ(parser.OpToken, "+");
    EXPECT_EQ(parser.Pos, pos);
    EXPECT_EQ(parser.TokenStart, start);
    parser.NextToken();
    EXPECT_EQ(parser.ConstToken, "1");
    EXPECT_TRUE(parser.OpToken.empty());
}

TEST(Lexer, DoublePushBackIsReportedOncePerNotice) {
    testing::TRecordingPrompter prompter;
    TInternalErrorNotice notice(&prompter);
    TParser first(&notice);
    TParser second(&notice);
    first.SetText("a b");
    first.NextToken();
    first.UngetToken();
    EXPECT_TRUE(prompter.Messages.empty());
    first.UngetToken();
    second.SetText("c");
    second.NextToken();
    second.UngetToken();
    second.UngetToken();
    EXPECT_EQ(prompter.Messages, std::vector<std::string>{kInternalParserError});
    EXPECT_EQ(std::string(kInternalParserError),
              "Parser: Internal Error. You should report this and give Orsolo the Code that "
              "caused the problem, whether or not it's syntactically correct. Thx!");
    // The token is still delivered once more, and the scan goes on.
    first.NextToken();
    EXPECT_EQ(first.IdentToken, "A");
    first.NextToken();
    EXPECT_EQ(first.IdentToken, "B");

    TParser silent; // without a notice nothing is shown and nothing fails
    silent.SetText("x");
    silent.NextToken();
    silent.UngetToken();
    silent.UngetToken();
    silent.NextToken();
    EXPECT_EQ(silent.IdentToken, "X");
}

TEST(Lexer, UnterminatedStringLeavesPosOnTheQuote) {
    TParser parser;
    parser.SetText("x = \"abc");
    parser.NextToken();
    parser.NextToken();
    EXPECT_THROW(parser.NextToken(), EParseError);
    EXPECT_EQ(parser.Pos, 5);
}

TEST(Lexer, SetTextKeepsTokenFieldsAndResetsTheScan) {
    TParser parser;
    parser.SetText("abc");
    parser.NextToken();
    parser.UngetToken();
    parser.SetText("  1");
    EXPECT_EQ(parser.IdentToken, "ABC");
    EXPECT_FALSE(parser.TokenPushedBack);
    EXPECT_EQ(parser.Pos, 1);
    EXPECT_EQ(parser.SkipCache, -1);
    EXPECT_EQ(parser.Text, std::string("  1\0", 4));
    parser.NextToken();
    EXPECT_EQ(parser.ConstToken, "1");
}

TEST(Lexer, ReadersReturnRawTextAndLeavePosAfterIt) {
    TParser parser;
    parser.SetText("  self.Aivar  +=  \"Hi\" 12.5");
    EXPECT_EQ(parser.ReadIdentifier(), "self.Aivar");
    EXPECT_EQ(parser.Pos, 13);
    EXPECT_EQ(parser.ReadOperator(), "+=");
    EXPECT_EQ(parser.Pos, 17);
    EXPECT_EQ(parser.ReadConstant(), "\"Hi\"");
    EXPECT_EQ(parser.ReadConstant(), "12.5");
    EXPECT_EQ(parser.Pos, parser.TextLength() + 1);

    struct TFailCase {
        const char* Text;
        std::string_view (TParser::*Reader)();
        const char* Message;
    };
    const TFailCase failures[] = {
        {"1abc", &TParser::ReadIdentifier, "Identifier erwartet aber keinen gefunden."},
        {"(", &TParser::ReadIdentifier, "Identifier erwartet aber keinen gefunden."},
        {"abc", &TParser::ReadOperator, "Operator oder Klammer erwartet aber keinen gefunden."},
        {"abc", &TParser::ReadConstant, "Konstante erwartet, aber keine Zahl gefunden."},
    };
    for (const auto& failure : failures) {
        parser.SetText(failure.Text);
        try {
            (parser.*failure.Reader)();
            ADD_FAILURE() << "no error for " << failure.Text;
        } catch (const EParseError& error) {
            EXPECT_EQ(error.Message(), failure.Message);
        }
    }
    // The underscore may start a name read directly (the checker does so after "++").
    parser.SetText("_intern");
    EXPECT_EQ(parser.ReadIdentifier(), "_intern");
}

TEST(Lexer, LineEndAndSearches) {
    TParser parser;
    parser.SetText("ab\r\ncd#ef");
    EXPECT_EQ(parser.LineEnd(), 4);
    EXPECT_EQ(parser.FindFromPos("cd"), 5);
    EXPECT_EQ(parser.FindFromPos("#"), 7);
    EXPECT_EQ(parser.FindFromPos("zz"), 0);
    parser.Pos = 5;
    EXPECT_EQ(parser.LineEnd(), 10); // no line feed left: the final NUL
    EXPECT_EQ(parser.FindFromPos("ab"), 0);
    EXPECT_EQ(parser.FindFromPos("#"), 7);
    parser.Pos = 7;
    EXPECT_EQ(parser.FindFromPos("#"), 7); // the search includes Pos itself
}

TEST(Lexer, SkipBlanksStopsBeforeTheTokenAndCachesThePlace) {
    TParser parser;
    parser.SetText(" /* a */ // b\r\n\t x");
    parser.SkipBlanks();
    EXPECT_EQ(parser.Pos, 18);
    EXPECT_EQ(parser.SkipCache, 18);
    parser.SkipBlanks();
    EXPECT_EQ(parser.Pos, 18);
}

// A subclass that records tokens the way the script importer does.
class TRecordingParser : public TParser {
public:
    std::vector<std::pair<std::string, int32_t>> Seen;

    std::string_view ReadIdentifier() override { return Record(TParser::ReadIdentifier()); }
    std::string_view ReadOperator() override { return Record(TParser::ReadOperator()); }
    std::string_view ReadConstant() override { return Record(TParser::ReadConstant()); }

private:
    std::string_view Record(std::string_view token) {
        Seen.emplace_back(std::string(token), Pos - static_cast<int32_t>(token.size()));
        return token;
    }
};

TEST(Lexer, OverriddenReadersSeeEveryTokenWithItsStart) {
    TRecordingParser parser;
    parser.SetText("Info_AddChoice (x, \"a\");");
    for (parser.NextToken(); !parser.AtEnd; parser.NextToken()) {
    }
    const std::vector<std::pair<std::string, int32_t>> expected = {
        {"Info_AddChoice", 1}, {"(", 16}, {"x", 17}, {",", 18},
        {"\"a\"", 20},         {")", 23}, {";", 24}};
    EXPECT_EQ(parser.Seen, expected);
}

} // namespace
} // namespace redewerk
