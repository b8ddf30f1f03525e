#include "window_fixture.h"

#include "ui/code_editor.h"
#include "ui/edit_actions.h"
#include "ui/variables_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>

namespace redewerk {
namespace {

using TContextMenuTest = testing::TWindowFixture;

QStringList Captions(const QMenu* menu) {
    QStringList captions;
    for (QAction* action : menu->actions())
        if (!action->isSeparator()) captions << action->text().remove(QLatin1Char('&'));
    return captions;
}

const QStringList kEditEntries = {
    QString::fromUtf8("Rückgängig"), "Wiederherstellen",          "Ausschneiden", "Kopieren",
    QString::fromUtf8("Einfügen"),   QString::fromUtf8("Löschen")};

// The header fields and both code editors offer the edit entries above their own; a right
// click opens the field's menu.
TEST_F(TContextMenuTest, EditEntriesComeFirst) {
    Click(Hallo);
    EXPECT_EQ(Captions(Window.PrepareTextMenu(Field("Heading"))),
              kEditEntries + QStringList{"Alles markieren"});
    const QStringList codeMenu =
        kEditEntries + QStringList{"Alles markieren", QString::fromUtf8("Pfad einfügen"),
                                   QString::fromUtf8("Pfad als Bedingung einfügen"),
                                   "Gehe zu erstem Fehler", "Ansicht"};
    for (const char* name : {"condition", "Body"})
        EXPECT_EQ(Captions(Window.PrepareTextMenu(Editor(name))), codeMenu) << name;

    bool opened = false;
    QTimer::singleShot(0, Window.FieldMenu(), [&] {
        QTRY_VERIFY(Window.FieldMenu()->isVisible());
        opened = true;
        Window.FieldMenu()->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(4, 4),
                            Field("Npc")->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(Field("Npc"), &click);
    EXPECT_TRUE(opened);
}

// The entries edit a header field, a code editor and the variables text alike: undo and redo
// go through the code editor's own history and through Qt's elsewhere, and each entry is
// enabled as the text allows. What the menu did in the body is written back on leaving it.
TEST_F(TContextMenuTest, EditEntriesActOnTheirField) {
    Click(Tschuess);
    Window.VariablesWindow()->ShowAbove();
    QPlainTextEdit* variables = Window.VariablesWindow()->Text();
    QWidget* targets[] = {Field("description"), Editor("Body"), variables};
    const QString hallo = QStringLiteral(">>Hallo");
    const QString twice = QStringLiteral(">>Hallo>>Hallo");
    for (QWidget* target : targets) {
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        target->setFocus();
        TEditActions* edit = Window.EditActions();
        const auto entry = [&](int index) {
            return QList<QAction*>{edit->Undo(), edit->Redo(),  edit->Cut(),
                                   edit->Copy(), edit->Paste(), edit->Delete()}[index];
        };
        const auto text = [&] {
            auto* line = qobject_cast<QLineEdit*>(target);
            return line ? line->text() : static_cast<QPlainTextEdit*>(target)->toPlainText();
        };
        // Undo, redo, cut, copy, paste, delete: 1 enabled, 0 disabled, . either.
        struct TStep {
            const char* Name;
            std::function<void()> Act;
            QString Text;
            const char* Enabled;
        };
        const auto pick = [&](int index) { return [&, index] { entry(index)->trigger(); }; };
        const auto selectAll = [&] { MenuEntry(Window.TextMenu(), "Alles markieren")->trigger(); };
        const TStep steps[] = {
            {"typed", [&] { QTest::keyClicks(target, hallo); }, hallo, "100010"},
            {"select all", selectAll, hallo, "101111"},
            {"cut", pick(2), "", "100010"},
            {"undo", pick(0), hallo, "11..1."},
            {"end", [&] { QTest::keyClick(target, Qt::Key_End); }, hallo, "110010"},
            {"paste", pick(4), twice, "100010"},
            {"undo", pick(0), hallo, "11..1."},
            {"redo", pick(1), twice, "10..1."},
            {"select all", selectAll, twice, "101111"},
            {"delete", pick(5), "", "100010"},
            {"undo", pick(0), twice, "11..1."},
        };
        for (const TStep& step : steps) {
            Window.PrepareTextMenu(target);
            step.Act();
            const std::string where = target->objectName().toStdString() + ", " + step.Name;
            EXPECT_EQ(text(), step.Text) << where;
            Window.PrepareTextMenu(target);
            for (int i = 0; i < 6; ++i) {
                if (step.Enabled[i] == '.') continue;
                EXPECT_EQ(entry(i)->isEnabled(), step.Enabled[i] == '1') << where << " " << i;
            }
        }
        EXPECT_EQ(QGuiApplication::clipboard()->text(), hallo);
    }
    Click(Hallo);
    EXPECT_EQ(Tschuess->Element()->Description, ">>Hallo>>Hallo");
    EXPECT_EQ(Tschuess->Element()->Body, TLines{">>Hallo>>Hallo"});
    EXPECT_EQ(Project.Variables, TLines{">>Hallo>>Hallo"});
}

// A body kept as the preview can only be copied from.
TEST_F(TContextMenuTest, ReadOnlyBodyOffersOnlyCopy) {
    Find<QCheckBox>("InstantCompile")->setChecked(true);
    Find<QCheckBox>("LockBody")->setChecked(true);
    Click(Hallo);
    TCodeEditor* body = Window.BodyEditor();
    body->setFocus();
    body->selectAll();
    ASSERT_TRUE(body->isReadOnly());
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    Window.PrepareTextMenu(body);
    TEditActions* edit = Window.EditActions();
    for (QAction* entry : {edit->Undo(), edit->Redo(), edit->Cut(), edit->Paste(), edit->Delete()})
        EXPECT_FALSE(entry->isEnabled()) << entry->text().toStdString();
    EXPECT_TRUE(edit->Copy()->isEnabled());
}

} // namespace
} // namespace redewerk
