#include "window_fixture.h"

#include "ui/export_dialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

namespace redewerk {
namespace {

using testing::TWindowFixture;

struct TExportDialogTest : TWindowFixture {
    TFExport* Dialog() const { return Window.ExportDialog(); }

    // Does `fill` once the export dialog is open, then presses OK (or closes it).
    void WhenDialogOpens(std::function<void(TFExport&)> fill, bool pressOk = true) {
        QTimer::singleShot(0, &Window, [this, fill, pressOk] {
            QTRY_VERIFY(Dialog()->isVisible());
            fill(*Dialog());
            if (pressOk) QTest::mouseClick(Dialog()->OkButton(), Qt::LeftButton);
            if (Dialog()->isVisible()) Dialog()->reject();
        });
    }

    std::vector<std::string> WrittenNames() const {
        std::vector<std::string> names;
        for (const auto& [path, content] : Files.Files) {
            const size_t slash = path.find_last_of("/\\");
            if (path.ends_with(".d")) names.push_back(path.substr(slash + 1));
        }
        return names;
    }
};

TEST_F(TExportDialogTest, RefusesSpecialCharactersAndStaysOpen) {
    for (const QString& name : {QStringLiteral("Mein Projekt"), QString::fromUtf8("Wirtshäuser"),
                                QStringLiteral("a.b")}) {
        Dialog()->FileName()->setText(name);
        Dialog()->Accept();
        EXPECT_EQ(Prompter.Messages.back(), "Sonderzeichen sind im Projektnamen nicht erlaubt!");
    }
    EXPECT_EQ(Prompter.Messages.size(), 3u);
    EXPECT_EQ(Window.ExportState().ProjectName, "");
}

TEST_F(TExportDialogTest, TheChooserFillsFolderAndName) {
    struct TCase {
        const char* Picked;
        const char* Folder;
        const char* Name;
    };
    for (const TCase& c :
         {TCase{"/mod/skripte/DIA_Wirt.d", "/mod/skripte/", "Wirt"},
          TCase{"/mod/VAR_Wirt.d", "/mod/", "Wirt"}, TCase{"/mod/NPCS_Koch.d", "/mod/", "Koch"},
          TCase{"/mod/Taverne", "/mod/", "Taverne"}}) {
        Dialog()->PickFile = [&] { return QString::fromLatin1(c.Picked); };
        Dialog()->ChoseFolder();
        EXPECT_EQ(Dialog()->Folder()->text(), QString::fromLatin1(c.Folder)) << c.Picked;
        EXPECT_EQ(Dialog()->FileName()->text(), QString::fromLatin1(c.Name)) << c.Picked;
    }
    Dialog()->PickFile = [] { return QString(); }; // cancelled: fields stay
    Dialog()->ChoseFolder();
    EXPECT_EQ(Dialog()->FileName()->text(), QStringLiteral("Taverne"));
}

TEST_F(TExportDialogTest, ExportsWithTheChosenOptions) {
    Hallo->Element()->Body = {">>Hallo!"};
    WhenDialogOpens([](TFExport& dialog) {
        dialog.FileName()->setText(QStringLiteral("Wirt"));
        dialog.Folder()->setText(QStringLiteral("export"));
        dialog.WriteEventFile()->setChecked(false);
        dialog.WriteStoryGlobals()->setChecked(false);
        dialog.CodeAsDialogs()->setChecked(true);
    });
    Window.ExportClick();
    EXPECT_EQ(WrittenNames(), std::vector<std::string>{"DLX_Wirt.d"});
    const TCompiled& state = Window.ExportState();
    EXPECT_EQ(state.ProjectName, "Wirt");
    EXPECT_FALSE(state.SeparateEvents);
    EXPECT_TRUE(state.CodeAsDialog);

    // The next export starts with the last name and folder in the fields.
    Files.Files.clear();
    WhenDialogOpens([](TFExport& dialog) {
        EXPECT_EQ(dialog.FileName()->text(), QStringLiteral("Wirt"));
        EXPECT_EQ(dialog.Folder()->text(), QStringLiteral("export"));
        dialog.WriteEventFile()->setChecked(true);
        dialog.WriteStoryGlobals()->setChecked(true);
    });
    Window.ExportClick();
    EXPECT_EQ(WrittenNames(), (std::vector<std::string>{"DIA_Wirt.d", "EVT_Wirt.d", "VAR_Wirt.d"}));
}

TEST_F(TExportDialogTest, AFolderWithUmlautsStaysTheSameFolderFromExportToExport) {
    const QString folder = QString::fromUtf8("ausgabe_ä");
    const std::string onDisk = "ausgabe_\xC3\xA4"; // file names are native (UTF-8) bytes
    const auto writtenInto = [&](const std::string& dir) {
        std::vector<std::string> names;
        for (const auto& [path, content] : Files.Files)
            if (path.ends_with(".d") && path.find("/" + dir + "/") != std::string::npos)
                names.push_back(path.substr(path.find_last_of('/') + 1));
        return names;
    };
    const std::vector<std::string> expected{"DIA_Wirt.d", "EVT_Wirt.d", "VAR_Wirt.d"};
    WhenDialogOpens([&](TFExport& dialog) {
        dialog.FileName()->setText(QStringLiteral("Wirt"));
        dialog.Folder()->setText(folder);
    });
    Window.ExportClick();
    EXPECT_EQ(writtenInto(onDisk), expected);
    EXPECT_TRUE(Window.statusBar()->currentMessage().endsWith(folder));

    // The next export offers and uses the same folder.
    Files.Files.clear();
    WhenDialogOpens([&](TFExport& dialog) { EXPECT_EQ(dialog.Folder()->text(), folder); });
    Window.ExportClick();
    EXPECT_EQ(writtenInto(onDisk), expected);
    EXPECT_EQ(Window.CollectSettings().ExportFolder, onDisk);

    // A folder stored in the settings file is the same native name.
    TSettings settings;
    settings.ProjectName = "Wirt";
    settings.ExportFolder = "ziel_\xC3\xA4";
    Window.ApplySettings(settings);
    Files.Files.clear();
    WhenDialogOpens(
        [&](TFExport& dialog) { EXPECT_EQ(dialog.Folder()->text(), QString::fromUtf8("ziel_ä")); });
    Window.ExportClick();
    EXPECT_EQ(writtenInto("ziel_\xC3\xA4"), expected);
}

TEST_F(TExportDialogTest, ClosingWithoutOkExportsNothing) {
    Window.ExportState().ProjectName = "Wirt";
    WhenDialogOpens([](TFExport&) {}, false);
    Window.ExportClick();
    EXPECT_TRUE(WrittenNames().empty());
    EXPECT_EQ(Window.ExportState().ProjectName, "");
    // So the name field is empty the next time.
    WhenDialogOpens([](TFExport& dialog) { EXPECT_TRUE(dialog.FileName()->text().isEmpty()); },
                    false);
    Window.ExportClick();
}

TEST_F(TExportDialogTest, OptionsComeFromAndGoToTheSettings) {
    TSettings settings;
    settings.ProjectName = "Taverne";
    settings.ExportFolder = "ziel";
    settings.SeparateEvents = false;
    settings.NpcGlobals = true;
    Window.ApplySettings(settings);
    EXPECT_FALSE(Dialog()->WriteEventFile()->isChecked());
    EXPECT_TRUE(Dialog()->WriteNpcGlobals()->isChecked());
    EXPECT_TRUE(Dialog()->WriteStoryGlobals()->isChecked());
    WhenDialogOpens(
        [](TFExport& dialog) {
            EXPECT_EQ(dialog.FileName()->text(), QStringLiteral("Taverne"));
            dialog.FileName()->setText(QStringLiteral("Schenke"));
            dialog.WriteStoryGlobals()->setChecked(false);
        },
        false);
    Window.ExportClick();
    const TSettings collected = Window.CollectSettings();
    EXPECT_EQ(collected.ProjectName, "Schenke");
    EXPECT_EQ(collected.ExportFolder, "ziel");
    EXPECT_FALSE(collected.SeparateVariables);
    EXPECT_TRUE(collected.NpcGlobals);
}

} // namespace
} // namespace redewerk
