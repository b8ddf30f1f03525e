#include "window_fixture.h"

#include "model/project_file.h"
#include "ui/quarn_import_dialog.h"
#include "ui/variables_window.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

namespace redewerk {
namespace {

using TSave = TPrompter::TSaveAnswer;

// The project file as the window handles it: the title with its change mark, quick save, the
// question before unsaved changes are lost, the projects opened last.
struct TProjectFileTest : testing::TWindowFixture {
    // The title once the pending change check ran.
    std::string Title() {
        QCoreApplication::processEvents();
        return Window.windowTitle().toStdString();
    }
    // The window's keys, pressed in the field that has its focus. The window is made active
    // again first, as closing a dialog does.
    void PressCtrl(Qt::Key key, Qt::KeyboardModifiers more = Qt::NoModifier) {
        QWidget* target = Window.focusWidget() ? Window.focusWidget() : &Window;
        QTest::keyClick(target, key, Qt::ControlModifier | more);
    }
    void Activate() {
        Window.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &Window);
    }
    // Imports a .dia file through "QDC-Import" with `option`.
    void ImportDia(int option) {
        Files.Files["koch.dia"] = "PERSON: VLK_2_Koch\nINFO: Suppe\n";
        TWindowFixture::ImportDia(option, "koch.dia");
    }
};

// Every way the project changes puts the mark into the title, the latest when the field is
// left; Ctrl+S saves without a question and takes the mark away. Looking around does not.
TEST_F(TProjectFileTest, ChangeMarkAndQuickSave) {
    EXPECT_EQ(Title(), "Unbenannt \u2013 Redewerk");
    ASSERT_TRUE(Window.SaveProjectFile(QStringLiteral("/mods/Taverne.dlx")));
    const std::string clean = "Taverne.dlx \u2013 Redewerk";
    // After `what`, the title is marked when `changed`; Ctrl+S saves, takes the mark away and
    // leaves the focus in the field being edited.
    const auto saveAfter = [&](const char* what, bool changed) {
        EXPECT_EQ(Title(), (changed ? "*" : "") + clean) << what;
        Files.Files["/mods/Taverne.dlx"].clear();
        QWidget* focused = Window.focusWidget();
        Activate();
        PressCtrl(Qt::Key_S);
        EXPECT_EQ(Title(), clean) << what;
        EXPECT_NE(Files.Files["/mods/Taverne.dlx"], "") << what;
        EXPECT_EQ(Window.focusWidget(), focused) << what;
    };
    Click(Hallo);
    Editor("condition")->setFocus();
    Editor("Body")->setFocus();
    Field("Npc")->setFocus();
    Click(Betrunken);
    QTest::keyClick(Window.TreeView(), Qt::Key_Plus, Qt::ControlModifier);
    saveAfter("looking around", false);
    Click(Hallo);
    Field("Heading")->setFocus();
    Field("Heading")->setText(QStringLiteral("Neu")); // set, not typed
    EXPECT_EQ(Title(), clean);
    Click(Tschuess);
    saveAfter("a field left", true);
    Field("Heading")->setFocus();
    QTest::keyClicks(Field("Heading"), QStringLiteral("x"));
    saveAfter("typed in a field", true);
    Editor("Body")->setFocus();
    QTest::keyClicks(Editor("Body"), QStringLiteral(">>Na?"));
    saveAfter("typed in the body", true);
    QTest::mouseClick(Find<QCheckBox>("trade"), Qt::LeftButton);
    saveAfter("a flag", true);
    Window.VariablesWindow()->ShowAbove();
    QTest::keyClicks(Window.VariablesWindow()->Text(), QStringLiteral("var int X;"));
    saveAfter("the variables window", true);
    Window.DropNode(Tschuess, Hallo, false);
    saveAfter("a tree command", true);
    ImportDia(1);
    saveAfter("an import", true);
    EXPECT_TRUE(Prompter.Questions.empty());
    EXPECT_EQ(Tschuess->Element()->Heading, "x");
    EXPECT_EQ(Files.Files.count("/mods/Taverne.dlx"), 1u);

    // Loading takes the mark away and names the loaded file.
    Files.Files["/mods/Zwei.dlx"] = SerializeProject(Project);
    QTest::keyClicks(Field("Heading"), QStringLiteral("y"));
    ASSERT_TRUE(Window.LoadProjectFile(QStringLiteral("/mods/Zwei.dlx")));
    EXPECT_EQ(Title(), "Zwei.dlx \u2013 Redewerk");
}

// With unsaved changes, loading, replacing and closing ask one question; "Speichern" goes on
// only when the project was saved.
TEST_F(TProjectFileTest, UnsavedChangesAreAskedForBeforeTheyAreLost) {
    Files.Files["/mods/t.dlx"] = SerializeProject(Project);
    ASSERT_TRUE(Window.LoadProjectFile(QStringLiteral("/mods/t.dlx")));
    const std::string question = "Die \xC4nderungen an t.dlx speichern?";
    const auto type = [this] {
        Click(Project.Tree.FindByPath("Wirt\\Hallo"));
        Field("Heading")->setFocus();
        QTest::keyClicks(Field("Heading"), QStringLiteral("!"));
    };

    // Without changes there is no question, and closing asks the farewell question only.
    Files.Files["/mods/u.dlx"] = Files.Files["/mods/t.dlx"];
    ASSERT_TRUE(Window.LoadProjectFile(QStringLiteral("/mods/u.dlx")));
    Prompter.YesNoAnswers = {false};
    EXPECT_FALSE(Window.close());
    EXPECT_EQ(Prompter.Questions, std::vector<std::string>{"Redewerk beenden?"});
    ASSERT_TRUE(Window.LoadProjectFile(QStringLiteral("/mods/t.dlx")));

    // "Abbrechen" keeps the project, typing not yet written back included.
    type();
    Prompter.Questions.clear();
    Prompter.SaveAnswers = {TSave::Cancel, TSave::Cancel, TSave::Cancel};
    EXPECT_FALSE(Window.LoadProjectFile(QStringLiteral("/mods/u.dlx")));
    ImportDia(0);
    EXPECT_FALSE(Window.close());
    EXPECT_EQ(Prompter.Questions, std::vector<std::string>(3, question));
    EXPECT_EQ(Project.Tree.FindByPath("Wirt\\Hallo")->Element()->Heading, "Gru\xDF!");
    EXPECT_EQ(Project.Tree.FindByPath("Koch"), nullptr);
    EXPECT_EQ(Files.Files.count("Schaltpult.ini"), 0u); // the program did not end

    // "Speichern" with a save that fails: nothing goes on.
    Files.WriteError = 28;
    Prompter.SaveAnswers = {TSave::Save, TSave::Save};
    EXPECT_FALSE(Window.LoadProjectFile(QStringLiteral("/mods/u.dlx")));
    EXPECT_FALSE(Window.close());
    EXPECT_EQ(Window.ProjectFile(), QStringLiteral("/mods/t.dlx"));
    EXPECT_EQ(Files.Files.count("Schaltpult.ini"), 0u);
    Files.WriteError = 0;

    // "Speichern" that works saves into the project's file, then loads.
    Prompter.SaveAnswers = {TSave::Save};
    ASSERT_TRUE(Window.LoadProjectFile(QStringLiteral("/mods/u.dlx")));
    EXPECT_NE(Files.Files["/mods/t.dlx"].find("Gru\xDF!"), std::string::npos);
    EXPECT_EQ(Window.ProjectFile(), QStringLiteral("/mods/u.dlx"));

    // "Verwerfen" replaces the project, the editor emptied, and leaves its file alone; what
    // replaced it has no file yet.
    type();
    const std::string kept = Files.Files["/mods/u.dlx"];
    Prompter.SaveAnswers = {TSave::Discard};
    ImportDia(0);
    EXPECT_EQ(Project.Tree.FindByPath("Wirt"), nullptr);
    EXPECT_NE(Project.Tree.FindByPath("Koch\\Suppe"), nullptr);
    EXPECT_EQ(Field("Heading")->text(), "");
    EXPECT_EQ(Title(), "*Unbenannt \u2013 Redewerk");
    EXPECT_EQ(Files.Files["/mods/u.dlx"], kept);

    // Closing an unnamed project: "Speichern" asks for the name; cancelling that keeps the
    // window open, a name saves and ends the program.
    QTemporaryDir folder;
    const QString chosen = folder.filePath(QStringLiteral("Koch.dlx"));
    for (const bool named : {false, true}) {
        testing::WhenOpen<QFileDialog>([&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Projekt Speichern"));
            if (!named) return dialog.reject();
            dialog.selectFile(chosen);
            static_cast<QDialog&>(dialog).accept();
        });
        Prompter.SaveAnswers = {TSave::Save};
        EXPECT_EQ(Window.close(), named);
    }
    EXPECT_EQ(Prompter.Questions.back(), "Die \xC4nderungen an Unbenannt speichern?");
    EXPECT_NE(Files.Files[PathFromQt(chosen)].find("Suppe"), std::string::npos);
    EXPECT_EQ(Files.Files.count("Schaltpult.ini"), 1u);
}

// The save dialog starts at the project's file; Ctrl+Shift+S always asks, Ctrl+O opens.
TEST_F(TProjectFileTest, DialogsStartAtTheProjectsFile) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Taverne.dlx"));
    ASSERT_TRUE(Window.SaveProjectFile(file));
    Activate();
    QString startedAt;
    testing::WhenOpen<QFileDialog>([&](QFileDialog& dialog) {
        startedAt = dialog.selectedFiles().value(0);
        dialog.selectFile(folder.filePath(QStringLiteral("Kopie.dlx")));
        static_cast<QDialog&>(dialog).accept();
    });
    Window.TreeView()->setFocus();
    PressCtrl(Qt::Key_S, Qt::ShiftModifier);
    EXPECT_EQ(startedAt, file);
    EXPECT_EQ(Window.ProjectFile(), folder.filePath(QStringLiteral("Kopie.dlx")));
    EXPECT_EQ(Files.Files.count(PathFromQt(folder.filePath(QStringLiteral("Kopie.dlx")))), 1u);

