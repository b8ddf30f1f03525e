#include "model/project.h"
#include "model/project_file.h"
#include "ui/quarn_import_dialog.h"
#include "window_fixture.h"

#include <QProgressBar>
#include <QPushButton>

namespace redewerk {
namespace {

// Appending is preselected; "into the selected folder" without a selection appends too and
// the dialog shows what was done. The bar starts empty each time the dialog is shown.
TEST(ImportQuarnDialog, ImportsClosesAndResetsTheBarWhenShownAgain) {
    TProject project;
    testing::TMemoryFileSystem files;
    testing::TRecordingPrompter prompter;
    TFImportQuarn dialog(project, files, prompter);
    EXPECT_EQ(dialog.Option(), 1);
    files.Files["wirt.dia"] = "PERSON: VLK_1_Wirt\nINFO: Hallo\n";
    dialog.SetOption(2);
    dialog.show();
    dialog.PathField()->setText("wirt.dia");
    dialog.ExecuteButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Option(), 1);
    EXPECT_EQ(dialog.Bar()->value(), 1000);
    ASSERT_NE(project.Tree.FindByPath("Wirt\\Hallo"), nullptr);
    EXPECT_EQ(dialog.LastResult().Blocks.size(), 1u);
    dialog.show();
    EXPECT_EQ(dialog.Bar()->value(), 0);
}

// The main window's "QDC-Import" button: into the selected folder, which opens.
using TQdcImportCommandTest = testing::TWindowFixture;

TEST_F(TQdcImportCommandTest, ImportsIntoTheSelectedFolderAndExpandsIt) {
    Files.Files["koch.dia"] = "PERSON: VLK_2_Koch\nINFO: Suppe\nOPT: Ja\n";
    Click(Ereignisse);
    EXPECT_FALSE(ImportDia(2, "koch.dia"));
    TNode* suppe = Project.Tree.FindByPath("Ereignisse\\Koch\\Suppe");
    ASSERT_NE(suppe, nullptr);
    EXPECT_EQ(suppe->ChildCount(), 1);
    EXPECT_TRUE(Window.TreeView()->isExpanded(Window.TreeModel()->IndexOf(suppe)));
    EXPECT_TRUE(Prompter.Messages.empty());
}

// Escape and "Abbrechen" close the dialog, a missing file keeps it open with a message; each
// leaves the project as it was, without a question.
TEST_F(TQdcImportCommandTest, CancelledOrMissingLeavesTheProjectAsItWas) {
    Files.Files["koch.dia"] = "PERSON: VLK_2_Koch\nINFO: Suppe\n";
    const std::string before = SerializeProject(Project);
    auto* dialog = Window.findChild<TFImportQuarn*>();
    enum TWay { Escape, Cancel, Missing };
    for (const TWay way : {Escape, Cancel, Missing}) {
        WhenShown(dialog, [dialog, way] {
            dialog->SetOption(0);
            dialog->PathField()->setText(way == Missing ? "fehlt.dia" : "koch.dia");
            if (way == Escape) QTest::keyClick(dialog->PathField(), Qt::Key_Escape);
            if (way == Cancel) dialog->findChild<QPushButton*>("Cancel")->click();
            if (way == Missing) dialog->ExecuteButton()->click();
            EXPECT_EQ(dialog->isVisible(), way == Missing);
        });
        Find<QPushButton>("QDC-Import")->click();
        EXPECT_EQ(SerializeProject(Project), before) << way;
    }
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{"Die angegebene Datei existiert nicht!"});
    EXPECT_TRUE(Prompter.Questions.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(Window.windowTitle(), QString::fromUtf8("Unbenannt – Redewerk"));
}

} // namespace
} // namespace redewerk
