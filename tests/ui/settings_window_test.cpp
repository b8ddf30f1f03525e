#include "window_fixture.h"

#include "ui/colour_dialog.h"
#include "ui/get_name_dialog.h"
#include "ui/qt_prompter.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>

namespace redewerk {
namespace {

QColor BaseOf(QWidget* widget, QPalette::ColorGroup group = QPalette::Active) {
    return widget->palette().color(group, QPalette::Base);
}

// A window started on a given settings file.
struct TSettingsWindowTest : ::testing::Test {
    TProject Project;
    testing::TMemoryFileSystem Files;
    testing::TRecordingPrompter Prompter;
    TFMain Window{Project, Files, Prompter};

    void Start(const std::string& ini) {
        Files.Files["S.ini"] = ini;
        Window.Start({}, QStringLiteral("S.ini"));
    }
    template <typename T> T* Find(const char* name) const {
        return Window.findChild<T*>(QString::fromLatin1(name));
    }
    // Ends the program, which writes the settings file, and returns that file.
    const std::string& Close() {
        Prompter.YesNoAnswers = {true};
        EXPECT_TRUE(Window.close());
        return Files.Files["S.ini"];
    }
};

TEST_F(TSettingsWindowTest, StartsWithTheStoredValues) {
    Start("[Anzeigeoptionen]\r\nSyntaxcheck=0\r\nVorschau=1\r\nBeibehalten=1\r\n"
          "Schriftgroesse=12\r\nFensterMaximiert=0\r\n[Farben]\r\nclBack=clYellow\r\n"
          "clDef=$00E0E0E0\r\n[Import_Optionen]\r\nSeparateOrdner=0\r\n");
    EXPECT_FALSE(Find<QCheckBox>("CheckSyntax")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("InstantCompile")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("LockBody")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("FolderForEach")->isChecked());
    EXPECT_EQ(Window.FontSize(), 12);
    EXPECT_FALSE(Window.isMaximized());
    for (const char* name : {"Heading", "Npc", "condition", "Body", "TreeView"}) {
        QWidget* widget = Find<QWidget>(name);
        EXPECT_EQ(BaseOf(widget), QColor(Qt::yellow)) << name;
        EXPECT_EQ(widget->palette().color(QPalette::Active, QPalette::Text),
                  QColor(0xE0, 0xE0, 0xE0))
            << name;
    }
    // Disabled fields take the button-face colour of the platform.
    EXPECT_EQ(BaseOf(Find<QWidget>("Npc"), QPalette::Disabled),
              QApplication::palette().color(QPalette::Active, QPalette::Button));
    EXPECT_TRUE(Prompter.Messages.empty());

    // The switches are written back as the user left them, in their places.
    for (const char* name : {"CheckSyntax", "LockBody", "FolderForEach"})
        Find<QCheckBox>(name)->click();
    const std::string& ini = Close();
    EXPECT_EQ(ini.rfind("[Anzeigeoptionen]\r\nSyntaxcheck=1\r\nVorschau=1\r\nBeibehalten=0\r\n", 0),
              0u);
    EXPECT_NE(ini.find("SeparateOrdner=1\r\n"), std::string::npos);
}

// Without a file the defaults hold; a file that cannot be written is reported, and the
// program still ends.
TEST_F(TSettingsWindowTest, DefaultsWithoutAFileAndAnUnwritableFile) {
    Window.Start({}, QStringLiteral("S.ini"));
    EXPECT_FALSE(Find<QCheckBox>("LockBody")->isEnabled()); // there is no preview to keep
    EXPECT_TRUE(Window.isMaximized());
    EXPECT_EQ(Window.FontSize(), 8);
    EXPECT_EQ(BaseOf(Find<QWidget>("Body")), QApplication::palette().color(QPalette::Base));
    Files.WriteError = 13;
    Close();
    EXPECT_EQ(Prompter.Messages,
              std::vector<std::string>{"In S.ini kann nicht geschrieben werden"});
}

TEST_F(TSettingsWindowTest, ColourDialogStoresAtOnce) {
    Start("; Farben von Hand\r\n[Farben]\r\nclComment=clGreen\r\n");
    TFColor* dialog = Window.ColourDialog();
    dialog->PickColour = [](const QColor&, const QString&) { return QColor(0x12, 0x34, 0x56); };
    dialog->PickFor(clConst);
    dialog->PickFor(clBack);
    EXPECT_EQ(Window.Colours()[clConst], MakeColour(0x12, 0x34, 0x56));
    EXPECT_EQ(dialog->Button(clBack)->icon().pixmap(28, 16).toImage().pixelColor(10, 8),
              QColor(0x12, 0x34, 0x56));
    dialog->PickColour = [](const QColor&, const QString&) { return QColor(); }; // cancelled
    dialog->PickFor(clComment);
    EXPECT_EQ(Window.Colours()[clComment], 0x00008000u);

    Window.ApplyColours(); // as closing the dialog does
    EXPECT_EQ(BaseOf(Find<QWidget>("Body")), QColor(0x12, 0x34, 0x56));
    const std::string& ini = Close();
    EXPECT_EQ(ini.rfind("; Farben von Hand\r\n[Farben]\r\nclComment=clGreen\r\n", 0), 0u);
    EXPECT_NE(ini.find("clBack=$00563412\r\n"), std::string::npos);
}

TEST_F(TSettingsWindowTest, PathsAreKeptAsTheirNativeNames) {
    // Written by hand in a UTF-8 editor, or by an earlier run.
    const std::string open = "/mod/\xD0\x9F\xC3\xA4.dlx";
    Start("[Pfade]\r\nOeffnen=" + open + "\r\n");
    const std::string saved = "/mod/\xE2\x86\x92neu.dlx"; // a name outside Windows-1252
    ASSERT_TRUE(Window.SaveProjectFile(QString::fromUtf8(saved.c_str())));
    EXPECT_EQ(Files.Files.count(saved), 1u);
    const TSettings settings = Window.CollectSettings();
    EXPECT_EQ(settings.OpenPath, open);
    EXPECT_EQ(settings.SavePath, saved);
}

using testing::WhenOpen;

// Clicks the button with this caption in the message box once it is open.
void PressWhenOpen(const QString& caption) {
    WhenOpen<QMessageBox>([caption](QMessageBox& box) {
        for (QAbstractButton* button : box.buttons())
            if (button->text() == caption) button->click();
    });
}

TEST(QtPrompter, QuestionsWithTheirAnswers) {
    TQtPrompter prompter;
    const std::pair<QString, TPrompter::TOverwriteAnswer> cases[] = {
        {QStringLiteral("&Ja"), TPrompter::TOverwriteAnswer::Yes},
        {QStringLiteral("A&lle Ja"), TPrompter::TOverwriteAnswer::YesToAll},
        {QStringLiteral("&Abbrechen"), TPrompter::TOverwriteAnswer::Abort},
    };
    for (const auto& [caption, answer] : cases) {
        PressWhenOpen(caption);
        EXPECT_EQ(prompter.AskOverwrite("Die Datei existiert bereits"), answer);
    }
    PressWhenOpen(QStringLiteral("&Nein"));
    EXPECT_FALSE(prompter.AskYesNo("Redewerk beenden?", "Und tsch\xFCss!"));
    PressWhenOpen(QStringLiteral("Abbrechen"));
    EXPECT_FALSE(prompter.AskOkCancel("Den ausgew\xE4hlten Punkt wirklich l\xF6schen?",
                                      "L\xF6schen best\xE4tigen..."));

    // Before unsaved changes are lost; Escape is "Abbrechen".
    using TSave = TPrompter::TSaveAnswer;
    const std::pair<QString, TSave> saveCases[] = {{QStringLiteral("Speichern"), TSave::Save},
                                                   {QStringLiteral("Verwerfen"), TSave::Discard},
                                                   {QStringLiteral("Abbrechen"), TSave::Cancel},
                                                   {QString(), TSave::Cancel}};
    for (const auto& [caption, answer] : saveCases) {
        WhenOpen<QMessageBox>([caption](QMessageBox& box) {
            QStringList captions;
            for (QAbstractButton* button : box.buttons())
                captions << button->text();
            captions.sort();
            EXPECT_EQ(captions, (QStringList{"Abbrechen", "Speichern", "Verwerfen"}));
            EXPECT_EQ(box.text(), QString::fromUtf8("Die Änderungen an Taverne.dlx speichern?"));
            if (caption.isEmpty()) QTest::keyClick(&box, Qt::Key_Escape);
            for (QAbstractButton* button : box.buttons())
                if (button->text() == caption) button->click();
        });
        EXPECT_EQ(prompter.AskSaveChanges("Die \xC4nderungen an Taverne.dlx speichern?"), answer)
            << caption.toStdString();
    }
}

// The name question answers with the field's text, also when the dialog is closed.
TEST(QtPrompter, NameQuestionAnswersWithTheFieldsText) {
    QWidget parent;
    TQtPrompter prompter(&parent);
    WhenOpen<TFGetName>([](TFGetName& dialog) {
        QTest::keyClick(dialog.Instance(), Qt::Key_Return); // unchanged: the prefilled name
    });
    EXPECT_EQ(prompter.AskText("Instanzname von Wirt\xE4", "Wirt\xE4"), "Wirt\xE4");
    WhenOpen<TFGetName>([](TFGetName& dialog) {
        dialog.Instance()->setText(QStringLiteral("VLK_400_Wirt"));
        dialog.close();
    });
    EXPECT_EQ(prompter.AskText("Instanzname von Wirt", "Wirt"), "VLK_400_Wirt");
}

} // namespace
} // namespace redewerk
