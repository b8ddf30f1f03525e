#include "model/search.h"

#include "model/project.h"

#include "support/project_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace redewerk {
namespace {

using testing::AddBlock;
using testing::AddNode;
using enum TSearchField;

const char* FieldName(TSearchField field) {
    static const char* const names[] = {"name",        "heading",   "npc", "nr",
                                        "description", "condition", "body"};
    return names[static_cast<int>(field)];
}

// A match as "node path/field@offset", so that a whole sequence compares at once.
std::string Describe(const std::optional<TSearchPlace>& place) {
    if (!place) return "nothing";
    return place->Node->Path() + "/" + FieldName(place->Field) + "@" +
           std::to_string(place->Offset);
}

class Search : public ::testing::Test {
protected:
    TNode* Node(std::string_view path) { return project.Tree.FindByPath(path); }

    std::optional<TSearchPlace> From(std::string_view text, std::string_view path,
                                     TSearchField field = NodeName, size_t offset = 0) {
        return FindNextInProject(project, text, TSearchPlace{Node(path), field, offset});
    }

    // Presses F3 again and again from the start, each time behind the last match, and lists
    // the matches until the search comes back to the first one.
    std::vector<std::string> AllMatches(std::string_view text, std::string_view startPath) {
        std::vector<std::string> matches;
        std::optional<TSearchPlace> place = From(text, startPath);
        const std::string first = Describe(place);
        while (place && matches.size() < 50) {
            matches.push_back(Describe(place));
            TSearchPlace next = *place;
            next.Offset += text.size();
            place = FindNextInProject(project, text, next);
            if (Describe(place) == first) break;
        }
        return matches;
    }

    TProject project;
};

TEST_F(Search, VisitsTheFieldsOfEachKindInOrder) {
    // Every element field holds the text, also those the kind does not show: only the
    // shown ones may be found.
    AddNode(project, "Wirtshaus", ekFolder);
    for (auto [path, kind] : {std::pair{"Wirtshaus\\Dialog wirt", ekDialog},
                              {"Wirtshaus\\Event wirt", ekEvent},
                              {"Wirtshaus\\Dialog wirt\\Choice wirt", ekChoice},
                              {"Code wirt", ekCode}}) {
        TElement& element = AddBlock(project, path, kind);
        element.Heading = element.Npc = element.Nr = element.Description = "WIRT";
        element.Condition = {"", "wirt"};
        element.Body = {"Wirt"};
    }
    const std::vector<std::string> expected = {
        "Wirtshaus/name@0",
        "Wirtshaus\\Dialog wirt/name@7",
        "Wirtshaus\\Dialog wirt/heading@0",
        "Wirtshaus\\Dialog wirt/npc@0",
        "Wirtshaus\\Dialog wirt/nr@0",
        "Wirtshaus\\Dialog wirt/description@0",
        "Wirtshaus\\Dialog wirt/condition@2",
        "Wirtshaus\\Dialog wirt/body@0",
        "Wirtshaus\\Dialog wirt\\Choice wirt/name@7",
        "Wirtshaus\\Dialog wirt\\Choice wirt/heading@0",
        "Wirtshaus\\Dialog wirt\\Choice wirt/description@0",
        "Wirtshaus\\Dialog wirt\\Choice wirt/body@0",
        "Wirtshaus\\Event wirt/name@6",
        "Wirtshaus\\Event wirt/heading@0",
        "Wirtshaus\\Event wirt/condition@2",
        "Wirtshaus\\Event wirt/body@0",
        "Code wirt/name@5",
        "Code wirt/heading@0",
        "Code wirt/body@0",
    };
    // Started in the tree on the first node, its own name comes last.
    std::vector<std::string> fromTree = AllMatches("wirt", "Wirtshaus");
    ASSERT_FALSE(fromTree.empty());
    EXPECT_EQ(fromTree.back(), expected.front());
    fromTree.insert(fromTree.begin(), fromTree.back());
    fromTree.pop_back();
    EXPECT_EQ(fromTree, expected);
}

TEST_F(Search, ComparesOnlyAsciiLettersWithoutCase) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // search text, heading, match
        {"wirt", "Der WIRT", "Hallo/heading@4"},
        {"WiRt", "wirt", "Hallo/heading@0"},
        {"\xE4rger", "\xE4rger", "Hallo/heading@0"}, // ärger in ärger
        {"\xE4rger", "\xC4RGER", "nothing"},         // ärger is not ÄRGER
        {"\xC4rger", "\xC4RGER", "Hallo/heading@0"}, // Ärger in ÄRGER
        {"\xDF", "SS", "nothing"},                   // ß is no SS
        {"[x]", "{x}", "nothing"},                   // only a to z have a case
        {"wirt!", "wirt", "nothing"},
    };
    TElement& element = AddBlock(project, "Hallo", ekDialog);
    for (const auto& [text, heading, match] : cases) {
        element.Heading = heading;
        EXPECT_EQ(Describe(From(text, "Hallo")), match) << text << " in " << heading;
    }
}

