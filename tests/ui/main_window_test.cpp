#include "window_fixture.h"

#include "model/project_file.h"
#include "support/round_trip.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>

namespace redewerk {
namespace {

using testing::TWindowFixture;

using TMainWindowTest = TWindowFixture;

// Which header fields, editors and flags are usable for each kind of node; the others show
// nothing.
TEST_F(TMainWindowTest, FieldStatesPerKind) {
    // Enabled: Heading, Npc, nr, description, condition, Body, important, permanent, trade.
    const std::pair<TNode * TWindowFixture::*, const char*> cases[] = {
        {&TWindowFixture::Wirt, "000000000"},      // folder
        {&TWindowFixture::Hallo, "111111111"},     // Dialog
        {&TWindowFixture::Betrunken, "100011110"}, // Event
        {&TWindowFixture::Ja, "100101000"},        // Choice
        {&TWindowFixture::Hilfen, "100001000"},    // Code
    };
    const char* names[] = {"Heading", "Npc",       "nr",        "description", "condition",
                           "Body",    "important", "permanent", "trade"};
    for (const auto& [node, enabled] : cases) {
        Click(this->*node);
        const std::string kind = (this->*node)->Text();
        for (size_t i = 0; i < 9; ++i) {
            QWidget* widget = Find<QWidget>(names[i]);
            EXPECT_EQ(widget->isEnabled(), enabled[i] == '1') << kind << " " << names[i];
            auto* field = qobject_cast<QLineEdit*>(widget);
            auto* flag = qobject_cast<QCheckBox*>(widget);
            const bool shows = (field && !field->text().isEmpty()) || (flag && flag->isChecked());
            EXPECT_FALSE(enabled[i] == '0' && shows) << kind << " " << names[i];
        }
        // A label is greyed exactly when its field is.
        int labels = 0;
        for (QLabel* label : Window.findChildren<QLabel*>()) {
            if (!label->buddy() || label->buddy()->objectName() == QStringLiteral("Body")) continue;
            if (label->parent() != Find<QWidget>("Heading")->parent()) continue;
            ++labels;
            EXPECT_EQ(label->isEnabled(), label->buddy()->isEnabled()) << kind;
        }
        EXPECT_EQ(labels, 5);
    }
}

TEST_F(TMainWindowTest, LeavingAFieldWritesItBackIntoTheBlockStillSelected) {
    Click(Hallo);
    EXPECT_EQ(Field("Npc")->text(), QStringLiteral("Wirt"));
    EXPECT_TRUE(Find<QCheckBox>("important")->isChecked());
    Field("Heading")->setFocus();
    Field("Heading")->setText(QString::fromUtf8("Begrüßung"));
    Click(Tschuess);
    EXPECT_EQ(Hallo->Element()->Heading, "Begr\xFC\xDFung");
    EXPECT_EQ(Tschuess->Element()->Heading, "");
    EXPECT_EQ(Field("Heading")->text(), QString());

    // Saving takes the field being edited along.
    Field("description")->setFocus();
    Field("description")->setText(QStringLiteral("Auf Wiedersehen"));
    ASSERT_TRUE(Window.SaveProjectFile(QStringLiteral("p.dlx")));
    EXPECT_EQ(Tschuess->Element()->Description, "Auf Wiedersehen");
    EXPECT_NE(Files.Files["p.dlx"].find("Auf Wiedersehen"), std::string::npos);
}

// Passing through the editors changes no byte: a no-break space (0xA0) does not turn into a
// blank, and a choice keeps the condition its editor does not show.
TEST_F(TMainWindowTest, LeavingTheEditorsKeepsEveryByteOfTheTexts) {
    Hallo->Element()->Body = {"<<Na\xA0ja.", "", "\t>>Gut\xA0!"};
    Hallo->Element()->Condition = {"Npc_GetDistToWP (self, \"A\xA0Z\") < 500"};
    Ja->Element()->Condition = {"Npc_KnowsInfo (other, DIA_X)"};
    const TElement before = *Hallo->Element();
    Click(Hallo);
    Editor("Body")->setFocus();
    Editor("condition")->setFocus();
    Click(Ja);
    EXPECT_EQ(Hallo->Element()->Body, before.Body);
    EXPECT_EQ(Hallo->Element()->Condition, before.Condition);
    Editor("Body")->setFocus();
    Editor("Body")->setPlainText(QStringLiteral("<<Ja."));
    Click(Hallo);
    EXPECT_EQ(Ja->Element()->Body, TLines{"<<Ja."});
    EXPECT_EQ(Ja->Element()->Condition, TLines{"Npc_KnowsInfo (other, DIA_X)"});
}

// A text pasted with a line break, or a line that reads as the project file's section marker,
// is stored so that the saved project loads as it was.
TEST_F(TMainWindowTest, TypedTextsAreStoredSoThatTheFileReadsBack) {
    Click(Hallo);
    Field("description")->setFocus();
    Field("description")->setText(QStringLiteral("Zwei\nZeilen"));
    Field("Npc")->setFocus();
    Field("Npc")->setText(QStringLiteral("Ko\rch"));
    const QString marker(QChar(2)); // the project file's section marker
    Editor("condition")->setFocus();
    Editor("condition")->setPlainText(marker + "EOF");
    Editor("Body")->setFocus();
    Editor("Body")->setPlainText(">>Hallo\n" + marker + "END\n" + marker + "END!");
    Click(Tschuess);
    const TElement& stored = *Hallo->Element();
    EXPECT_EQ(stored.Description, "Zwei Zeilen");
    EXPECT_EQ(stored.Npc, "Ko_ch");
    EXPECT_EQ(stored.Condition, TLines{" EOF"});
    EXPECT_EQ(stored.Body, (TLines{">>Hallo", " END", FromQt(marker + "END!")}));
    ASSERT_TRUE(Window.SaveProjectFile(QStringLiteral("p.dlx")));
    EXPECT_EQ(testing::RoundTripProblem(Project), "");
}

// Enter in a header field moves on to the next field the kind uses.
TEST_F(TMainWindowTest, EnterMovesToTheNextUsableField) {
    const std::pair<TNode * TWindowFixture::*, QStringList> chains[] = {
        {&TWindowFixture::Hallo, {"Heading", "Npc", "nr", "description", "condition"}},
        {&TWindowFixture::Betrunken, {"Heading", "condition"}},
        {&TWindowFixture::Ja, {"Heading", "description", "Body"}},
        {&TWindowFixture::Hilfen, {"Heading", "Body"}},
    };
    for (const auto& [node, chain] : chains) {
        Click(this->*node);
        for (qsizetype i = 0; i + 1 < chain.size(); ++i) {
            auto* from = Field(chain[i].toLatin1().constData());
            from->setFocus();
            QTest::keyClick(from, Qt::Key_Return);
            EXPECT_EQ(QApplication::focusWidget()->objectName(), chain[i + 1])
                << chain[i].toStdString();
        }
    }
}

TEST_F(TMainWindowTest, FontSizeKeysStayAtLeastOne) {
    QTest::keyClick(Window.TreeView(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(Window.FontSize(), 9); // from 8
    EXPECT_EQ(Window.TreeView()->font().pointSize(), 9);
    EXPECT_EQ(Editor("Body")->font().pointSize(), 9);
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(Window.TreeView(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(Window.FontSize(), 1);
}

TEST_F(TMainWindowTest, LoadingShowsTheStoredSelection) {
    Project.Selected = Betrunken;
    Files.Files["t.dlx"] = SerializeProject(Project);
    Click(Hilfen);
    ASSERT_TRUE(Window.LoadProjectFile(QStringLiteral("t.dlx")));
    ASSERT_NE(Window.SelectedNode(), nullptr);
    EXPECT_EQ(Window.SelectedNode()->Path(), "Ereignisse\\Betrunken");
    EXPECT_TRUE(Editor("condition")->isEnabled());

    // A broken file keeps the open project and its display.
    Files.Files["kaputt.dlx"] = "x\r\n";
    EXPECT_FALSE(Window.LoadProjectFile(QStringLiteral("kaputt.dlx")));
    EXPECT_EQ(Window.SelectedNode()->Path(), "Ereignisse\\Betrunken");
    EXPECT_EQ(Prompter.Messages,
              std::vector<std::string>{"E/A-Fehler 38\nDatei: kaputt.dlx, Zeile 1"});
}

// In a small window the body keeps at least half of the right side, whether the window
// shrinks or the handle is dragged up; the condition editor gives way before the header
// fields. A long name makes the tree scroll sideways instead of being cut.
TEST_F(TMainWindowTest, SmallWindowKeepsTheBodyAndTheTreeScrollsSideways) {
    Click(Hallo);
    auto* splitter = Find<QSplitter>("BodySplitter");
    const auto bodyKeepsHalf = [&] {
        return Editor("Body")->height() >= splitter->height() / 2 - splitter->handleWidth();
    };
    Window.resize(1000, 760);
    QCoreApplication::processEvents();
    const int heading = Field("Heading")->height();
    const int condition = Editor("condition")->height();
    for (const int height : {600, 450, 300}) {
        Window.resize(1000, height);
        QTRY_COMPARE(Window.height(), height);
        EXPECT_TRUE(bodyKeepsHalf()) << height;
        if (height == 600) {
            EXPECT_EQ(Field("Heading")->height(), heading);
            EXPECT_LT(Editor("condition")->height(), condition);
        }
    }
    QSplitterHandle* handle = splitter->handle(1);
    QTest::mousePress(handle, Qt::LeftButton);
    QTest::mouseMove(handle, QPoint(handle->width() / 2, splitter->height() / 2));
    QTest::mouseRelease(handle, Qt::LeftButton, {},
                        QPoint(handle->width() / 2, splitter->height() / 2));
    EXPECT_TRUE(bodyKeepsHalf());

    const QString name(80, QLatin1Char('W'));
    TNode* wide = Add(Wirt, name.toLatin1().constData(), ekDialog);
    Window.TreeView()->expandAll();
    QTRY_VERIFY(Window.TreeView()->horizontalScrollBar()->maximum() > 0);
    const QRect shown = Window.TreeView()->visualRect(Window.TreeModel()->IndexOf(wide));
    EXPECT_GE(shown.width(), Window.TreeView()->fontMetrics().horizontalAdvance(name));
}

// Ending the program writes the settings into their file, staying open writes nothing; the
// project is never saved on its own.
TEST_F(TMainWindowTest, ClosingWritesOnlyTheSettings) {
    Files.Files["Schaltpult.ini"] = "; eigene Zeile\r\n[Fremd]\r\nk=v\r\n";
    Window.SetFontSize(13);
    Prompter.YesNoAnswers = {false, true};
    EXPECT_FALSE(Window.close()); // "Redewerk beenden?" answered No
    EXPECT_EQ(Files.Files["Schaltpult.ini"], "; eigene Zeile\r\n[Fremd]\r\nk=v\r\n");
    EXPECT_TRUE(Window.close());
    const std::string& ini = Files.Files["Schaltpult.ini"];
    EXPECT_NE(ini.find("Schriftgroesse=13\r\n"), std::string::npos);
    EXPECT_NE(ini.find("FensterMaximiert=0\r\n"), std::string::npos);
    EXPECT_EQ(Files.Files.size(), 1u);
}

} // namespace
} // namespace redewerk
