#include "model/references.h"

#include "model/project.h"

#include "support/project_builder.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::AddNode;
using testing::TRecordingPrompter;

// A tree with the shapes the path syntax has to handle.
class References : public ::testing::Test {
protected:
    References() {
        for (auto [path, kind] : std::initializer_list<std::pair<const char*, int32_t>>{
                 {"Wirt\\Hallo", ekDialog},
                 {"Wirt\\Hallo\\Ja", ekChoice},
                 {"Wirt\\Tschuess", ekDialog},
                 {"Schmied\\Hallo", ekDialog},
                 {"A\\B\\C\\D", ekEvent},
                 {"A\\X", ekEvent},
                 {"Dia\\Frage", ekDialog},
                 {"Dia2\\Antwort", ekChoice},
                 {"Oben", ekEvent},
                 {"Unten", ekDialog},
                 {"Werkzeug\\Helfer", ekCode},
             })
            AddNode(project, path, kind);
    }

    TNode* Node(std::string_view path) { return project.Tree.FindByPath(path); }
    std::string Id(std::string_view path) { return std::to_string(Node(path)->Element()->Id); }

    std::string ToPath(std::string_view text, std::string_view context) {
        return ConvertReference(project, text, TRefDirection::IdToPath, false, Node(context),
                                prompter);
    }
    std::string ToId(std::string_view text, std::string_view context, bool known = false) {
        return ConvertReference(project, text, TRefDirection::PathToId, known, Node(context),
                                prompter);
    }

    TProject project;
    TRecordingPrompter prompter;
};

TEST_F(References, ConvertBothWays) {
    struct Case {
        const char* Context;
        const char* Target;
        const char* Path;
    };
    const Case cases[] = {
        {"Wirt\\Hallo", "Wirt\\Tschuess", "Tschuess"},
        {"Wirt\\Hallo", "Schmied\\Hallo", "..\\Schmied\\Hallo"},
        {"Wirt\\Hallo\\Ja", "Wirt\\Hallo", ""},
        {"Wirt\\Hallo\\Ja", "Wirt\\Tschuess", "..\\Tschuess"},
        {"Wirt\\Hallo", "Wirt\\Hallo\\Ja", "Hallo\\Ja"},
        {"A\\B\\C\\D", "A\\X", "..\\..\\X"},
        {"Dia\\Frage", "Dia2\\Antwort", "..\\Dia2\\Antwort"},
        {"Wirt\\Hallo", "Unten", "..\\Unten"},
        {"Oben", "Wirt\\Hallo\\Ja", "Wirt\\Hallo\\Ja"},
        {"Oben", "Unten", "Unten"},
        {"Oben", "Oben", "Oben"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Context) + " -> " + c.Target);
        EXPECT_EQ(ToPath(Id(c.Target), c.Context), c.Path);
        EXPECT_EQ(ToId(c.Path, c.Context), Id(c.Target));
    }
    EXPECT_TRUE(prompter.Messages.empty());
}

TEST_F(References, PathsIgnoreLetterCase) {
    EXPECT_EQ(ToId("..\\SCHMIED\\hallo", "Wirt\\Hallo"), Id("Schmied\\Hallo"));
    EXPECT_EQ(ToId("wirt\\HALLO\\ja", "Oben"), Id("Wirt\\Hallo\\Ja"));
}