    Activate();
    QString title;
    testing::WhenOpen<QFileDialog>([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        dialog.reject();
    });
    PressCtrl(Qt::Key_O);
    EXPECT_EQ(title, QString::fromUtf8("Projektdatei öffnen"));
}

// The projects loaded or saved last, newest first, offered by the "Laden" button and kept in
// the settings file.
TEST_F(TProjectFileTest, RecentProjects) {
    for (const char* name : {"/m/a.dlx", "/m/b.dlx", "/m/c.dlx"}) {
        Files.Files[name] = SerializeProject(Project);
        ASSERT_TRUE(Window.LoadProjectFile(QString::fromLatin1(name)));
    }
    ASSERT_TRUE(Window.SaveProjectFile(QStringLiteral("/m/d.dlx")));
    ASSERT_TRUE(Window.LoadProjectFile(QStringLiteral("/m/b.dlx")));
    QMenu* menu = Find<QToolButton>("Laden")->menu();
    ASSERT_EQ(menu, Window.RecentMenu());
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << action->text();
    EXPECT_EQ(captions, (QStringList{"&1 /m/b.dlx", "&2 /m/d.dlx", "&3 /m/c.dlx", "&4 /m/a.dlx"}));

    // Choosing one loads it; one that is gone says so and leaves the list.
    menu->actions().at(2)->trigger();
    EXPECT_EQ(Window.ProjectFile(), QStringLiteral("/m/c.dlx"));
    Files.Files.erase("/m/d.dlx");
    menu->actions().at(2)->trigger();
    EXPECT_EQ(Prompter.Messages, std::vector<std::string>{"E/A-Fehler 2\nDatei: /m/d.dlx"});
    Prompter.YesNoAnswers = {true};
    ASSERT_TRUE(Window.close());
    EXPECT_NE(Files.Files["Schaltpult.ini"].find(
                  "Zuletzt1=/m/c.dlx\r\nZuletzt2=/m/b.dlx\r\nZuletzt3=/m/a.dlx\r\n\r\n"),
              std::string::npos);
}

} // namespace
} // namespace redewerk
