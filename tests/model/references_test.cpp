#include "model/references.h"

#include "model/markers.h"
#include "model/project.h"

#include "support/project_builder.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace redewerk {
namespace {

using testing::AddNode;
using testing::TRecordingPrompter;

// A tree with the shapes the path syntax has to handle.
class References : public ::testing::Test {
protected:
    References() {
        const std::pair<int32_t, std::vector<const char*>> blocks[] = {
            {ekDialog, {"Wirt\\Hallo", "Wirt\\Tschuess", "Schmied\\Hallo", "Dia\\Frage", "Unten"}},
            {ekChoice, {"Wirt\\Hallo\\Ja", "Dia2\\Antwort"}},
            {ekEvent, {"A\\B\\C\\D", "A\\X", "Oben"}},
            {ekCode, {"Werkzeug\\Helfer"}}};
        for (const auto& [kind, paths] : blocks)
            for (const char* path : paths)
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
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // context, target, the path from the one to the other
        {"Wirt\\Hallo", "Wirt\\Tschuess", "Tschuess"},
        {"Wirt\\Hallo", "Schmied\\Hallo", "..\\Schmied\\Hallo"},
        {"Wirt\\Hallo\\Ja", "Wirt\\Hallo", ""},
        {"Wirt\\Hallo", "Wirt\\Hallo\\Ja", "Hallo\\Ja"},
        {"A\\B\\C\\D", "A\\X", "..\\..\\X"},
        {"Dia\\Frage", "Dia2\\Antwort", "..\\Dia2\\Antwort"},
        {"Wirt\\Hallo", "Unten", "..\\Unten"},
        {"Oben", "Wirt\\Hallo\\Ja", "Wirt\\Hallo\\Ja"},
        {"Oben", "Oben", "Oben"},
    };
    for (auto [context, target, path] : cases) {
        SCOPED_TRACE(std::string(context) + " -> " + target);
        EXPECT_EQ(ToPath(Id(target), context), path);
        EXPECT_EQ(ToId(path, context), Id(target));
    }
    EXPECT_TRUE(prompter.Messages.empty());
}

TEST_F(References, PathsToIdsRegisterKnownTargetsOrBecomeInvalidWithAMessage) {
    const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
        // context, text, result, message
        {"Wirt\\Hallo", "..\\SCHMIED\\hallo", Id("Schmied\\Hallo"), ""},
        {"Oben", "wirt\\HALLO\\ja", Id("Wirt\\Hallo\\Ja"), ""},
        {"Wirt\\Hallo", "..\\..\\Hallo", "INVALID:..\\..\\Hallo",
         "Pfadconverter: So viele Ordner kann ich nicht zur\xFCkgehen: \"..\\..\\Hallo\""},
        {"Oben", "..\\Unten", "INVALID:..\\Unten",
         "Pfadconverter: So viele Ordner kann ich nicht zur\xFCkgehen: \"..\\Unten\""},
        {"Wirt\\Hallo", "Nirgends", "INVALID:Nirgends",
         "Pfadconverter: Pfad weist ins Leere: \"Nirgends\""},
        {"Oben", "", "INVALID:", "Pfadconverter: Pfad weist ins Leere: \"\""},
        {"Wirt\\Hallo", "..\\Schmied", "INVALID:..\\Schmied",
         "Pfadconverter: Auf einen Ordner zu verweisen ergibt keinen Sinn!"},
        {"Wirt\\Tschuess", "",
         "INVALID:", "Pfadconverter: Auf einen Ordner zu verweisen ergibt keinen Sinn!"},
        {"Wirt\\Hallo", "..\\Werkzeug\\Helfer", "INVALID:..\\Werkzeug\\Helfer",
         "Pfadconverter: Auf einen Code Baustein zu verweisen ergibt keinen Sinn!"},
        // Failed references and the user's own "+" texts are never converted again.
        {"Wirt\\Hallo", "INVALID:Nirgends", "INVALID:Nirgends", ""},
        {"Wirt\\Hallo", "INVALID:Gel\xF6scht!", "INVALID:Gel\xF6scht!", ""},
        {"Wirt\\Hallo", "+3", "+3", ""},
    };
    for (const auto& [context, text, result, message] : cases) {
        SCOPED_TRACE(text);
        prompter.Messages.clear();
        TElement& owner = *Node(context)->Element();
        owner.KnownRefs.clear();
        EXPECT_EQ(ToId(text, context, true), result);
        EXPECT_EQ(prompter.Messages,
                  message.empty() ? std::vector<std::string>{} : std::vector{message});
        int32_t id = 0; // only a block found counts as a known target
        EXPECT_EQ(owner.KnownRefs,
                  ParseReferenceId(result, id) ? std::vector{id} : std::vector<int32_t>{});
    }
}

TEST_F(References, TextConversionSkipsCommentsStringsSpokenLinesAndKeptNames) {
    const std::string hallo = Id("Wirt\\Hallo");
    const std::string tschuess = Id("Wirt\\Tschuess");
    const TLines stored = {
        "if (#!" + tschuess + "# && #!" + tschuess + "#) // #" + tschuess + "#",
        ">>Siehe #" + tschuess + "#",
        "PrintScreen (\"#" + tschuess + "#\");",
        "++#" + hallo + "#",
        "##",
        "#INVALID:Weg# #+frei#",
        "#:Tschuess# #!:Tschuess#", // kept names, not paths
        "x = 1; #" + tschuess,      // an unclosed marker
    };
    const TLines shown = ConvertReferencesInText(project, stored, TRefDirection::IdToPath,
                                                 Node("Wirt\\Hallo\\Ja"), prompter);
    TLines expected = stored; // only the references outside comments, strings and speech
    expected[0] = "if (#!..\\Tschuess# && #!..\\Tschuess#) // #" + tschuess + "#";
    expected[3] = "++##";
    EXPECT_EQ(shown, expected);
    // The empty path in "##" is the parent: written back, both "##" become the Dialog's id.
    TElement& owner = *Node("Wirt\\Hallo\\Ja")->Element();
    const TLines back = ConvertReferencesInText(project, shown, TRefDirection::PathToId,
                                                Node("Wirt\\Hallo\\Ja"), prompter);
    expected = stored;
    expected[4] = "#" + hallo + "#";
    EXPECT_EQ(back, expected);
    // Each known reference counts once per occurrence.
    EXPECT_EQ(owner.KnownRefs, std::vector<int32_t>(2, std::stoi(tschuess)));
    EXPECT_TRUE(prompter.Messages.empty());
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
    for (const std::string& id : {ja, std::string("999"), std::string("-1")})
        EXPECT_EQ(ToPath(id, "Dia\\Frage"), "INVALID:Gel\xF6scht!") << id;

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
