#include "model/cp1252.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    bool lossy = true;
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all), &lossy), all);
    EXPECT_FALSE(lossy);
    // The high control range maps to its own characters; unassigned bytes keep their value.
    EXPECT_EQ(Cp1252ToUtf8("\x80\x84\x93\xE4\x81"),
              "\xE2\x82\xAC\xE2\x80\x9E\xE2\x80\x9C\xC3\xA4\xC2\x81"); // €„“ä
}

TEST(Cp1252, Utf8ToWindows1252AndDetection) {
    struct Case {
        std::string Utf8, Cp1252;
        bool Lossy, LooksUtf8;
    };
    const Case cases[] = {
        {"plain ascii", "plain ascii", false, false},
        {"gr\xC3\xBC\xC3\x9F", "gr\xFC\xDF", false, true},
        {"gr\xFC\xDF", "gr\xFC\xDF", false, false}, // no UTF-8: the bytes stay as they are
        {"a\xE2\x86\x92", "a?", true, true},        // an arrow has no Windows form
    };
    for (const Case& c : cases) {
        bool lossy = !c.Lossy;
        EXPECT_EQ(Utf8ToCp1252(c.Utf8, &lossy), c.Cp1252) << c.Utf8;
        EXPECT_EQ(lossy, c.Lossy) << c.Utf8;
        EXPECT_EQ(LooksLikeUtf8(c.Utf8), c.LooksUtf8) << c.Utf8;
    }
}

TEST(Cp1252, UpperCasing) {
    EXPECT_EQ(UpperCase1252("wirt \xE4\xF6\xFC\xE9\xFF\xDF"), "WIRT \xC4\xD6\xDC\xC9\x9F\xDF");
    EXPECT_TRUE(EqualsNoCase1252("\xC4rger", "\xE4RGER"));
    EXPECT_FALSE(EqualsNoCase1252("\xF7", "\xD7")); // ÷ and × are no letters
    EXPECT_EQ(UpperCaseAscii("wirt \xE4"), "WIRT \xE4");
}

} // namespace
} // namespace redewerk
