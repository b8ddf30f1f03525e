#include "model/markers.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

TEST(Markers, SkipsCommentsStringsAndSpokenLines) {
    constexpr size_t kNone = std::string_view::npos;
    const std::pair<std::string_view, size_t> cases[] = {
        {"a #1#", 2},
        {"// #1#\r\n#2#", 8},
        {"/* #1# */#2#", 9},
        {"/* #1#\r\n #2# */ #3#", 16},
        {"\"#1#\" #2#", 6},
        {">>Hallo #1#\r\n#2#", 13},
        {"<<Hallo #1#\r\n#2#", 13},
        {"x // #1#", kNone},    // a line comment without a line break hides the rest
        {"/* #1#", kNone},      // so does an open block comment
        {"\"#1#", kNone},       // and an open string
        {">>#1#", kNone},       // and a spoken line at the very end
        {"\"a\" \"b\" #1#", 8}, // two strings in a row
        {"/*/ #1# */#2#", 10},  // "/*/" does not close itself
        {"", kNone},
    };
    for (auto [text, expected] : cases)
        EXPECT_EQ(FindReferenceMarker(text, 0), expected) << text;
}

TEST(Markers, ReplacesEveryReferenceOnce) {
    std::vector<std::string> seen;
    std::string result = ReplaceReferences("x = #1# + #!2#; // #3#\r\n#4", [&](std::string_view s) {
        seen.emplace_back(s);
        return "<" + std::string(s) + ">";
    });
    EXPECT_EQ(result, "x = <1> + <!2>; // #3#\r\n#4");
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "!2"}));
    // The empty reference is a reference too.
    EXPECT_EQ(
        ReplaceReferences("a##b", [](std::string_view s) { return "[" + std::string(s) + "]"; }),
        "a[]b");
}

TEST(Markers, ParsesOnlyWholeNumbers) {
    for (auto [text, expected] :
         std::initializer_list<std::pair<std::string_view, int32_t>>{{"17", 17},
                                                                     {"-3", -3},
                                                                     {"", 0},
                                                                     {" 1", 0},
                                                                     {"1a", 0},
                                                                     {"+1", 0},
                                                                     {"Wirt", 0},
                                                                     {"99999999999", 0}}) {
        int32_t id = 0;
        const bool parsed = ParseReferenceId(text, id);
        EXPECT_EQ(parsed ? id : 0, expected) << text; // 0: refused
    }
}

} // namespace
} // namespace redewerk
