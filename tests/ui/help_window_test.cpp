#include "ui/help_window.h"

#include "window_fixture.h"

#include <QLabel>
#include <QUrl>

namespace redewerk {
namespace {

// readme.txt beside the program (as in the build folder), else where an installation puts it.
TEST(HelpWindow, FindsTheReadmeBesideTheProgramOrInstalled) {
    struct TCase {
        std::vector<std::string> Files;
        const char* Found;
    };
    const TCase cases[] = {
        {{"/opt/rw/bin/readme.txt", "/opt/rw/share/redewerk/readme.txt"}, "/opt/rw/bin/readme.txt"},
        {{"/opt/rw/share/redewerk/readme.txt"}, "/opt/rw/share/redewerk/readme.txt"},
        {{"/opt/rw/share/readme.txt"}, ""},
    };
    for (const TCase& c : cases) {
        testing::TMemoryFileSystem files;
        for (const std::string& file : c.Files)
            files.Files[file] = "Hilfe";
        EXPECT_EQ(FindReadme(QStringLiteral("/opt/rw/bin"), files).toStdString(), c.Found);
    }
}

// "Hilfe" hands readme.txt to the system's viewer; without one it shows it itself, searchable.
struct THelpTest : testing::TWindowFixture {
    std::vector<QUrl> Opened;
    bool HasViewer = false;
    void SetUp() override {
        TWindowFixture::SetUp();
        Window.OpenExternally = [this](const QUrl& url) {
            Opened.push_back(url);
            return HasViewer;
        };
    }
    std::string ReadmePath() const {
        return PathFromQt(QCoreApplication::applicationDirPath() + QStringLiteral("/readme.txt"));
    }
    void ClickHelp() { QTest::mouseClick(Find<QLabel>("HelpLabel"), Qt::LeftButton); }
};

TEST_F(THelpTest, ViewerOrOwnWindow) {
    ClickHelp(); // no readme.txt: nothing happens
    EXPECT_TRUE(Opened.empty());
    EXPECT_FALSE(Window.HelpWindow()->isVisible());

    Files.Files[ReadmePath()] = "REDEWERK \xE2\x80\x93 Kurzanleitung\n";
    HasViewer = true;
    ClickHelp();
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_EQ(PathFromQt(Opened[0].toLocalFile()), ReadmePath());
    EXPECT_FALSE(Window.HelpWindow()->isVisible());

    HasViewer = false;
    ClickHelp();
    EXPECT_TRUE(Window.HelpWindow()->isVisible());
    EXPECT_EQ(Window.HelpWindow()->Text()->toPlainText(),
              QString::fromUtf8("REDEWERK – Kurzanleitung\n"));
}

// Ctrl+F, then Enter and Shift+Enter go through the matches round the ends; a text that is not
// there leaves the selection and says so; Escape hides the field.
TEST(HelpWindow, SearchesWithCtrlF) {
    TFHelp help;
    help.ShowText(QStringLiteral("Laden\nSpeichern\nladen und speichern\n"));
    help.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    help.activateWindow();
    QTest::keyClick(help.Text(), Qt::Key_F, Qt::ControlModifier);
    QLineEdit* field = help.SearchField();
    ASSERT_TRUE(field->isVisible());
    QTest::keyClicks(field, QStringLiteral("speichern"));
    const auto selected = [&] { return help.Text()->textCursor().selectionStart(); };
    EXPECT_EQ(selected(), 6);
    const std::pair<Qt::KeyboardModifiers, int> steps[] = {
        {Qt::NoModifier, 26}, {Qt::NoModifier, 6}, {Qt::ShiftModifier, 26}};
    for (const auto& [modifiers, start] : steps) {
        QTest::keyClick(field, Qt::Key_Return, modifiers);
        EXPECT_EQ(selected(), start);
    }
    field->setText(QStringLiteral("Exportieren"));
    EXPECT_FALSE(help.FindNext());
    EXPECT_EQ(selected(), 26);
    EXPECT_EQ(help.findChild<QLabel*>("HelpNotFound")->text(), QStringLiteral("nicht gefunden"));
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(field->isVisible());
    EXPECT_TRUE(help.isVisible());
}

} // namespace
} // namespace redewerk
