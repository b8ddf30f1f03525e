#include "model/markers.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

TEST(Markers, SkipsCommentsStringsAndSpokenLines) {
    struct Case {
        std::string_view Text;
        size_t Expected;
    };
    constexpr size_t kNone = std::string_view::npos;
    const Case cases[] = {
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
        {"//\r\n#1#", 4},
        {"", kNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Text));
        EXPECT_EQ(FindReferenceMarker(c.Text, 0), c.Expected);
    }
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
    int32_t id = 0;
    EXPECT_TRUE(ParseReferenceId("17", id));
    EXPECT_EQ(id, 17);
    EXPECT_TRUE(ParseReferenceId("-3", id));
    EXPECT_EQ(id, -3);
    for (std::string_view bad : {"", " 1", "1a", "+1", "Wirt", "99999999999"}) {
        SCOPED_TRACE(std::string(bad));
        EXPECT_FALSE(ParseReferenceId(bad, id));
    }
}

} // namespace
} // namespace redewerk
