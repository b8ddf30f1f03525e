#include "model/project.h"
#include "ui/quarn_import_dialog.h"
#include "window_fixture.h"

#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace redewerk {
namespace {

struct TImportQuarnFixture : ::testing::Test {
    TProject Project;
    testing::TMemoryFileSystem Files;
    testing::TRecordingPrompter Prompter;
    TFImportQuarn Dialog{Project, Files, Prompter};
};

TEST_F(TImportQuarnFixture, ShowsItsCaptionsWithAppendPreselected) {
    EXPECT_EQ(Dialog.windowTitle(), "Quarn Dialog Datei (*.dia) importieren");
    EXPECT_EQ(Dialog.findChild<QLabel*>()->text(), "Datei");
    EXPECT_EQ(Dialog.findChild<QPushButton*>("ChoseFolder")->text(), "...");
    EXPECT_EQ(Dialog.findChild<QGroupBox*>("Options")->title(), "Den Inhalt . . .");
    EXPECT_EQ(Dialog.OptionButton(0)->text(), ". . . laden und aktuelle Szene verwerfen");
    EXPECT_EQ(Dialog.OptionButton(1)->text(), ". . . ans Ende der aktuellen Szene anfügen");
    EXPECT_EQ(Dialog.OptionButton(2)->text(), ". . . in markierten Ordner einfügen");
    EXPECT_EQ(Dialog.Option(), 1);
    EXPECT_EQ(Dialog.ExecuteButton()->text(), "OK");
}

TEST_F(TImportQuarnFixture, MissingFileKeepsTheDialogOpen) {
    Dialog.show();
    Dialog.PathField()->setText("fehlt.dia");
    Dialog.ExecuteButton()->click();
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{"Die angegebene Datei existiert nicht!"});
    EXPECT_TRUE(Dialog.isVisible());
    EXPECT_TRUE(Project.Tree.IsEmpty());
}

TEST_F(TImportQuarnFixture, ImportsClosesAndResetsTheBarWhenShownAgain) {
    Files.Files["wirt.dia"] = "PERSON: VLK_1_Wirt\nINFO: Hallo\n";
    Dialog.SetOption(2); // nothing selected: falls back to appending
    Dialog.show();
    Dialog.PathField()->setText("wirt.dia");
    Dialog.ExecuteButton()->click();
    EXPECT_FALSE(Dialog.isVisible());
    EXPECT_EQ(Dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Dialog.Option(), 1);
    EXPECT_EQ(Dialog.Bar()->value(), 1000);
    ASSERT_NE(Project.Tree.FindByPath("Wirt\\Hallo"), nullptr);
    EXPECT_EQ(Dialog.LastResult().Blocks.size(), 1u);
    Dialog.show();
    EXPECT_EQ(Dialog.Bar()->value(), 0);
}

} // namespace
} // namespace redewerk

namespace redewerk {
namespace {

// The main window's "QDC-Import" button.
struct TQdcImportCommandTest : testing::TWindowFixture {
    void ImportWith(int option, const char* path) {
        auto* dialog = Window.findChild<TFImportQuarn*>();
        ASSERT_NE(dialog, nullptr);
        QTimer::singleShot(0, dialog, [dialog, option, path] {
            QTRY_VERIFY(dialog->isVisible());
            dialog->SetOption(option);
            dialog->PathField()->setText(QString::fromLatin1(path));
            dialog->ExecuteButton()->click();
            if (dialog->isVisible()) dialog->reject();
        });
        Window.findChild<QPushButton*>("QDC-Import")->click();
    }
};

TEST_F(TQdcImportCommandTest, ImportsIntoTheSelectedFolderAndExpandsIt) {
    Files.Files["koch.dia"] = "PERSON: VLK_2_Koch\nINFO: Suppe\nOPT: Ja\n";
    Click(Ereignisse);
    ImportWith(2, "koch.dia");
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{});
    TNode* suppe = Project.Tree.FindByPath("Ereignisse\\Koch\\Suppe");
    ASSERT_NE(suppe, nullptr);
    EXPECT_EQ(suppe->ChildCount(), 1);
    EXPECT_TRUE(Window.TreeView()->isExpanded(Window.TreeModel()->IndexOf(suppe)));
}

TEST_F(TQdcImportCommandTest, ReplacingTheProjectClearsTheEditor) {
    Files.Files["koch.dia"] = "PERSON: VLK_2_Koch\nINFO: Suppe\n";
    Click(Hallo);
    ASSERT_EQ(Field("Heading")->text(), QString::fromUtf8("Gruß"));
    ImportWith(0, "koch.dia");
    EXPECT_EQ(Project.Tree.FindByPath("Wirt"), nullptr);
    EXPECT_NE(Project.Tree.FindByPath("Koch\\Suppe"), nullptr);
    EXPECT_EQ(Field("Heading")->text(), "");
}

TEST_F(TQdcImportCommandTest, MissingFileLeavesTheProjectAlone) {
    ImportWith(0, "fehlt.dia");
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{"Die angegebene Datei existiert nicht!"});
    EXPECT_NE(Project.Tree.FindByPath("Wirt\\Hallo"), nullptr);
}

} // namespace
} // namespace redewerk
