#include "import/dia_words.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

struct TTakeWordCase {
    const char* Input;
    const char* Word;
    const char* Rest;
};

TEST(DiaWordsTest, TakeWordStopsAtTheFirstDelimiterAndKeepsIt) {
    const TTakeWordCase cases[] = {
        {"PERSON: VLK_1", "PERSON", ": VLK_1"},
        {" \t Hallo Welt", "Hallo", " Welt"},
        {"ItMi_Gold, 50", "ItMi_Gold", ", 50"},
        {"a;b", "a", ";b"},
        {"Wort\tRest", "Wort", "\tRest"},
        {"allein", "allein", ""},
        {", 50", "", ", 50"},
        {"  ", "", ""},
        {"", "", ""},
        {"Pfad\\mit.Punkt", "Pfad\\mit.Punkt", ""},
    };
    for (const auto& c : cases) {
        std::string rest = c.Input;
        EXPECT_EQ(TakeWord(rest), c.Word) << c.Input;
        EXPECT_EQ(rest, c.Rest) << c.Input;
    }
}

TEST(DiaWordsTest, ParseDecimalAcceptsSignedDecimalsThatFit) {
    const std::pair<const char*, int32_t> good[] = {
        {"0", 0},
        {"20", 20},
        {"-5", -5},
        {"+7", 7},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, expected] : good) {
        int32_t value = 99;
        EXPECT_TRUE(ParseDecimal(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char* bad : {"", "+", "-", "zehn", "10a", "1.5", "2147483648", "+-1", "0x10"}) {
        int32_t value = 99;
        EXPECT_FALSE(ParseDecimal(bad, value)) << bad;
        EXPECT_EQ(value, 99) << bad;
    }
}

} // namespace
} // namespace redewerk
