#include "model/cp1252.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    std::string utf8 = Cp1252ToUtf8(all);
    bool lossy = true;
    EXPECT_EQ(Utf8ToCp1252(utf8, &lossy), all);
    EXPECT_FALSE(lossy);
}

TEST(Cp1252, MapsTheHighControlRange) {
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");                 // €
    EXPECT_EQ(Cp1252ToUtf8("\x84\x93"), "\xE2\x80\x9E\xE2\x80\x9C"); // „“
    EXPECT_EQ(Cp1252ToUtf8("\xE4"), "\xC3\xA4");                     // ä
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");                     // unassigned keeps its value
}

TEST(Cp1252, Utf8WithoutWindowsFormBecomesQuestionMark) {
    bool lossy = false;
    EXPECT_EQ(Utf8ToCp1252("a\xE2\x86\x92"
                           "b",
                           &lossy),
              "a?b"); // →
    EXPECT_TRUE(lossy);
    // Bytes that are no UTF-8 are taken as they are.
    EXPECT_EQ(Utf8ToCp1252("\xE4x", &lossy), "\xE4x");
}

TEST(Cp1252, DetectsUtf8OnlyWithMultiByteCharacters) {
    EXPECT_FALSE(LooksLikeUtf8("plain ascii"));
    EXPECT_TRUE(LooksLikeUtf8("gr\xC3\xBC\xC3\x9F"));
    EXPECT_FALSE(LooksLikeUtf8("gr\xFC\xDF")); // Windows-1252
}

TEST(Cp1252, UpperCasing) {
    EXPECT_EQ(UpperCase1252("wirt \xE4\xF6\xFC\xE9\xFF\xDF"), "WIRT \xC4\xD6\xDC\xC9\x9F\xDF");
    EXPECT_TRUE(EqualsNoCase1252("\xC4rger", "\xE4RGER"));
    EXPECT_FALSE(EqualsNoCase1252("\xF7", "\xD7")); // ÷ and × are no letters
    EXPECT_EQ(UpperCaseAscii("wirt \xE4"), "WIRT \xE4");
}

} // namespace
} // namespace redewerk
