#include "model/project.h"
#include "model/project_file.h"
#include "model/storable_text.h"

#include "support/memory_file_system.h"
#include "support/project_builder.h"
#include "support/recording_prompter.h"
#include "support/round_trip.h"

#include <gtest/gtest.h>

#include <tuple>

namespace redewerk {
namespace {

using testing::AddBlock;
using testing::AddNode;

const std::string kEnd(kSectionEndMarker);
const std::string kEof(kNodeListEndMarker);

TEST(StorableText, ControlCharactersGoOnlyWhereTheTextBreaksTheRule) {
    for (auto [text, replacement, stored, count] :
         std::initializer_list<std::tuple<std::string, char, std::string, int>>{
             {"Hallo Welt", ' ', "Hallo Welt", 0},
             {"Tab\tund\x01Steuerzeichen", ' ', "Tab\tund\x01Steuerzeichen", 0}, // reads back
             {"Zwei\r\nZeilen\x01", ' ', "Zwei  Zeilen ", 3},
             {"Nur\rCR", '_', "Nur_CR", 1},
             {"Nur\nLF\t", '_', "Nur_LF\t", 1},
             {kEnd, ' ', " END", 1},
             {kEof, '_', "_EOF", 1},
             {kEnd + " ", ' ', kEnd + " ", 0}, // no marker: the line is longer
             {"", ' ', "", 0}}) {
        std::string field = text;
        EXPECT_EQ(MakeStorableField(field, replacement), count) << text;
        EXPECT_EQ(field, stored);
        EXPECT_TRUE(IsStorableField(field));
    }
    // A line of a list may hold a CR: it is read back as it was written.
    TLines lines{"a\rb", kEof, "c\nd", "\x02", kEnd + kEnd};
    EXPECT_EQ(MakeStorableLines(lines), 2);
    EXPECT_EQ(lines, (TLines{"a\rb", " EOF", "c d", "\x02", kEnd + kEnd}));
}

TEST(StorableText, AWholeProjectIsMadeStorableAndNamesStayUnique) {
    TProject project;
    project.Variables = {"var int x;", kEnd};
    project.Npcs.Add("Bob\r", kEof);
    TNode* folder = AddNode(project, "Wirt", ekFolder);
    AddNode(project, "Wirt\\A_B", ekFolder);
    TElement& dialog = AddBlock(project, "Wirt\\X", ekDialog);
    project.Tree.SetText(dialog.Node, "a\nB"); // becomes a_B, which the sibling A_B holds
    dialog.Heading = "Kopf\r\n";
    dialog.Npc = "Bob\r";
    dialog.Nr = kEnd;
    dialog.Description = "Zwei\nZeilen";
    dialog.Condition = {kEof};
    dialog.Body = {">>Hallo", kEnd};
    TElement& freed = AddBlock(project, "Frei", ekCode);
    freed.Heading = "\n";
    project.DeleteSubtree(freed.Node); // a free slot is never stored and stays as it is

    EXPECT_EQ(MakeProjectStorable(project), 11);
    EXPECT_EQ(project.Variables, (TLines{"var int x;", " END"}));
    EXPECT_EQ(project.Npcs.ClearNames, std::vector<std::string>{"Bob_"});
    EXPECT_EQ(project.Npcs.InstanceNames, std::vector<std::string>{"_EOF"});
    EXPECT_EQ(dialog.Node->Path(), "Wirt\\a_B_2");
    EXPECT_EQ(folder->ChildCount(), 2);
    EXPECT_EQ(dialog.Heading, "Kopf  ");
    EXPECT_EQ(dialog.Npc, "Bob_"); // the same as its entry in the NPC table
    EXPECT_EQ(dialog.Nr, " END");
    EXPECT_EQ(dialog.Description, "Zwei Zeilen");
    EXPECT_EQ(dialog.Condition, TLines{" EOF"});
    EXPECT_EQ(dialog.Body, (TLines{">>Hallo", " END"}));
    EXPECT_EQ(freed.Heading, "\n");
    EXPECT_EQ(MakeProjectStorable(project), 0);

    testing::TRecordingPrompter prompter;
    ReportReplacedCharacters(0, prompter);
    ReportReplacedCharacters(12, prompter);
    EXPECT_EQ(
        prompter.Messages,
        std::vector<std::string>{"12 Zeichen ersetzt, die eine Projektdatei nicht speichern kann"});
}

// The last guard: whatever got past the rules, saving never writes a file that would load
// differently, and says where the text stands.
TEST(StorableText, SavingRefusesTextThatWouldNotReadBack) {
    const auto message = [](const std::string& where) {
        return "Projekt nicht gespeichert: " + where +
               " enth\xE4lt Zeichen, die eine Projektdatei nicht speichern kann.";
    };
    using P = TProject&;
    using E = TElement&;
    const std::pair<std::string, void (*)(P, E)> cases[] = {
        {"Variablen und Makros", [](P p, E) { p.Variables.push_back(kEnd); }},
        {"Npc-Liste", [](P p, E) { p.Npcs.Add(kEnd, "VLK_1"); }},
        {"Npc-Liste", [](P p, E) { p.Npcs.Add("Bob", "VLK\n1"); }},
        {"Wirt\\" + kEof + " (Name)", [](P p, E e) { p.Tree.SetText(e.Node, kEof); }},
        {"Wirt\\Hallo (\xDC"
         "berschrift)",
         [](P, E e) { e.Heading = "a\nb"; }},
        {"Wirt\\Hallo (NPC)", [](P, E e) { e.Npc = "\n"; }},
        {"Wirt\\Hallo (nr)", [](P, E e) { e.Nr = "1\n0"; }},
        {"Wirt\\Hallo (Description)", [](P, E e) { e.Description = "\r\n"; }},
        {"Wirt\\Hallo (condition)", [](P, E e) { e.Condition.push_back(kEnd); }},
        {"Wirt\\Hallo (Text)", [](P, E e) { e.Body.push_back("b\nc"); }},
    };
    for (const auto& [where, breakIt] : cases) {
        TProject project;
        // The faulty line comes second: every line is checked, not only the first.
        project.Variables = {"a"};
        TElement& dialog = AddBlock(project, "Wirt\\Hallo", ekDialog);
        dialog.Body = {"a"};
        breakIt(project, dialog);
        testing::TMemoryFileSystem files;
        files.Files["p.dlx"] = "alt";
        testing::TRecordingPrompter prompter;
        EXPECT_FALSE(SaveProject(project, "p.dlx", files, prompter));
        EXPECT_EQ(files.Files["p.dlx"], "alt");
        EXPECT_EQ(prompter.Messages, std::vector<std::string>{message(where)});
    }
    // A file that loads can be saved again: what reads back as it was is written, even where
    // new input would have been changed on its way in. A CR inside a line, a marker with more
    // after it, and a marker where the reader does not look for one.
    TProject project;
    project.Npcs.Add("Bob", kEnd);
    TElement& dialog = AddBlock(project, "Wirt\\" + kEnd, ekDialog);
    dialog.Heading = "a\rb";
    dialog.Npc = kEnd;
    dialog.Description = kEof;
    dialog.Body = {kEnd + " ", "\r"};
    testing::TMemoryFileSystem files;
    testing::TRecordingPrompter prompter;
    EXPECT_TRUE(SaveProject(project, "p.dlx", files, prompter));
    EXPECT_EQ(prompter.Messages, std::vector<std::string>{});
    EXPECT_EQ(testing::RoundTripProblem(project), "");
}

} // namespace
} // namespace redewerk