TEST_F(Search, WrapsRoundToAnEarlierMatchInTheStartField) {
    AddBlock(project, "Schenke\\Hallo", ekDialog).Body = {"Der Wirt", "zapft", "ein Bier"};
    AddBlock(project, "Schenke\\Tschuess", ekDialog);
    AddBlock(project, "Schmied", ekEvent);
    // From the caret behind "zapft": through all other blocks and back to the start.
    EXPECT_EQ(Describe(From("wirt", "Schenke\\Hallo", Body, 15)), "Schenke\\Hallo/body@4");
    // A match after the caret is found first.
    EXPECT_EQ(Describe(From("bier", "Schenke\\Hallo", Body, 15)), "Schenke\\Hallo/body@21");
    EXPECT_EQ(Describe(From("bier", "Schenke\\Hallo", Body, 22)), "Schenke\\Hallo/body@21");
    EXPECT_EQ(Describe(From("bier!", "Schenke\\Hallo", Body, 0)), "nothing");
}

TEST_F(Search, SearchesTheStartFieldAsItsEditorShowsIt) {
    // Typed but not written back: the start field is searched in the editor's text, also
    // when the search comes round to it again; the stored text is not searched.
    AddBlock(project, "Hallo", ekDialog).Body = {"alt: wirt"};
    AddBlock(project, "Tschuess", ekDialog).Body = {"wirt"};
    const TLines shown = {"neu", "der wirt"};
    const auto from = [&](size_t offset) {
        return Describe(FindNextInProject(project, "wirt", {Node("Hallo"), Body, offset}, &shown));
    };
    EXPECT_EQ(from(0), "Hallo/body@9");
    EXPECT_EQ(from(10), "Tschuess/body@0");
    project.Tree.FindByPath("Tschuess")->Element()->Body.clear();
    EXPECT_EQ(from(10), "Hallo/body@9");
}

TEST_F(Search, CountsLineBreaksAsCrLf) {
    AddBlock(project, "Hallo", ekDialog).Body = {"abc", "", "de wirt", "wirt"};
    const std::tuple<const char*, size_t, size_t, size_t> cases[] = {
        // search text, start offset, match offset, match line
        {"wirt", 0, 10, 2},         {"wirt", 11, 16, 3},
        {"wirt", 15, 16, 3},      // from inside the line break before the match
        {"c\r\n\r\nde", 0, 2, 0}, // a selection over several lines
        {"wirt\r\nwirt", 0, 10, 2},
    };
    for (const auto& [text, from, offset, line] : cases) {
        const auto place = From(text, "Hallo", Body, from);
        ASSERT_TRUE(place) << text;
        EXPECT_EQ(place->Offset, offset) << text;
        EXPECT_EQ(place->Line, line) << text;
    }
}

TEST_F(Search, SeesReferencesAsPaths) {
    TElement& hallo = AddBlock(project, "Wirt\\Hallo", ekDialog);
    TElement& tschuess = AddBlock(project, "Wirt\\Tschuess", ekDialog);
    const std::string id = std::to_string(tschuess.Id);
    hallo.Body = {">>Los", "++#" + id + "#", "#:Tschuess#<<Tsch\xFC\xDF"};
    hallo.Condition = {"#!" + id + "#"};
    EXPECT_EQ(Describe(From("#tschuess#", "Wirt")), "Wirt\\Hallo/body@9");
    EXPECT_EQ(Describe(From("#!tschuess", "Wirt")), "Wirt\\Hallo/condition@0");
    // A kept name is no path: it reads as it is stored.
    EXPECT_EQ(Describe(From("#:tschuess#", "Wirt")), "Wirt\\Hallo/body@21");
    EXPECT_EQ(Describe(From("#" + id + "#", "Wirt")), "nothing");
    // The stored text keeps its ids.
    EXPECT_EQ(hallo.Body[1], "++#" + id + "#");
}

TEST_F(Search, FindsNothingWithoutTextOrStart) {
    AddBlock(project, "Hallo", ekDialog).Heading = "Hallo";
    EXPECT_EQ(Describe(From("", "Hallo")), "nothing");
    EXPECT_EQ(Describe(FindNextInProject(project, "hallo", TSearchPlace{})), "nothing");
    TProject empty;
    EXPECT_EQ(Describe(FindNextInProject(empty, "x", TSearchPlace{})), "nothing");
}

} // namespace
} // namespace redewerk
