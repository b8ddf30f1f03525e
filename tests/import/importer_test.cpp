#include "import/importer.h"

#include "import/progress.h"
#include "import_helpers.h"
#include "model/project.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>
#include <vector>

namespace redewerk {
namespace {

using testing::BlockText;
using testing::DialogScript;
using testing::Dump;
using testing::ImportFailure;
using testing::ImportScripts;
using testing::TRecordingPrompter;
using testing::TreeOutline;

using TOutline = std::vector<std::string>;

const std::string kPlain = "1|Wirt|0||\n"; // the header of a plain dialog

// Imports one script that must import; the project afterwards.
std::unique_ptr<TProject> Imported(const std::string& script, bool folderForEach = true) {
    auto project = std::make_unique<TProject>();
    TRecordingPrompter prompter;
    EXPECT_TRUE(ImportScripts(*project, {{"DIA_Wirt.d", script}}, prompter, folderForEach))
        << (prompter.Messages.empty() ? "" : prompter.Messages.front());
    return project;
}

std::string Dialog(const std::string& name, const std::string& info,
                   const std::string& condition = "\treturn TRUE;\r\n") {
    return DialogScript(name, "", condition, info);
}

// The text of the dialog DIA_Wirt_Hallo with that information function.
std::string HalloText(const std::string& info) {
    return BlockText(*Imported(Dialog("DIA_Wirt_Hallo", info)), "IMPORT\\Wirt\\Hallo");
}

// The expression step reads the ";" ahead and pushes it back; the ";" state reads it again,
// and it is recorded once, with its position.
TEST(TokenRecording, RecordsAPushedBackTokenOnceWithItsPosition) {
    TProject project;
    testing::TMemoryFileSystem files;
    TRecordingPrompter prompter;
    TImporter importer(project, files, prompter);
    importer.SetText("x = y;  // c\r\nz = 1;");
    importer.PushState(STstats);
    importer.StartRecording();
    do {
        importer.Step();
    } while (importer.StateStack.back() != STstats);
    EXPECT_EQ(importer.Tokens, (std::vector<std::string>{"x", "=", "y", ";"}));
    EXPECT_EQ(importer.TokenPos, (std::vector<int32_t>{1, 3, 5, 6}));
}

TEST(ScriptImport, VariablesAndConstantsGoToTheVariablesWithTheirComments) {
    TProject project;
    project.Variables = {"var int Old;"};
    TRecordingPrompter prompter;
    ASSERT_TRUE(
        ImportScripts(project,
                      {{"Story_Globals.d", "// Z\xE4hler\r\nvar int Counter;\r\n\r\n"
                                           "const string Greeting = \"Hallo\"; // am Ende\r\n"
                                           "var int A, B;\n"}},
                      prompter));
    EXPECT_EQ(project.Variables,
              (TLines{"var int Old;", "", "// Z\xE4hler", "var int Counter;",
                      "const string Greeting = \"Hallo\";", "// am Ende", "var int A, B;"}));
    EXPECT_EQ(Dump(project), "IMPORT\n");
    EXPECT_TRUE(prompter.Messages.empty());

    // An empty list still makes the folder and the line that sets the variables off.
    TProject empty;
    ASSERT_TRUE(ImportScripts(empty, {}, prompter));
    EXPECT_EQ(Dump(empty), "IMPORT\n");
    EXPECT_EQ(empty.Variables, TLines{""});
}

// Spoken lines and the end of the dialog, as a dialog's body shows them.
TEST(ScriptImport, InfoStatementsBecomeTheDialogsBody) {
    const std::pair<const char*, const char*> cases[] = {
        {"\tAI_Output (self, other, \"X_08_00\"); //Hallo\r\n", "<<Hallo\n"},
        {"\tAI_Output (self, hero, \"X_08_00\"); // Hallo\r\n", "<< Hallo\n"},
        {"\tAI_Output (hero, self, \"X_15_00\"); //Ja\r\n", ">>Ja\n"},
        // Without a comment the speaker line is empty and a blank line follows.
        {"\tAI_Output (self, other, \"X_08_00\");\r\n\tx = 1;\r\n", "<<\n\nx = 1;\n"},
        {"\tAI_StopProcessInfos (self); // und weg\r\n", "ENDE\n// und weg\n"},
        // Calls inside expressions or with other speakers stay code.
        {"\tAI_Output (self, Diego, \"X_08_00\"); //Hallo\r\n",
         "AI_Output (self, Diego, \"X_08_00\"); //Hallo\n"},
        {"\tif (x) { AI_StopProcessInfos (self); };\r\n", "if (x) { ENDE\n};\n"},
        // A comment becomes the spoken text only when nothing but blanks stands before it;
        // code between the call and the comment stays, and so does a "//" in a string.
        {"\tAI_Output (self, other, \"A\"); AI_Output (other, self, \"B\"); //Zwei\r\n",
         "<<\n>>Zwei\n"},
        {"\tAI_Output (self, other, \"A\"); x = 1; // zu x\r\n", "<<\nx = 1; // zu x\n"},
        {"\tif (x) { AI_Output (self, other, \"A\"); }; //Im if\r\n\ty = 2;\r\n",
         "if (x) { <<\n}; //Im if\ny = 2;\n"},
        {"\tAI_Output (self, other, \"A\"); Print (\"http://x\");\r\n",
         "<<\nPrint (\"http://x\");\n"},
        {"\tAI_Output (self, other, \"A\"); \t //Hallo\r\n", "<<Hallo\n"},
        // Forms the game's compiler accepts: an if block closed without ";" (the next
        // statement is still a spoken line), an expression whose value is dropped, members of a
        // dialog, which are references to it like its name.
        {"\tif (a) { x = 1; }\r\n\tAI_Output (self, other, \"A\"); //Ja\r\n",
         "if (a) { x = 1; }\n<<Ja\n"},
        {"\tif (a) { x = 1; } else if (b) { AI_Output (self, other, \"A\"); //B\r\n\t}\r\n",
         "if (a) { x = 1; } else if (b) { <<B\n}\n"},
        {"\tB_Hole (self) == 1;\r\n\tDIA_Wirt_Hallo.permanent = 1;\r\n"
         "\tx = DIA_Wirt_Hallo.nr;\r\n",
         "B_Hole (self) == 1;\n#IMPORT\\Wirt\\Hallo#.permanent = 1;\n"
         "x = #IMPORT\\Wirt\\Hallo#.nr;\n"}};
    for (const auto& [info, body] : cases)
        EXPECT_EQ(HalloText(info), kPlain + body) << info;
}

// Scripts of tests/data/import/cases, each imported on its own as "DIA_Wirt.d": the tree
// with the variables afterwards must read as NAME.txt beside the script.
TEST(ScriptImport, ScriptsBecomeTheBlocksOfTheirExpectedTree) {
    const std::pair<const char*, bool> cases[] = {
        // Declarations that are no dialogs become Code blocks with their whole text.
        {"declarations", true},
        // The attributes fill the header; EXIT ends the dialog.
        {"attributes", true},
        // A comment travels with the declaration after it only.
        {"comments", true},
        // A teaching offer computes its description: it is kept as the constant form and goes
        // out unchanged. An int function as information loses the values of its returns (a
        // value that calls something stays a statement). A choice that runs another dialog's
        // information, or a function with parameters, stays a call with its own text. A shift
        // stays where no body holds it: in the variables and in a condition.
        {"teaching", false},
        // What an export writes for a block asked as known comes back as the known reference:
        // the variable's name in a text, the line that sets it in the block's own body and its
        // declaration. An event's variable (no block of the import) stays a variable.
        {"known_variables", false},
        // The trade call is written anew from the trade flag, so it is dropped where the flag
        // brings it back; in any other function it stays, or the exported scripts would lose it.
        {"trade_call", false},
        // Options hang under the dialog that offers them; offered again with another caption,
        // an option stays code.
        {"options", false},
        // A condition that returns 1 is none; one of a single if becomes the condition text;
        // any other stays a Code block that the condition calls.
        {"conditions", false},
        // A function that belongs to one dialog is reached from elsewhere through that dialog's
        // block; a function no dialog owns keeps its name, and so do functions outside the
        // scripts. Options nobody offers hang where a call or a dialog statement ties them to a
        // placed block, or in the folder when nothing does.
        {"shared_functions", false},
    };
    const std::string folder = REDEWERK_TEST_DATA_DIR "/import/cases/";
    for (const auto& [name, folderForEach] : cases) {
        SCOPED_TRACE(name);
        const auto project = Imported(testing::ReadDataFile(folder + name + ".d"), folderForEach);
        EXPECT_EQ(testing::DumpWithVariables(*project),
                  testing::ReadDataFile(folder + name + ".txt"));
    }
}

// Options hang breadth first under the functions that offer them: an option offered by an
// option and by an option's option hangs under the first, whatever order the functions
// stand in the file.
TEST(ScriptImport, OptionsHangClosestToTheirDialogInAnyOrder) {
    const std::string dialog = DialogScript("DIA_W_D", "", "\treturn TRUE;\r\n",
                                            "\tInfo_AddChoice (DIA_W_D, \"A\", DIA_W_D_A);\r\n"
                                            "\tInfo_AddChoice (DIA_W_D, \"A2\", DIA_W_D_A2);\r\n");
    const std::string functions[] = {
        "func void DIA_W_D_B () { Info_AddChoice (DIA_W_D, \"C\", DIA_W_D_C); };\r\n",
        "func void DIA_W_D_A2 () { Info_AddChoice (DIA_W_D, \"B\", DIA_W_D_B); };\r\n",
        "func void DIA_W_D_A () { Info_AddChoice (DIA_W_D, \"C\", DIA_W_D_C); };\r\n",
        "func void DIA_W_D_C () { x = 1; };\r\n"};
    for (const auto& order : {std::vector<int>{0, 1, 2, 3}, std::vector<int>{3, 2, 1, 0},
                              std::vector<int>{1, 3, 0, 2}}) {
        std::string script = dialog;
        for (int i : order)
            script += functions[i];
        std::vector<std::string> paths;
        const auto project = Imported(script, false);
        project->Tree.ForEachPreOrder([&](TNode* node) { paths.push_back(node->Path()); });
        std::sort(paths.begin(), paths.end());
        EXPECT_EQ(paths,
                  (std::vector<std::string>{"IMPORT", "IMPORT\\D", "IMPORT\\D\\A", "IMPORT\\D\\A2",
                                            "IMPORT\\D\\A2\\B", "IMPORT\\D\\A\\C"}))
            << script;
    }
}

// Scripts saved with LF alone, CR alone or a mix of line ends read like CR LF scripts: a
// comment ends at its line end and the spoken text takes no code from the next line. A CR
// doubled before the LF (a CR LF file converted once more) is one line end too.
TEST(ScriptImport, OtherLineEndsWorkLikeCrLf) {
    const std::string script =
        Dialog("DIA_Wirt_Hallo", "\tAI_StopProcessInfos (self); // weg\r\n"
                                 "\tAI_Output (self, other, \"S\");\r\n\tx = 1;\r\n"
                                 "\tAI_Output (other, self, \"T\"); //Ja\r\n"
                                 "\ty = 2; // y\r\n");
    std::string lf, cr, mixed, doubled;
    bool bare = false;
    for (char c : script) {
        if (c != '\r') lf += c;
        if (c != '\n') cr += c;
        if (c == '\r') doubled += '\r';
        doubled += c;
        if (c == '\r' && (bare = !bare)) continue;
        mixed += c;
    }
    for (const std::string& text : {lf, cr, mixed, doubled})
        EXPECT_EQ(BlockText(*Imported(text), "IMPORT\\Wirt\\Hallo"),
                  kPlain + "ENDE\n// weg\n<<\n\nx = 1;\n>>Ja\ny = 2; // y\n");
}

TEST(ScriptImport, Utf8ScriptsAreConvertedAndLossesWarnedAbout) {
    TProject project;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(
        project,
        {{"DIA_Wirt.d",
          "\xEF\xBB\xBF" + Dialog("DIA_Wirt_Hallo",
                                  "\tAI_Output (self, other, \"S\"); //Gr\xC3\xBC\xC3\x9F "
                                  "dich \xE2\x98\x83\r\n")}},
        prompter));
    EXPECT_EQ(BlockText(project, "IMPORT\\Wirt\\Hallo"), kPlain + "<<Gr\xFC\xDF dich ?\n");
    EXPECT_EQ(prompter.Messages,
              (std::vector<std::string>{"Warnung: Die Datei \"DIA_Wirt.d\" "
                                        "enth\xE4lt Zeichen, die es in Windows-1252 nicht gibt.\r\n"
                                        "Sie wurden durch \"?\" ersetzt."}));
}

TEST(ScriptImport, EachRunGetsAFolderOfItsOwn) {
    TProject project;
    TRecordingPrompter prompter;
    for (int run = 0; run < 3; ++run)
        ASSERT_TRUE(ImportScripts(project, {{"B_Helper.d", "func void Helper () { x = 1; };\r\n"}},
                                  prompter));
    EXPECT_EQ(TreeOutline(project),
              (TOutline{"IMPORT 0", "  Helper 0", "    Helper 4", "IMPORT1 0", "  Helper 0",
                        "    Helper 4", "IMPORT2 0", "  Helper 0", "    Helper 4"}));
}

TEST(ScriptImport, FilesWithTheSameFolderNameShareIt) {
    const std::vector<testing::TScript> scripts = {
        {"scripts/DIA_Guard.d", Dialog("DIA_Guard_Hello", "\tx = 1;\r\n")},
        {"scripts/Quest_Guard.d", "func void B_Guard () { x = 1; };\r\n"},
        {"scripts/M\xE4rchen_\xD6l\xFC\xDF"
         "2.dlg.d",
         "func void B_Tale () { x = 1; };\r\n"},
        {"12.d", "func void B_Number () { x = 1; };\r\n"},
    };
    TProject project, flat;
    TRecordingPrompter prompter;
    ASSERT_TRUE(ImportScripts(project, scripts, prompter));
    EXPECT_EQ(TreeOutline(project),
              (TOutline{"IMPORT 0", "  Guard 0", "    Hello 1", "    B_Guard 4", "  OelUess 0",
                        "    B_Tale 4", "  DooferDateiname 0", "    B_Number 4"}));
    ASSERT_TRUE(ImportScripts(flat, scripts, prompter, false));
    EXPECT_EQ(TreeOutline(flat),
              (TOutline{"IMPORT 0", "  Hello 1", "  B_Guard 4", "  B_Tale 4", "  B_Number 4"}));
}

TEST(ScriptImport, NodeNamesTakeMoreOfTheNameWhenASiblingHasTheShortOne) {
    std::string script;
    for (const char* name : {"DIA_Guard_Hello", "DIA_Wache_Hello", "Wache_Hello", "Hello"})
        script += Dialog(name, "\tx = 1;\r\n");
    EXPECT_EQ(
        TreeOutline(*Imported(script, false)),
        (TOutline{"IMPORT 0", "  Hello 1", "  Wache_Hello 1", "  Wache_Hello 1", "  Hello 1"}));
}

// --- Failures ---

// Each fault stops a strict run with its whole message; any other run leaves the script out,
// names it with the place of the fault on one line, and imports the others.
TEST(ScriptImport, FaultsStopAStrictRunAndLeaveTheirScriptOutOfOthers) {
    const std::string interpreting = "Fehler beim Interpretieren der einzelnen Objekte: \r\n";
    const std::string flag = "Ung\xFCltige Zuweisung an \"important\", \"permanent\" oder "
                             "\"trade\".\r\nEs werden nur TRUE, FALSE oder Ganzzahlen akzeptiert.";
    const std::string missing =
        "Fehler bei DIA_Test_Hello\r\nDem Dialog fehlt die Condition und/oder Information!";
    const std::string shift = "Schiebeoperator \"<<\" in B_Shift: Im Text eines Bausteins "
                              "beginnt \"<<\" eine gesprochene Zeile.";
    auto dialog = [](const std::string& attributes, const std::string& info = "\tx = 1;\r\n") {
        return DialogScript("DIA_Test_Hello", attributes, "\treturn TRUE;\r\n", info);
    };
    const std::string help = "func void B_Help () { x = 1; };\r\n";
    struct TCase {
        std::string Script;
        std::string Message; // of a strict run
        std::string Place;   // "LINE:COLUMN" in the report of any other run
    };
    const TCase cases[] = {
        {dialog("\tnr = 1 + 2;\r\n"),
         interpreting + "Seltsames Statement in DIA_Test_Hello\r\n"
                        "bei nr. So etwas wird nicht unterst\xFCtzt.",
         "6:2"},
        {dialog("\tcondition = DIA_Test_Hello_Condition;\r\n"),
         interpreting + "Der Dialog DIA_Test_Hello\r\nhat zwei Conditionfunktionen!?\r\n"
                        "Sorry, aber das ist verwirrend. Stell das richtig!",
         "6:2"},
        {dialog("\tinformation = Other_Info;\r\n"),
         interpreting + "Der Dialog DIA_Test_Hello\r\nhat zwei information-Funktionen!?\r\n"
                        "Sorry, aber das ist verwirrend. Stell das richtig!",
         "6:2"},
        {dialog("\tpermanent = ja;\r\n"), interpreting + flag, "6:14"},
        {dialog("\ttrade = 1.5;\r\n"), interpreting + flag, "6:10"},
        {dialog("\tocname = 1;\r\n"),
         interpreting + "Nicht unterst\xFCtzte Zuweisung in DIA_Test_Hello\r\n"
                        "Nur Zuweisungen an die Klassenanttribute sind erlaubt.",
         "6:2"},
        {dialog("", "\tDIA_Test_Hello ();\r\n"),
         interpreting + "Aufruf von \"DIA_Test_Hello\" ung\xFCltig!\r\n"
                        "Dieses Objekt ist keine Funktion!",
         "15:2"},
        {dialog("", "\tInfo_ClearChoices (B_Help);\r\n") + help,
         interpreting + "Ung\xFCltiger Typ: \"B_Help\r\nInfo_ClearChoices ben\xF6tigt\r\n"
                        "als Parameter eine C_INFO-Instanz.",
         "15:21"},
        {dialog("", "\tInfo_AddChoice (B_Help, \"Ja\", B_Help);\r\n") + help,
         interpreting + "Ung\xFCltiger Typ: \"B_Help\r\nInfo_AddChoice ben\xF6tigt\r\n"
                        "als Parameter eine C_INFO-Instanz.",
         "15:18"},
        {dialog("", "\tif (Npc_KnowsInfo (other, B_Help)) { x = 1; };\r\n") + help,
         interpreting + "Ung\xFCltiger Typ: \"B_Help\r\nNpc_KnowsInfo ben\xF6tigt\r\n"
                        "als Parameter eine C_INFO-Instanz.",
         "15:28"},
        {dialog("", "\tInfo_AddChoice (DIA_Test_Hello, \"Ja\", B_Count);\r\n") +
             "func int B_Count () { return 1; };\r\n",
         interpreting +
             "Ung\xFCltiger Typ: \"B_Count\r\nDer dritte Parameter von Info_AddChoice\r\n"
             "muss eine Funktion mit leerem Ergebnistyp\r\nund leerer Parameterliste sein.",
         "15:40"},
        {"instance DIA_Test_Hello (C_INFO) { condition = B_Void; information = B_Void; };\r\n"
         "func void B_Void () { x = 1; };\r\n",
         interpreting + "Fehler in: DIA_Test_Hello\r\nUng\xFCltige \"condition\" Funktion.\r\n"
                        "Gesucht ist eine int-Funktion ohne \xDC"
                        "bergabeparameter.",
         "1:48"},
        // An int function may be the information, but not when it is the condition already.
        {"instance DIA_Test_Hello (C_INFO) { condition = B_Int; information = B_Int; };\r\n"
         "func int B_Int () { return 1; };\r\n",
         interpreting + "Fehler in: DIA_Test_Hello\r\nUng\xFCltige \"information\" Funktion.\r\n"
                        "Gesucht ist eine void-Funktion ohne \xDC"
                        "bergabeparameter.",
         "1:69"},
        {"instance DIA_Test_Hello (C_INFO) { };\r\n", missing, "1:1"},
        {"instance DIA_Test_Hello (C_INFO) { npc = X; condition = C; };\r\n", missing, "1:1"},
        {dialog("") + "func void DIA_Test_Hello_Info () { x = 2; };\r\n",
         "Doppelt definierter Bezeichner: DIA_Test_Hello_Info", "17:1"},
        {"func void A () { x = ; };\r\n",
         "Syntax Error in Datei: DIA_Test.d\r\n"
         "Identifier oder Literal erwartet.\r\nImport abgebrochen.",
         "1:22"},
        // The rest of the file must not be dropped silently.
        {"func void A () { x = 1; };\r\nx = 2;\r\n",
         "Syntax Error in Datei: DIA_Test.d\r\nUng\xFCltiges Statement oder ung\xFCltiges "
         "Zeichen.\r\nImport abgebrochen.",
         "2:1"},
        // A block's text cannot hold a shift: it would become a spoken line.
        {"func void B_Shift () {\r\n\tx = 1 << 2;\r\n};\r\n", "DIA_Test.d:2:8: " + shift, "2:8"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Script);
        EXPECT_EQ(ImportFailure(c.Script), c.Message);

        TProject project;
        TRecordingPrompter prompter;
        const TScriptImportResult result = ImportScripts(
            project, {{"DIA_Test.d", c.Script}, {"B_Gut.d", "func void B_Gut () { x = 1; };"}},
            prompter, TImportOptions{});
        ASSERT_TRUE(result.Completed);
        ASSERT_EQ(result.Skipped.size(), 1u);
        // The message on one line: the line breaks of the strict message become blanks, the
        // stage that wraps it goes.
        std::string line =
            c.Message.starts_with(interpreting) ? c.Message.substr(interpreting.size()) : c.Message;
        if (line.starts_with("Syntax Error"))
            line = line.substr(line.find("\r\n") + 2, line.rfind("\r\n") - line.find("\r\n") - 2);
        if (line.starts_with("DIA_Test.d:")) line = line.substr(line.find(": ") + 2);
        for (size_t at; (at = line.find("\r\n")) != std::string::npos;)
            line.replace(at, 2, " ");
        EXPECT_EQ(result.Skipped[0].Report(), "DIA_Test.d:" + c.Place + ": " + line);
        EXPECT_EQ(TreeOutline(project), (TOutline{"IMPORT 0", "  Gut 0", "    B_Gut 4"}));
        EXPECT_TRUE(prompter.Messages.empty());
        EXPECT_TRUE(prompter.Questions.empty());
    }
}

// A script left out leaves no trace: no folder, no block, no variable, no NPC; the other
// scripts import as if it had not been listed, their names of its objects stay names.
TEST(ScriptImport, AScriptLeftOutLeavesNoTrace) {
    TProject project;
    project.Variables = {"var int Old;"};
    TRecordingPrompter prompter;
    const std::string bad = "var int Bad_Counter;\r\n" + Dialog("DIA_Bad_Hallo", "\tx = 1;\r\n") +
                            "func void B_Bad () { AI_Output (self, other, \"A\"); };\r\n"
                            "func void B_Broken () { x = ; };\r\n";
    const std::string good =
        DialogScript("DIA_Good_Hallo", "",
                     "\tif (Npc_KnowsInfo (other, DIA_Bad_Hallo)) {"
                     " return TRUE; };\r\n",
                     "\tB_Bad ();\r\n\tInfo_AddChoice (DIA_Good_Hallo, \"Ja\", B_Bad);\r\n");
    const TScriptImportResult result = ImportScripts(
        project, {{"DIA_Bad.d", bad}, {"DIA_Good.d", good}}, prompter, TImportOptions{});
    ASSERT_EQ(result.Skipped.size(), 1u);
    EXPECT_EQ(result.Skipped[0].Report(), "DIA_Bad.d:19:29: Identifier oder Literal erwartet.");
    EXPECT_EQ(Dump(project), "IMPORT\nIMPORT\\Good\nIMPORT\\Good\\Hallo 1|Wirt|0||\n"
                             "  ? if (Npc_KnowsInfo (other, DIA_Bad_Hallo))\n  B_Bad ();\n"
                             "  Info_AddChoice (#IMPORT\\Good\\Hallo#, \"Ja\", B_Bad);\n");
    EXPECT_EQ(project.Variables, (TLines{"var int Old;", ""}));
    EXPECT_EQ(project.Npcs.InstanceNames, std::vector<std::string>{"VLK_400_Wirt"});
    EXPECT_EQ(project.Elements.Size(), 1);

    // With every script left out, the project stays as it was: not even a folder.
    TProject untouched;
    const TScriptImportResult none = ImportScripts(
        untouched, {{"DIA_Bad.d", bad}, {"DIA_X.d", "x"}}, prompter, TImportOptions{});
    EXPECT_TRUE(none.Completed);
    EXPECT_EQ(none.Skipped.size(), 2u);
    EXPECT_TRUE(untouched.Tree.IsEmpty());
    EXPECT_TRUE(untouched.Variables.empty());
}

TEST(ScriptImport, NamesThatDifferInCaseAreNoDuplicates) {
    TProject project, twice;
    TRecordingPrompter prompter;
    const testing::TScript a = {"DIA_A.d", "func void DIA_Guard_Hello () { x = 1; };\r\n"};
    EXPECT_TRUE(ImportScripts(
        project, {a, {"DIA_B.d", "func void DIA_GUARD_HELLO () { x = 1; };\r\n"}}, prompter));
    EXPECT_FALSE(ImportScripts(twice,
                               {a,
                                {"DIA_B.d", "func void dia_guard_hello () { x = 1; };\r\n"
                                            "func void DIA_Guard_Hello () { x = 1; };\r\n"}},
                               prompter));
    EXPECT_EQ(prompter.Messages,
              std::vector<std::string>{"Doppelt definierter Bezeichner: DIA_Guard_Hello"});
}

// A file that cannot be read is the user's business, no internal error: the message names
// the file and the system's reason. Any run but a strict one leaves the file out.
TEST(ScriptImport, AnUnreadableFileIsAnImportErrorNamingIt) {
    for (auto [error, reason] : std::initializer_list<std::pair<int, std::string>>{
             {ENOENT, "Datei nicht gefunden"},
             {EISDIR, "Der Name bezeichnet einen Ordner"},
             {EACCES, "Zugriff verweigert"},
             {EIO, "E/A-Fehler 5"}}) {
        TProject project;
        TRecordingPrompter prompter;
        testing::TMemoryFileSystem files;
        files.Files["skripte/DIA_X.d"] = "";
        files.ReadError = error;
        EXPECT_FALSE(
            RunScriptImport(project, {"skripte/DIA_X.d"}, {true, true}, files, prompter).Completed);
        EXPECT_EQ(prompter.Messages,
                  std::vector<std::string>{"Datei nicht lesbar: skripte/DIA_X.d (" + reason + ")"});
        EXPECT_TRUE(project.Tree.IsEmpty());
        const TScriptImportResult result =
            RunScriptImport(project, {"skripte/DIA_X.d"}, {}, files, prompter);
        ASSERT_EQ(result.Skipped.size(), 1u);
        EXPECT_EQ(result.Skipped[0].Report(),
                  "skripte/DIA_X.d: Datei nicht lesbar (" + reason + ")");
        EXPECT_TRUE(project.Tree.IsEmpty());
    }
}

// A failed run leaves the project as it was; the old importer left a half-built folder.
TEST(ScriptImport, FailureLeavesTheProjectAsItWas) {
    TProject project;
    project.Variables = {"var int Old;"};
    TRecordingPrompter prompter;
    ASSERT_TRUE(
        ImportScripts(project, {{"B_Old.d", "func void B_Old () { x = 1; };\r\n"}}, prompter));
    const TOutline before = TreeOutline(project);
    const TLines variablesBefore = project.Variables;
    const int32_t tableSize = project.Elements.Size();

    // Early in a strict run, and late in any run: the question for an NPC's clear name comes
    // when the blocks are made, and here it fails.
    struct TFailingPrompter : TRecordingPrompter {
        std::string AskText(const std::string&, const std::string&) override {
            throw std::runtime_error("kaputt");
        }
    } failing;
    const std::string good = Dialog("DIA_Wirt_Hallo", "\tx = 1;\r\n");
    const std::string unknownNpc =
        DialogScript("DIA_Wirt_Neu", "\tnpc = X;\r\n", "\treturn TRUE;\r\n", "\tx = 1;\r\n");
    EXPECT_FALSE(ImportScripts(
        project,
        {{"DIA_Wirt.d", good}, {"DIA_Bad.d", "instance DIA_Wirt_Bad (C_INFO) { nr = ; };\r\n"}},
        prompter));
    EXPECT_FALSE(ImportScripts(project, {{"DIA_Wirt.d", good}, {"DIA_Neu.d", unknownNpc}}, failing,
                               TImportOptions{})
                     .Completed);
    EXPECT_EQ(failing.Messages,
              std::vector<std::string>{"Interner unbehandelter Fehler:\r\nkaputt"});
    EXPECT_EQ(TreeOutline(project), before);
    EXPECT_EQ(project.Variables, variablesBefore);
    int live = 0;
    project.Elements.ForEach([&](const TElement& element) { live += !element.IsFree(); });
    EXPECT_EQ(live, 1);
    // The ids the run took are free again: the next block gets the lowest one.
    EXPECT_LE(project.Elements.FindFreeElementSlot(), tableSize);
}

struct TProgressRecord : TImportProgress {
    std::vector<std::string> Labels;
    std::vector<int> Bars;
    void ShowProgress(const std::string& stageText, int step, int count, int barValue) override {
        Labels.push_back(ProgressLabel(stageText, step, count));
        Bars.push_back(barValue);
    }
};

TEST(ScriptImport, ReportsEachStageAndStep) {
    TProject project;
    TRecordingPrompter prompter;
    testing::TMemoryFileSystem files;
    files.Files["B_A.d"] = "func void B_A () { x = 1; };\r\nfunc void B_B () { x = 1; };\r\n";
    files.Files["B_C.d"] = "var int c;\r\n";
    TProgressRecord progress;
    ASSERT_TRUE(
        RunScriptImport(project, {"B_A.d", "B_C.d"}, {}, files, prompter, &progress).Completed);
    EXPECT_EQ(
        progress.Labels,
        (std::vector<std::string>{
            "Daten einlesen...", "Daten einlesen... (0/2)", "Daten einlesen... (1/2)",
            "Daten verarbeiten...", "Daten verarbeiten... (0/2)", "Daten verarbeiten... (1/2)",
            "Knotenhierarchie kl\xE4ren...", "Knoten anlegen...", "Knoten anlegen... (0/2)",
            "Knoten anlegen... (1/2)", "Referenzen umwandeln...", "Referenzen umwandeln... (0/2)",
            "Referenzen umwandeln... (1/2)", "Daten in Knoten kopieren...",
            "Daten in Knoten kopieren... (0/2)", "Daten in Knoten kopieren... (1/2)"}));
    EXPECT_EQ(progress.Bars, (std::vector<int>{0, 0, 100, 200, 200, 425, 650, 680, 680, 800, 920,
                                               920, 940, 960, 960, 980}));
}

} // namespace
} // namespace redewerk