TEST_F(References, FailedPathsBecomeInvalidWithAMessage) {
    struct Case {
        const char* Context;
        const char* Text;
        const char* Message;
    };
    const Case cases[] = {
        {"Wirt\\Hallo", "..\\..\\Hallo",
         "Pfadconverter: So viele Ordner kann ich nicht zur\xFCkgehen: \"..\\..\\Hallo\""},
        {"Oben", "..\\Unten",
         "Pfadconverter: So viele Ordner kann ich nicht zur\xFCkgehen: \"..\\Unten\""},
        {"Wirt\\Hallo", "Nirgends", "Pfadconverter: Pfad weist ins Leere: \"Nirgends\""},
        {"Oben", "", "Pfadconverter: Pfad weist ins Leere: \"\""},
        {"Wirt\\Hallo", "..\\Schmied",
         "Pfadconverter: Auf einen Ordner zu verweisen ergibt keinen Sinn!"},
        {"Wirt\\Tschuess", "", "Pfadconverter: Auf einen Ordner zu verweisen ergibt keinen Sinn!"},
        {"Wirt\\Hallo", "..\\Werkzeug\\Helfer",
         "Pfadconverter: Auf einen Code Baustein zu verweisen ergibt keinen Sinn!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        prompter.Messages.clear();
        EXPECT_EQ(ToId(c.Text, c.Context, true), std::string("INVALID:") + c.Text);
        EXPECT_EQ(prompter.Messages, std::vector<std::string>{c.Message});
        EXPECT_TRUE(Node(c.Context)->Element()->KnownRefs.empty());
    }
}

TEST_F(References, InvalidAndPlusTextsAreNeverConverted) {
    for (std::string_view text : {"INVALID:Nirgends", "INVALID:Gel\xF6scht!", "+Eigenes", "+3"}) {
        SCOPED_TRACE(std::string(text));
        EXPECT_EQ(ToPath(text, "Wirt\\Hallo"), text);
        EXPECT_EQ(ToId(text, "Wirt\\Hallo", true), text);
    }
    EXPECT_TRUE(prompter.Messages.empty());
    EXPECT_TRUE(Node("Wirt\\Hallo")->Element()->KnownRefs.empty());
}

TEST_F(References, FreeOrMissingIdsShowAsDeleted) {
    EXPECT_EQ(ToPath("999", "Wirt\\Hallo"), "INVALID:Gel\xF6scht!");
    EXPECT_EQ(ToPath("-1", "Wirt\\Hallo"), "INVALID:Gel\xF6scht!");
    std::string id = Id("Unten");
    Node("Unten")->Element()->Kind = ekFolder;
    EXPECT_EQ(ToPath(id, "Wirt\\Hallo"), "INVALID:Gel\xF6scht!");
    // Not a number at all: nothing to show but the text itself.
    EXPECT_EQ(ToPath("Hallo", "Wirt\\Tschuess"), "Hallo");
}

TEST_F(References, TextConversionSkipsCommentsStringsAndSpokenLines) {
    const std::string hallo = Id("Wirt\\Hallo");
    const std::string tschuess = Id("Wirt\\Tschuess");
    const TLines stored = {
        "if (#!" + tschuess + "#) // #" + tschuess + "#",
        ">>Siehe #" + tschuess + "#",
        "PrintScreen (\"#" + tschuess + "#\");",
        "++#" + hallo + "#",
        "##",
        "#INVALID:Weg# #+frei#",
    };
    const TLines shown = ConvertReferencesInText(project, stored, TRefDirection::IdToPath,
                                                 Node("Wirt\\Hallo\\Ja"), prompter);
    EXPECT_EQ(shown, (TLines{
                         "if (#!..\\Tschuess#) // #" + tschuess + "#",
                         ">>Siehe #" + tschuess + "#",
                         "PrintScreen (\"#" + tschuess + "#\");",
                         "++##",
                         "##",
                         "#INVALID:Weg# #+frei#",
                     }));
    // The empty path in "##" is the parent: written back, both "##" become the Dialog's id.
    TElement& owner = *Node("Wirt\\Hallo\\Ja")->Element();
    const TLines back = ConvertReferencesInText(project, shown, TRefDirection::PathToId,
                                                Node("Wirt\\Hallo\\Ja"), prompter);
    TLines expected = stored;
    expected[4] = "#" + hallo + "#";
    EXPECT_EQ(back, expected);
    EXPECT_EQ(owner.KnownRefs, std::vector<int32_t>{std::stoi(tschuess)});
    EXPECT_TRUE(prompter.Messages.empty());
}

TEST_F(References, KnownReferencesRegisterOncePerOccurrence) {
    TElement& owner = *Node("Wirt\\Hallo")->Element();
    const TLines lines = {"#!Tschuess# && #!Tschuess#", "#Tschuess# #!..\\Unten#", "#!Nirgends#"};
    const TLines ids = ConvertReferencesInText(project, lines, TRefDirection::PathToId,
                                               Node("Wirt\\Hallo"), prompter);
    const std::string t = Id("Wirt\\Tschuess");
    EXPECT_EQ(ids, (TLines{"#!" + t + "# && #!" + t + "#", "#" + t + "# #!" + Id("Unten") + "#",
                           "#!INVALID:Nirgends#"}));
    const int32_t tid = std::stoi(t);
    EXPECT_EQ(owner.KnownRefs, (std::vector<int32_t>{tid, tid, std::stoi(Id("Unten"))}));
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"Pfadconverter: Pfad weist ins Leere: \"Nirgends\""});
}

TEST_F(References, AnUnclosedMarkerIsLeftAsItIs) {
    const TLines lines = {"x = 1; #" + Id("Unten")};
    EXPECT_EQ(
        ConvertReferencesInText(project, lines, TRefDirection::IdToPath, Node("Oben"), prompter),
        lines);
}

TEST_F(References, DeletingBlocksInvalidatesReferencesToThem) {
    TElement& hallo = *Node("Wirt\\Hallo")->Element();
    TElement& frage = *Node("Dia\\Frage")->Element();
    const std::string ja = Id("Wirt\\Hallo\\Ja");
    const std::string tschuess = Id("Wirt\\Tschuess");
    const std::string unten = Id("Unten");
    frage.Body = {"++#" + ja + "#", "x = #" + unten + "#; // #" + tschuess + "#",
                  ">>#" + tschuess + "#"};
    frage.Condition = {"#!" + tschuess + "# && #!" + unten + "#"};
    frage.KnownRefs = {std::stoi(tschuess), std::stoi(unten)};
    hallo.KnownRefs = {std::stoi(ja)};
    const int32_t halloId = hallo.Id;

    // Deleting the folder frees Hallo, Ja and Tschuess.
    project.DeleteSubtree(Node("Wirt"));
    EXPECT_EQ(frage.Body,
              (TLines{"++#INVALID:Gel\xF6scht!#", "x = #" + unten + "#; // #" + tschuess + "#",
                      ">>#" + tschuess + "#"}));
    EXPECT_EQ(frage.Condition, TLines{"#!INVALID:Gel\xF6scht!# && #!" + unten + "#"});
    EXPECT_EQ(frage.KnownRefs, std::vector<int32_t>{std::stoi(unten)});
    // Even the freed block's own list loses them, so no stale flag survives.
    EXPECT_TRUE(hallo.KnownRefs.empty());

    // A new block takes a freed id; the old references do not move to it.
    TNode* neu = AddNode(project, "Neu", ekDialog);
    EXPECT_EQ(neu->Element()->Id, halloId);
    project.ComputeKnownTargets();
    EXPECT_FALSE(neu->Element()->IsKnownTarget);
    EXPECT_EQ(ConvertReferencesInText(project, frage.Condition, TRefDirection::IdToPath,
                                      Node("Dia\\Frage"), prompter),
              TLines{"#!INVALID:Gel\xF6scht!# && #!..\\Unten#"});
}

} // namespace
} // namespace redewerk
