// Blocks that keep the names of the scripts they came from: the export writes those names, and
// everything that refers to the blocks follows them.
#include "codegen/compiler.h"
#include "codegen/instance_names.h"

#include "model/project.h"

#include "listing.h"
#include "support/project_builder.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

using testing::AddBlock;

class KeptNames : public ::testing::Test {
protected:
    KeptNames()
        : hallo(AddBlock(project, "Wirt\\Hallo", ekDialog)),
          ja(AddBlock(project, "Wirt\\Hallo\\Ja", ekChoice)),
          handel(AddBlock(project, "Koch\\Handel", ekDialog)),
          helfer(AddBlock(project, "Werkzeug\\Helfer", ekCode)) {
        project.Npcs.Add("Wirt", "VLK_1_Wirt");
        hallo.Npc = "Wirt";
        ja.Description = "Ja bitte";
        hallo.Body = {"#:DIA_Wirt_Hallo,,DIA_Wirt_Hallo_Rede#", "++" + Ref(ja)};
        ja.Body = {"#:DIA_Wirt_Hallo_Ja#", ">>Ja."};
    }

    TLines Compile(const TElement& element) {
        project.ComputeKnownTargets();
        TDialogCompiler compiler(project, prompter);
        return compiler.Compile(element.Id, declarations);
    }
    static std::string Ref(const TElement& element, bool known = false) {
        return (known ? "#!" : "#") + std::to_string(element.Id) + "#";
    }

    TProject project;
    testing::TRecordingPrompter prompter;
    TLines declarations;
    TElement &hallo, &ja, &handel, &helfer;
};

TEST_F(KeptNames, NameTheDialogItsFunctionsAndItsSpokenLines) {
    hallo.Body = {"#:DIA_Wirt_Hallo,,DIA_Wirt_Hallo_Rede#", "#:DIA_Wirt_Hallo_15_00#>>Hallo.",
                  "\t#:DIA_Wirt_Hallo_15_00# >>Hallo.", // one recording, said twice
                  "<<Neu.",                             // _02 is kept elsewhere, in any case
                  "++" + Ref(ja)};
    handel.Body = {"#:dia_wirt_hallo_02#<<Belegt."};
    EXPECT_EQ(Compile(hallo), testing::Listing("kept_hallo.d"));
    EXPECT_EQ(Compile(ja),
              (TLines{"FUNC void DIA_Wirt_Hallo_Ja()", "{",
                      "\t\tAI_Output (other, self, \"DIA_Wirt_Hallo_Ja_00\"); //Ja.", "};", "\t"}));
    EXPECT_TRUE(prompter.Messages.empty());
}

// References give the kept names, a dialog function with a name of its own is called by it,
// and the known variable of a permanent dialog is named after the kept name.
TEST_F(KeptNames, ReferencesFollowThem) {
    hallo.Permanent = true;
    helfer.Body = {
        "func void B_Helfer () {", "\t" + Ref(hallo) + "_info (); " + Ref(hallo) + "_Condition ();",
        "\tx = " + Ref(hallo, true) + " + " + Ref(ja, true) + " + " + Ref(hallo) + "_information;",
        "\tInfo_AddChoice (" + Ref(hallo) + ", \"Nochmal\", " + Ref(hallo) + "_Info);", "};"};
    helfer.KnownRefs = {hallo.Id, ja.Id};
    handel.Body = {"++" + Ref(hallo) + ", " + Ref(hallo)};
    EXPECT_EQ(
        Compile(helfer),
        (TLines{"func void B_Helfer () {", "\tDIA_Wirt_Hallo_Rede (); DIA_Wirt_Hallo_Condition ();",
                "\tx = Bekannt_DIA_Wirt_Hallo + Bekannt_DIA_Wirt_Hallo_Ja + "
                "DIA_Wirt_Hallo_information;",
                "\tInfo_AddChoice (DIA_Wirt_Hallo, \"Nochmal\", DIA_Wirt_Hallo_Rede);", "};", ""}));
    EXPECT_EQ(Compile(handel)[16], "\tInfo_AddChoice (DIA_Wirt_Hallo, \"\", DIA_Wirt_Hallo_Rede);");
    EXPECT_EQ(Compile(hallo)[17], "\tBekannt_DIA_Wirt_Hallo = TRUE;");
    EXPECT_EQ(declarations.back(), "var int Bekannt_DIA_Wirt_Hallo;");
}

// A dialog whose functions stand elsewhere only names them. Its information runs no code of
// the export, so asking whether it was told asks the game.
TEST_F(KeptNames, FunctionsElsewhereAreOnlyNamed) {
    handel.Permanent = true;
    handel.Condition = {"#:B_KochBereit()#"};
    handel.Body = {"#:DIA_Koch_Handel#", "// wie beim Wirt", "#:DIA_Wirt_Hallo_Rede()#"};
    hallo.Body = {"x = " + Ref(handel, true) + ";"};
    EXPECT_EQ(Compile(handel),
              (TLines{"instance DIA_Koch_Handel (C_INFO)", "{", "\tnpc\t\t\t= ;", "\tnr\t\t\t= 10;",
                      "\tcondition\t= B_KochBereit;", "\tinformation\t= DIA_Wirt_Hallo_Rede;",
                      "\tpermanent\t= TRUE;", "\tdescription\t= \"\";", "};", "", "\t"}));
    EXPECT_EQ(Compile(hallo)[16], "\tx = Npc_KnowsInfo (hero, DIA_Koch_Handel);");
    EXPECT_TRUE(declarations.empty());
}

// The names stay with the block wherever it goes; without its name line it is named after its
// path again. A marker out of place goes out as it stands, where the export's check finds it.
TEST_F(KeptNames, StayThroughRenamingAndMovingUntilDropped) {
    project.Tree.SetText(hallo.Node, "Gruss");
    project.Tree.MoveNode(ja.Node, nullptr, -1);
    EXPECT_EQ(InstanceName(project, hallo.Id), "DIA_Wirt_Hallo");
    EXPECT_EQ(InstanceName(project, ja.Id), "DIA_Wirt_Hallo_Ja");
    hallo.Body.erase(hallo.Body.begin());
    EXPECT_EQ(InstanceName(project, hallo.Id), "DIA_WIRT_GRUSS");
    TInstanceNameIndex index(project);
    EXPECT_EQ(index.Find("DIA_WIRT_HALLO_JA"), ja.Id); // as the lexer reads names
    EXPECT_EQ(index.NameOf(ja.Id), "DIA_Wirt_Hallo_Ja");

    helfer.Body = {"#:B_Helfer#", "func void B_Helfer () { };"};
    EXPECT_EQ(Compile(helfer), (TLines{"#:B_Helfer#", "func void B_Helfer () { };", ""}));
}

} // namespace
} // namespace redewerk
