#include "window_fixture.h"

#include "ui/search_dialog.h"

#include <QCheckBox>
#include <QStatusBar>

namespace redewerk {
namespace {

// Ctrl+F and F3 in the main window, over the fixture's project.
struct TSearchUiTest : testing::TWindowFixture {
    // Ctrl+F in `widget`; types `text` into the search field and presses Enter, or closes the
    // dialog without Enter when `enter` is false.
    void CtrlF(QWidget* widget, const QString& text, bool enter = true) {
        TFSearch* dialog = Window.SearchDialog();
        WhenShown(dialog, [dialog, text, enter] {
            EXPECT_EQ(dialog->Str()->selectedText(), dialog->Str()->text());
            dialog->Str()->setText(text);
            if (enter) QTest::keyClick(dialog->Str(), Qt::Key_Return);
        });
        QTest::keyClick(widget, Qt::Key_F, Qt::ControlModifier);
        // Back in the main window, as the window manager does it.
        Window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
    }

    // Where the focus and the selection are: "node/widget:selected text".
    std::string Place() const {
        QWidget* focused = Window.focusWidget();
        std::string selected;
        if (auto* line = qobject_cast<QLineEdit*>(focused))
            selected = line->selectedText().toStdString();
        if (auto* editor = qobject_cast<QPlainTextEdit*>(focused))
            selected = std::to_string(editor->textCursor().selectionStart()) + "+" +
                       editor->textCursor().selectedText().toStdString();
        const TNode* node = Window.SelectedNode();
        return (node ? node->Path() : "-") + "/" + focused->objectName().toStdString() + ":" +
               selected;
    }
};

TEST_F(TSearchUiTest, CtrlFAndF3WalkThroughTheMatchesInOrder) {
    Tschuess->Element()->Body = {"Hallo", "du wirt"};
    Click(Hallo);
    CtrlF(Window.TreeView(), QStringLiteral("wirt"));
    EXPECT_EQ(Place(), "Wirt\\Hallo/Npc:Wirt");
    const std::vector<std::string> expected = {
        "Wirt\\Tschuess/Body:9+wirt", // line breaks count once in the editor
        "Wirt/TreeView:",             // round to the top of the tree
        "Wirt\\Hallo/Npc:Wirt",
    };
    for (const std::string& place : expected) {
        QTest::keyClick(Window.focusWidget(), Qt::Key_F3);
        EXPECT_EQ(Place(), place);
    }
    EXPECT_EQ(Window.SearchDialog()->Str()->text(), QStringLiteral("wirt"));
}

// Closing the dialog without Enter, or Enter in the empty field, searches nothing; a text
// that is not there is said in the status bar. Each leaves the place as it was.
TEST_F(TSearchUiTest, NoSearchOrNoMatchLeavesThePlace) {
    Click(Hallo);
    CtrlF(Window.TreeView(), QStringLiteral("tschuess"));
    EXPECT_EQ(Place(), "Wirt\\Tschuess/TreeView:");
    CtrlF(Window.TreeView(), QStringLiteral("hallo"), false);
    EXPECT_EQ(Window.SearchDialog()->Str()->text(), QStringLiteral("hallo"));
    QTest::keyClick(Window.TreeView(), Qt::Key_F3); // the search text is gone
    CtrlF(Window.TreeView(), QString());
    EXPECT_EQ(Place(), "Wirt\\Tschuess/TreeView:");
    Field("Heading")->setFocus();
    CtrlF(Field("Heading"), QStringLiteral("Drache"));
    EXPECT_EQ(Place(), "Wirt\\Tschuess/Heading:");
    EXPECT_EQ(Window.statusBar()->currentMessage(), QStringLiteral("Nicht gefunden: Drache"));
    EXPECT_TRUE(Prompter.Messages.empty());
}

TEST_F(TSearchUiTest, F3TakesTheSelectionInAHeaderField) {
    Tschuess->Element()->Description = "Gru\xDF und Kuss";
    Click(Hallo);
    Field("Heading")->setFocus();
    Field("Heading")->selectAll(); // "Gruß"
    QTest::keyClick(Field("Heading"), Qt::Key_F3);
    EXPECT_EQ(Place(), "Wirt\\Tschuess/description:" + std::string("Gru\xC3\x9F"));
    // Typed but not yet left, the heading is searched as it stands.
    Field("Heading")->setFocus();
    Field("Heading")->setText(QStringLiteral("x Gruß x"));
    Field("Heading")->setCursorPosition(0);
    CtrlF(Field("Heading"), QStringLiteral("gruß"));
    EXPECT_EQ(Place(), "Wirt\\Tschuess/Heading:" + std::string("Gru\xC3\x9F"));
    EXPECT_EQ(Tschuess->Element()->Heading, "x Gru\xDF x");
}

TEST_F(TSearchUiTest, FromTheBodyRoundToAnEarlierMatchInIt) {
    const std::string ja = std::to_string(Ja->Element()->Id);
    Hallo->Element()->Body = {"<<Ein Bier?", "++#" + ja + "#", "ENDE"};
    Click(Hallo);
    QPlainTextEdit* body = Editor("Body");
    body->setFocus();
    body->moveCursor(QTextCursor::End);
    CtrlF(body, QStringLiteral("#hallo\\ja#"));
    // The reference reads as the editor shows it, found after all other blocks.
    EXPECT_EQ(Place(), "Wirt\\Hallo/Body:14+#Hallo\\Ja#");

    // Typed and not yet written back, the body is searched as it stands.
    body->moveCursor(QTextCursor::End);
    body->insertPlainText(QStringLiteral("\nnoch ein Bier"));
    CtrlF(body, QStringLiteral("bier"));
    EXPECT_EQ(Place(), "Wirt\\Hallo/Body:6+Bier");
    QTest::keyClick(body, Qt::Key_F3);
    EXPECT_EQ(Place(), "Wirt\\Hallo/Body:39+Bier");
    EXPECT_EQ(Hallo->Element()->Body.back(), "noch ein Bier");
}

TEST_F(TSearchUiTest, ABodyKeptAsPreviewGoesOnFromTheBlocksSelection) {
    Hallo->Element()->Body = {"wirt", "wirt"};
    Find<QCheckBox>("InstantCompile")->setChecked(true);
    Find<QCheckBox>("LockBody")->setChecked(true);
    Click(Hallo);
    Editor("Body")->setFocus();
    const QString preview = Editor("Body")->toPlainText();
    CtrlF(Editor("Body"), QStringLiteral("wirt"));
    EXPECT_EQ(Editor("Body")->toPlainText(), preview);
    EXPECT_EQ(Hallo->Element()->BodySelStart, 0);
    EXPECT_EQ(Hallo->Element()->BodySelLength, 4);
    QTest::keyClick(Editor("Body"), Qt::Key_F3);
    EXPECT_EQ(Hallo->Element()->BodySelStart, 5);
    EXPECT_EQ(Place().substr(0, 16), "Wirt\\Hallo/Body:");
}

} // namespace
} // namespace redewerk
