#include "app/cli/cli.h"
#include "model/project.h"
#include "model/project_file.h"

#include "support/memory_file_system.h"

#include <gtest/gtest.h>

#include <sstream>

namespace redewerk {
namespace {

using testing::TMemoryFileSystem;

const std::string kDia = "PERSON: VLK_1_Wirt\r\nINFO: Hallo\r\n>Ein Bier!\r\nOPT: Ja\r\n";

class CliImportDia : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        int exit = RunCli(args, out, err, Files);
        Out = out.str();
        Err = err.str();
        return exit;
    }
    // The outline of a project file the command wrote.
    std::vector<std::string> Outline(const std::string& path) {
        TProject project;
        TProjectFileError error;
        EXPECT_TRUE(ParseProject(Files.Files.at(path), project, error)) << error.Message;
        std::vector<std::string> lines;
        project.Tree.ForEachPreOrder([&](TNode* node) { lines.push_back(node->Path()); });
        return lines;
    }
    void WriteBase() {
        TProject base;
        base.Tree.AppendChild(base.Tree.AppendChild(nullptr, "Mod"), "Alt");
        Files.Files["base.dlx"] = SerializeProject(base);
    }

    TMemoryFileSystem Files;
    std::string Out, Err;
};

TEST_F(CliImportDia, ImportsIntoAnEmptyProject) {
    Files.Files["wirt.dia"] = kDia;
    ASSERT_EQ(Run({"import-dia", "out.dlx", "wirt.dia"}), kExitOk) << Err;
    EXPECT_EQ(Out, "2 Bausteine importiert.\n");
    EXPECT_EQ(Err, "");
    EXPECT_EQ(Outline("out.dlx"),
              (std::vector<std::string>{"Wirt", "Wirt\\Hallo", "Wirt\\Hallo\\Ja"}));
}

TEST_F(CliImportDia, ModesOfTheBaseProject) {
    Files.Files["wirt.dia"] = kDia;
    WriteBase();
    ASSERT_EQ(Run({"import-dia", "a.dlx", "wirt.dia", "--into", "base.dlx"}), kExitOk) << Err;
    EXPECT_EQ(Outline("a.dlx"), (std::vector<std::string>{"Mod", "Mod\\Alt", "Wirt", "Wirt\\Hallo",
                                                          "Wirt\\Hallo\\Ja"}));
    ASSERT_EQ(Run({"import-dia", "b.dlx", "wirt.dia", "--into", "base.dlx", "--folder", "mod"}),
              kExitOk)
        << Err;
    EXPECT_EQ(Outline("b.dlx"),
              (std::vector<std::string>{"Mod", "Mod\\Alt", "Mod\\Wirt", "Mod\\Wirt\\Hallo",
                                        "Mod\\Wirt\\Hallo\\Ja"}));
    ASSERT_EQ(Run({"import-dia", "c.dlx", "wirt.dia", "--replace", "--into", "base.dlx"}), kExitOk)
        << Err;
    EXPECT_EQ(Outline("c.dlx"),
              (std::vector<std::string>{"Wirt", "Wirt\\Hallo", "Wirt\\Hallo\\Ja"}));
}

TEST_F(CliImportDia, FailuresWriteNothing) {
    WriteBase();
    EXPECT_EQ(Run({"import-dia", "out.dlx", "fehlt.dia", "--replace", "--into", "base.dlx"}),
              kExitFailure);
    EXPECT_EQ(Err, "Die angegebene Datei existiert nicht!\n");
    Files.Files["wirt.dia"] = kDia;
    EXPECT_EQ(Run({"import-dia", "out.dlx", "wirt.dia", "--into", "base.dlx", "--folder", "X"}),
              kExitFailure);
    EXPECT_EQ(Err, "redewerk-cli: Kein Knoten mit dem Pfad X\n");
    EXPECT_EQ(Run({"import-dia", "out.dlx", "wirt.dia", "--into", "fehlt.dlx"}), kExitFailure);
    EXPECT_EQ(Files.Files.count("out.dlx"), 0u);
}

TEST_F(CliImportDia, ImporterMessagesGoToStderrInUtf8) {
    Files.Files["wirt.dia"] = "PERSON: VLK_1_Wirt\nINFO: Hallo\nNUM: zehn\n";
    ASSERT_EQ(Run({"import-dia", "out.dlx", "wirt.dia"}), kExitOk);
    EXPECT_EQ(Err, "Importer: Ungülitige \"NUM:\" Angabe? Suche nach eventuellen Fehler mit dem "
                   "QDC!\n");
}

TEST_F(CliImportDia, UsageErrors) {
    const std::vector<std::vector<std::string>> calls = {
        {"import-dia"},
        {"import-dia", "out.dlx"},
        {"import-dia", "out.dlx", "a.dia", "b.dia"},
        {"import-dia", "out.dlx", "a.dia", "--replace", "--folder", "Mod"},
        {"import-dia", "out.dlx", "a.dia", "--into"},
        {"import-dia", "out.dlx", "a.dia", "--alles"},
    };
    for (const auto& call : calls) {
        EXPECT_EQ(Run(call), kExitUsage) << call.size();
        EXPECT_NE(Err.find("Aufruf: redewerk-cli"), std::string::npos);
    }
    EXPECT_TRUE(Files.Files.empty());
}

} // namespace
} // namespace redewerk
