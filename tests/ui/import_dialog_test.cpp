#include "ui/import_dialog.h"
#include "ui/import_progress_window.h"

#include "model/project.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace redewerk {
namespace {

struct TImportDialogTest : ::testing::Test {
    testing::TRecordingPrompter Prompter;
    TFImport Dialog{Prompter};
};

TEST_F(TImportDialogTest, ShowsItsCaptions) {
    EXPECT_EQ(Dialog.windowTitle(), "Daedalus Scripte importieren");
    EXPECT_EQ(Dialog.FolderForEach()->text(), "Unterordner für jede Datei anlegen");
    EXPECT_TRUE(Dialog.FolderForEachChecked());
    EXPECT_EQ(Dialog.StartButton()->text(), "OK");
    EXPECT_NE(Dialog.findChild<QPushButton*>("BtAdd"), nullptr);
}

TEST_F(TImportDialogTest, AddsEachPathOnceWithoutRegardToCase) {
    Dialog.AddPaths({"/mod/DIA_Guard.d", "/mod/DIA_Wirt.d"});
    Dialog.AddPaths({"/MOD/dia_guard.d", "/mod/B_Tools.d", "/mod/DIA_Wirt.d"});
    EXPECT_EQ(Dialog.Paths(),
              (QStringList{"/mod/DIA_Guard.d", "/mod/DIA_Wirt.d", "/mod/B_Tools.d"}));
    EXPECT_EQ(Prompter.Messages, (std::vector<std::string>{
                                     "Die Datei \"/MOD/dia_guard.d\" ist bereits in der Liste!",
                                     "Die Datei \"/mod/DIA_Wirt.d\" ist bereits in der Liste!"}));
}

TEST_F(TImportDialogTest, MovesAndDeletesTheSelectedEntry) {
    Dialog.AddPaths({"a.d", "b.d", "c.d"});
    Dialog.MoveUp(); // no selection: nothing happens
    EXPECT_EQ(Dialog.Paths(), (QStringList{"a.d", "b.d", "c.d"}));
    Dialog.FileList()->setCurrentRow(2);
    Dialog.findChild<QPushButton*>("BtnUp")->click();
    EXPECT_EQ(Dialog.Paths(), (QStringList{"a.d", "c.d", "b.d"}));
    EXPECT_EQ(Dialog.FileList()->currentRow(), 1);
    Dialog.MoveUp();
    Dialog.MoveUp(); // at the top: nothing happens
    EXPECT_EQ(Dialog.Paths(), (QStringList{"c.d", "a.d", "b.d"}));
    EXPECT_EQ(Dialog.FileList()->currentRow(), 0);
    Dialog.FileList()->setCurrentRow(2);
    Dialog.findChild<QPushButton*>("BtnDown")->click(); // at the bottom: nothing happens
    EXPECT_EQ(Dialog.Paths(), (QStringList{"c.d", "a.d", "b.d"}));
    Dialog.FileList()->setCurrentRow(0);
    Dialog.MoveDown();
    EXPECT_EQ(Dialog.Paths(), (QStringList{"a.d", "c.d", "b.d"}));
    EXPECT_EQ(Dialog.FileList()->currentRow(), 1);
    QTest::keyClick(Dialog.FileList(), Qt::Key_Delete);
    EXPECT_EQ(Dialog.Paths(), (QStringList{"a.d", "b.d"}));
}

TEST(ImportProgressWindow, ShowsStageAndStep) {
    TFImportProgress window;
    EXPECT_EQ(window.windowTitle(), "Importieren...");
    EXPECT_EQ(window.Label()->text(), "Progress...");
    EXPECT_EQ(window.Bar()->maximum(), 1000);
    window.ShowProgress("Knoten anlegen...", 3, 12, 740);
    EXPECT_EQ(window.Label()->text(), "Knoten anlegen... (3/12)");
    EXPECT_EQ(window.Bar()->value(), 740);
    window.ShowProgress("Knotenhierarchie kl\xE4ren...", 0, -1, 650);
    EXPECT_EQ(window.Label()->text(), "Knotenhierarchie klären...");
}

// The main window's "Importieren" button: the list stays from one import to the next, and a
// failed import shows its message and changes nothing.
struct TImportCommandTest : testing::TWindowFixture {
    void ClickImportAndConfirm(const QStringList& add) {
        auto* dialog = Window.findChild<TFImport*>();
        ASSERT_NE(dialog, nullptr);
        QTimer::singleShot(0, dialog, [dialog, add] {
            dialog->AddPaths(add);
            dialog->StartButton()->click();
        });
        Window.findChild<QPushButton*>("Importieren")->click();
    }
};

TEST_F(TImportCommandTest, ImportsTheListedScripts) {
    Files.Files["DIA_Wache.d"] =
        "instance DIA_Wache_Hallo (C_INFO) { npc = VLK_1_Wache; condition = DIA_Wache_Hallo_C;"
        " information = DIA_Wache_Hallo_I; };\r\n"
        "func int DIA_Wache_Hallo_C () { return TRUE; };\r\n"
        "func void DIA_Wache_Hallo_I () { AI_Output (self, other, \"X\"); //Halt!\r\n};\r\n";
    ClickImportAndConfirm({"DIA_Wache.d"});
    ASSERT_TRUE(Prompter.Messages.empty()) << Prompter.Messages.front();
    TNode* hallo = Project.Tree.FindByPath("IMPORT\\Wache\\Hallo");
    ASSERT_NE(hallo, nullptr);
    EXPECT_EQ(hallo->Element()->Body, (TLines{"<<Halt!"}));
    EXPECT_FALSE(Window.findChild<TFImportProgress*>()->isVisible());

    Files.Files["DIA_Wache.d"] = "instance DIA_Wache_Kaputt (C_INFO) { };\r\n";
    ClickImportAndConfirm({});
    EXPECT_EQ(Window.findChild<TFImport*>()->Paths(), QStringList{"DIA_Wache.d"});
    EXPECT_EQ(Prompter.Messages,
              (std::vector<std::string>{"Fehler bei DIA_Wache_Kaputt\r\n"
                                        "Dem Dialog fehlt die Condition und/oder Information!"}));
    EXPECT_EQ(Project.Tree.FindByPath("IMPORT1"), nullptr);
}

} // namespace
} // namespace redewerk
