#include "app/cli/cli.h"
#include "model/project.h"
#include "model/project_file.h"

#include "support/memory_file_system.h"

#include <gtest/gtest.h>

#include <sstream>

namespace redewerk {
namespace {

const std::string kGuard =
    "instance DIA_Guard_Hallo (C_INFO)\r\n{\r\n\tnpc = VLK_4100_Guard;\r\n"
    "\tcondition = DIA_Guard_Hallo_Condition;\r\n\tinformation = DIA_Guard_Hallo_Info;\r\n"
    "\tdescription = \"Hallo\";\r\n};\r\n"
    "func int DIA_Guard_Hallo_Condition () { return TRUE; };\r\n"
    "func void DIA_Guard_Hallo_Info ()\r\n{\r\n\tAI_Output (other, self, \"X\"); //Hallo\r\n};\r\n";

class CliImport : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        int exit = RunCli(args, out, err, Files);
        Out = out.str();
        Err = err.str();
        return exit;
    }
    std::vector<std::string> Outline(const std::string& path) {
        TProject project;
        TProjectFileError error;
        EXPECT_TRUE(ParseProject(Files.Files.at(path), project, error)) << error.Message;
        std::vector<std::string> lines;
        project.Tree.ForEachPreOrder([&](TNode* node) { lines.push_back(node->Path()); });
        return lines;
    }

    testing::TMemoryFileSystem Files;
    std::string Out, Err;
};

TEST_F(CliImport, ImportsScriptsInOrderAndReportsTheStages) {
    Files.Files["DIA_Guard.d"] = kGuard;
    Files.Files["B_Tools.d"] = "func void B_Tool () { x = 1; };\r\nvar int Tools;\r\n";
    ASSERT_EQ(Run({"import", "out.dlx", "B_Tools.d", "DIA_Guard.d"}), kExitOk) << Err;
    EXPECT_EQ(Out, "2 Bausteine importiert.\n");
    EXPECT_EQ(Err, "Daten einlesen...\nDaten verarbeiten...\nKnotenhierarchie klären...\n"
                   "Knoten anlegen...\nReferenzen umwandeln...\nDaten in Knoten kopieren...\n");
    EXPECT_EQ(Outline("out.dlx"),
              (std::vector<std::string>{"IMPORT", "IMPORT\\Tools", "IMPORT\\Tools\\B_Tool",
                                        "IMPORT\\Guard", "IMPORT\\Guard\\Hallo"}));
}

TEST_F(CliImport, IntoABaseWithoutFolderPerFile) {
    Files.Files["DIA_Guard.d"] = kGuard;
    TProject base;
    base.Tree.AppendChild(nullptr, "IMPORT");
    base.Variables = {"var int Old;"};
    Files.Files["base.dlx"] = SerializeProject(base);
    ASSERT_EQ(
        Run({"import", "out.dlx", "DIA_Guard.d", "--into", "base.dlx", "--no-folder-per-file"}),
        kExitOk)
        << Err;
    EXPECT_EQ(Outline("out.dlx"),
              (std::vector<std::string>{"IMPORT", "IMPORT1", "IMPORT1\\Hallo"}));
    EXPECT_EQ(Files.Files["base.dlx"], SerializeProject(base));
}

TEST_F(CliImport, AFailedImportWritesNothing) {
    Files.Files["DIA_Bad.d"] = "instance DIA_Bad (C_INFO) { npc = X; };\r\n";
    EXPECT_EQ(Run({"import", "out.dlx", "DIA_Bad.d"}), kExitFailure);
    EXPECT_EQ(Files.Files.count("out.dlx"), 0u);
    EXPECT_NE(
        Err.find("Fehler bei DIA_Bad\r\nDem Dialog fehlt die Condition und/oder Information!\n"),
        std::string::npos)
        << Err;
    EXPECT_EQ(Out, "");

    EXPECT_EQ(Run({"import", "out.dlx", "fehlt.d"}), kExitFailure);
    EXPECT_NE(Err.find("Interner unbehandelter Fehler:"), std::string::npos) << Err;
    EXPECT_EQ(Files.Files.count("out.dlx"), 0u);
}

TEST_F(CliImport, UsageErrors) {
    EXPECT_EQ(Run({"import", "out.dlx"}), kExitUsage);
    EXPECT_NE(Err.find("import braucht eine Ausgabedatei und mindestens ein Skript."),
              std::string::npos);
    EXPECT_EQ(Run({"import", "out.dlx", "a.d", "--into"}), kExitUsage);
    EXPECT_EQ(Run({"import", "out.dlx", "a.d", "--folders"}), kExitUsage);
    EXPECT_NE(Err.find("Unbekannte Option: --folders"), std::string::npos);
}

} // namespace
} // namespace redewerk
