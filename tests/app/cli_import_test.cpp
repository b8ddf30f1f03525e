#include "app/cli/cli.h"
#include "model/project.h"
#include "model/project_file.h"

#include "support/cli_runner.h"
#include "support/memory_file_system.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::ProjectOutline;
using testing::RunCliCommand;
using testing::TCliRun;
using TPaths = std::vector<std::string>;

const std::string kGuard =
    "instance DIA_Guard_Hallo (C_INFO)\r\n{\r\n\tnpc = VLK_4100_Guard;\r\n"
    "\tcondition = DIA_Guard_Hallo_Condition;\r\n\tinformation = DIA_Guard_Hallo_Info;\r\n"
    "\tdescription = \"Hallo\";\r\n};\r\n"
    "func int DIA_Guard_Hallo_Condition () { return TRUE; };\r\n"
    "func void DIA_Guard_Hallo_Info ()\r\n{\r\n\tAI_Output (other, self, \"X\"); //Hallo\r\n};\r\n";

const std::string kStages =
    "Daten einlesen...\nDaten verarbeiten...\nKnotenhierarchie klären...\nKnoten anlegen...\n"
    "Referenzen umwandeln...\nDaten in Knoten kopieren...\n";

// The scripts in the order given, the stages on stderr; with --keep-names the dialog and its
// spoken line keep the names of the script.
TEST(CliImport, ImportsScriptsInOrderAndReportsTheStages) {
    testing::TMemoryFileSystem files;
    files.Files["DIA_Guard.d"] = kGuard;
    files.Files["B_Tools.d"] = "func void B_Tool () { x = 1; };\r\nvar int Tools;\r\n";
    EXPECT_EQ(
        RunCliCommand({"import", "out.dlx", "B_Tools.d", "DIA_Guard.d", "--keep-names"}, files),
        (TCliRun{kExitOk, "2 Bausteine importiert.\n", kStages}));
    EXPECT_EQ(ProjectOutline(files.Files["out.dlx"]),
              (TPaths{"IMPORT", "IMPORT\\Tools", "IMPORT\\Tools\\B_Tool", "IMPORT\\Guard",
                      "IMPORT\\Guard\\Hallo"}));
    TProject project;
    TProjectFileError error;
    ASSERT_TRUE(ParseProject(files.Files["out.dlx"], project, error));
    EXPECT_EQ(project.Tree.FindByPath("IMPORT\\Guard\\Hallo")->Element()->Body,
              (TLines{"#:DIA_Guard_Hallo#", "#:X#>>Hallo"}));
}

// The blocks count only what the import added; the base file itself is left as it was.
TEST(CliImport, IntoABaseWithoutFolderPerFile) {
    testing::TMemoryFileSystem files;
    files.Files["DIA_Guard.d"] = kGuard;
    TProject base;
    base.CreateElement(base.Tree.AppendChild(base.Tree.AppendChild(nullptr, "IMPORT"), "Alt"),
                       ekCode);
    base.Variables = {"var int Old;"};
    const std::string saved = files.Files["base.dlx"] = SerializeProject(base);
    EXPECT_EQ(RunCliCommand({"import", "out.dlx", "DIA_Guard.d", "--into", "base.dlx",
                             "--no-folder-per-file"},
                            files)
                  .Out,
              "1 Baustein importiert.\n");
    EXPECT_EQ(ProjectOutline(files.Files["out.dlx"]),
              (TPaths{"IMPORT", "IMPORT\\Alt", "IMPORT1", "IMPORT1\\Hallo"}));
    EXPECT_EQ(files.Files["base.dlx"], saved);
}

// Without --strict a script that cannot be imported is named on stderr and left out, the
// project gets the others and the exit code says that something was skipped. With --strict
// the first fault stops the import and nothing is written.
TEST(CliImport, LeavesOutScriptsWithFaultsUnlessStrict) {
    testing::TMemoryFileSystem files;
    files.Files["DIA_Guard.d"] = kGuard;
    files.Files["DIA_Bad.d"] = "func void B_Bad () {\r\n\tx = ;\r\n};\r\n";
    const TPaths scripts = {"import", "out.dlx", "DIA_Bad.d", "DIA_Guard.d", "fehlt.d"};
    EXPECT_EQ(RunCliCommand(scripts, files),
              (TCliRun{kExitFailure, "1 Baustein importiert.\n",
                       kStages +

                           "DIA_Bad.d:2:6: Identifier oder Literal erwartet.\n"
                           "fehlt.d: Datei nicht lesbar (Datei nicht gefunden)\n"}));
    EXPECT_EQ(ProjectOutline(files.Files["out.dlx"]),
              (TPaths{"IMPORT", "IMPORT\\Guard", "IMPORT\\Guard\\Hallo"}));

    files.Files.erase("out.dlx");
    TPaths strict = scripts;
    strict.push_back("--strict");
    EXPECT_EQ(RunCliCommand(strict, files),
              (TCliRun{kExitFailure, "",
                       "Daten einlesen...\nSyntax Error in Datei: DIA_Bad.d\n"
                       "Identifier oder Literal erwartet.\nImport abgebrochen.\n"}));
    EXPECT_FALSE(files.Files.contains("out.dlx"));
}

// Without a base the blocks of a .dia file go into an empty project; with one they go after
// it, under the node --folder names, or in its place with --replace. The base file is left as
// it was; the importer's warnings go to stderr and do not stop the import.
TEST(CliImportDia, ModesOfTheBaseProject) {
    testing::TMemoryFileSystem files;
    files.Files["wirt.dia"] =
        "PERSON: VLK_1_Wirt\r\nINFO: Hallo\r\nNUM: zehn\r\n>Ein Bier!\r\nOPT: Ja\r\n";
    TProject base;
    base.Tree.AppendChild(base.Tree.AppendChild(nullptr, "Mod"), "Alt");
    const std::string saved = files.Files["base.dlx"] = SerializeProject(base);

    const TPaths wirt = {"Wirt", "Wirt\\Hallo", "Wirt\\Hallo\\Ja"};
    const std::pair<TPaths, TPaths> cases[] = {
        {{}, wirt},
        {{"--into", "base.dlx"}, {"Mod", "Mod\\Alt", "Wirt", "Wirt\\Hallo", "Wirt\\Hallo\\Ja"}},
        {{"--into", "base.dlx", "--folder", "mod"},
         {"Mod", "Mod\\Alt", "Mod\\Wirt", "Mod\\Wirt\\Hallo", "Mod\\Wirt\\Hallo\\Ja"}},
        {{"--replace", "--into", "base.dlx"}, wirt},
    };
    for (const auto& [options, outline] : cases) {
        SCOPED_TRACE(options.size());
        TPaths args = {"import-dia", "out.dlx", "wirt.dia"};
        args.insert(args.end(), options.begin(), options.end());
        ASSERT_EQ(RunCliCommand(args, files),
                  (TCliRun{kExitOk, "2 Bausteine importiert.\n",
                           "Importer: Ungülitige \"NUM:\" Angabe? Suche nach eventuellen Fehler "
                           "mit dem QDC!\n"}));
        EXPECT_EQ(ProjectOutline(files.Files["out.dlx"]), outline);
        EXPECT_EQ(files.Files["base.dlx"], saved);
    }
}

} // namespace
} // namespace redewerk
