#include "ui/import_dialog.h"
#include "ui/import_progress_window.h"
#include "ui/skipped_scripts_window.h"
#include "ui/variables_window.h"

#include "window_fixture.h"

#include "model/project_file.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace redewerk {
namespace {

TEST(ImportDialog, AddsEachPathOnceWithoutRegardToCase) {
    testing::TRecordingPrompter prompter;
    TFImport dialog(prompter);
    EXPECT_TRUE(dialog.FolderForEachChecked());
    dialog.AddPaths({"/mod/DIA_Guard.d", "/mod/DIA_Wirt.d"});
    dialog.AddPaths({"/MOD/dia_guard.d", "/mod/B_Tools.d", "/mod/DIA_Wirt.d"});
    EXPECT_EQ(dialog.Paths(),
              (QStringList{"/mod/DIA_Guard.d", "/mod/DIA_Wirt.d", "/mod/B_Tools.d"}));
    EXPECT_EQ(prompter.Messages, (std::vector<std::string>{
                                     "Die Datei \"/MOD/dia_guard.d\" ist bereits in der Liste!",
                                     "Die Datei \"/mod/DIA_Wirt.d\" ist bereits in der Liste!"}));
}

// Up and down exchange the selected entry with its neighbour and keep it selected; at the
// ends and without a selection nothing happens. The Delete key removes it.
TEST(ImportDialog, MovesAndDeletesTheSelectedEntry) {
    testing::TRecordingPrompter prompter;
    TFImport dialog(prompter);
    dialog.AddPaths({"a.d", "b.d", "c.d"});
    struct TCase {
        int Selected;
        const char* Button; // BtnUp, BtnDown, or the Delete key
        QStringList After;
        int SelectedAfter;
    };
    const TCase cases[] = {
        {-1, "BtnUp", {"a.d", "b.d", "c.d"}, -1}, {2, "BtnUp", {"a.d", "c.d", "b.d"}, 1},
        {1, "BtnUp", {"c.d", "a.d", "b.d"}, 0},   {0, "BtnUp", {"c.d", "a.d", "b.d"}, 0},
        {2, "BtnDown", {"c.d", "a.d", "b.d"}, 2}, {0, "BtnDown", {"a.d", "c.d", "b.d"}, 1},
        {1, "Delete", {"a.d", "b.d"}, 1},
    };
    for (const TCase& c : cases) {
        dialog.FileList()->setCurrentRow(c.Selected);
        if (c.Button == std::string("Delete"))
            QTest::keyClick(dialog.FileList(), Qt::Key_Delete);
        else
            dialog.findChild<QPushButton*>(c.Button)->click();
        EXPECT_EQ(dialog.Paths(), c.After) << c.Selected << c.Button;
        EXPECT_EQ(dialog.FileList()->currentRow(), c.SelectedAfter) << c.Selected << c.Button;
    }
}

// The main window's "Importieren" button: the list stays from one import to the next, a
// script that cannot be imported is left out and named in one summary, and the variables
// window shows what an import adds.
using TImportCommandTest = testing::TWindowFixture;

TEST_F(TImportCommandTest, ImportsTheListedScripts) {
    const std::string script =
        "var int Wache_Gesehen;\r\n"
        "instance DIA_Wache_Hallo (C_INFO) { npc = VLK_1_Wache; condition = DIA_Wache_Hallo_C;"
        " information = DIA_Wache_Hallo_I; };\r\n"
        "func int DIA_Wache_Hallo_C () { return TRUE; };\r\n"
        "func void DIA_Wache_Hallo_I () { AI_Output (self, other, \"X\"); //Halt!\r\n};\r\n";
    Files.Files["DIA_Wache.d"] = script;
    auto* dialog = Window.findChild<TFImport*>();
    auto* summary = Window.findChild<TFSkippedScripts*>();
    // The summary comes after the import, when anything was left out.
    QString heading, lines;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!summary->isVisible()) return;
        heading = summary->Heading()->text();
        lines = summary->Lines()->toPlainText();
        summary->accept();
    });
    watch.start();
    Window.VariablesWindow()->ShowAbove();
    ImportScripts({"DIA_Wache.d"});
    EXPECT_TRUE(heading.isEmpty());
    ASSERT_TRUE(Prompter.Messages.empty()) << Prompter.Messages.front();
    const QString variables = Window.VariablesWindow()->Text()->toPlainText();
    EXPECT_TRUE(variables.contains(QStringLiteral("var int Wache_Gesehen;")));
    EXPECT_EQ(variables, LinesToQt(Project.Variables));
    TNode* hallo = Project.Tree.FindByPath("IMPORT\\Wache\\Hallo");
    ASSERT_NE(hallo, nullptr);
    EXPECT_EQ(hallo->Element()->Body, (TLines{"<<Halt!"}));
    EXPECT_FALSE(Window.findChild<TFImportProgress*>()->isVisible());

    Files.Files["DIA_Wache.d"] = "\r\ninstance DIA_Wache_Kaputt (C_INFO) { };\r\n";
    Files.Files["B_Gut.d"] = "func void B_Gut () { x = 1; };\r\n";
    ImportScripts({"fehlt.d", "B_Gut.d"});
    EXPECT_EQ(dialog->Paths(), (QStringList{"DIA_Wache.d", "fehlt.d", "B_Gut.d"}));
    EXPECT_TRUE(Prompter.Messages.empty());
    EXPECT_EQ(heading, "2 von 3 Dateien übersprungen:");
    EXPECT_EQ(lines, "DIA_Wache.d:2:1: Fehler bei DIA_Wache_Kaputt Dem Dialog fehlt die "
                     "Condition und/oder Information!\n"
                     "fehlt.d: Datei nicht lesbar (Datei nicht gefunden)");
    EXPECT_NE(Project.Tree.FindByPath("IMPORT1\\Gut\\B_Gut"), nullptr);
    EXPECT_EQ(Project.Tree.FindByPath("IMPORT1\\Wache"), nullptr);

    // "Namen beibehalten": the dialog, its functions and its spoken line keep their names.
    Files.Files["DIA_Wache.d"] = script;
    dialog->FileList()->clear();
    heading.clear();
    dialog->KeepNames()->setChecked(true);
    ImportScripts({"DIA_Wache.d"});
    EXPECT_TRUE(heading.isEmpty());
    hallo = Project.Tree.FindByPath("IMPORT2\\Wache\\Hallo");
    ASSERT_NE(hallo, nullptr);
    EXPECT_EQ(hallo->Element()->Body,
              (TLines{"#:DIA_Wache_Hallo,DIA_Wache_Hallo_C,DIA_Wache_Hallo_I#", "#:X#<<Halt!"}));
}

// Escape and "Abbrechen" close the dialog without an import; the project stays as it was.
TEST_F(TImportCommandTest, CancellingImportsNothing) {
    Files.Files["DIA_Wache.d"] = "func void B_Wache () { };\r\n";
    const std::string before = SerializeProject(Project);
    auto* dialog = Window.findChild<TFImport*>();
    for (const bool escape : {true, false}) {
        WhenShown(dialog, [dialog, escape] {
            dialog->AddPaths({"DIA_Wache.d"});
            if (escape)
                QTest::keyClick(dialog->FileList(), Qt::Key_Escape);
            else
                dialog->findChild<QPushButton*>("BtnCancel")->click();
            EXPECT_FALSE(dialog->isVisible());
        });
        Find<QPushButton>("Importieren")->click();
        EXPECT_EQ(SerializeProject(Project), before) << escape;
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(Window.windowTitle(), QString::fromUtf8("Unbenannt – Redewerk"));
}

} // namespace
} // namespace redewerk
