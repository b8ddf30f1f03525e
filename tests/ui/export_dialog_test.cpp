#include "window_fixture.h"

#include "ui/export_dialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

namespace redewerk {
namespace {

struct TExportDialogTest : testing::TWindowFixture {
    TFExport* Dialog() const { return Window.ExportDialog(); }

    // Runs "Exportieren": `fill` in the open dialog, then OK (or closing it).
    void Export(std::function<void(TFExport&)> fill, bool pressOk = true) {
        WhenShown(Dialog(), [this, fill, pressOk] {
            fill(*Dialog());
            if (pressOk) QTest::mouseClick(Dialog()->OkButton(), Qt::LeftButton);
        });
        Window.ExportClick();
    }

    // The names of the scripts written into `folder` (native bytes) by the last export.
    std::vector<std::string> Written(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& [path, content] : Files.Files)
            if (path.ends_with(".d") && path.find("/" + folder + "/") != std::string::npos)
                names.push_back(path.substr(path.find_last_of('/') + 1));
        Files.Files.clear();
        return names;
    }
};

TEST_F(TExportDialogTest, RefusesSpecialCharactersAndStaysOpen) {
    for (const QString& name : {QStringLiteral("Mein Projekt"), QString::fromUtf8("Wirtshäuser")}) {
        Dialog()->FileName()->setText(name);
        Dialog()->Accept();
        EXPECT_EQ(Prompter.Messages.back(), "Sonderzeichen sind im Projektnamen nicht erlaubt!");
    }
    EXPECT_EQ(Prompter.Messages.size(), 2u);
    EXPECT_EQ(Window.ExportState().ProjectName, "");
}

TEST_F(TExportDialogTest, TheChooserFillsFolderAndName) {
    const char* const cases[][3] = {
        {"/mod/skripte/DIA_Wirt.d", "/mod/skripte/", "Wirt"},
        {"/mod/VAR_Wirt.d", "/mod/", "Wirt"},
        {"/mod/NPCS_Koch.d", "/mod/", "Koch"},
        {"/mod/Taverne", "/mod/", "Taverne"},
        {"", "/mod/", "Taverne"}, // cancelled: the fields stay
    };
    for (const auto& [picked, folder, name] : cases) {
        Dialog()->PickFile = [picked] { return QString::fromLatin1(picked); };
        Dialog()->ChoseFolder();
        EXPECT_EQ(Dialog()->Folder()->text(), QString::fromLatin1(folder)) << picked;
        EXPECT_EQ(Dialog()->FileName()->text(), QString::fromLatin1(name)) << picked;
    }
}

// The options reach the export; the next export starts with the last name and folder; closing
// without OK exports nothing and forgets the name.
TEST_F(TExportDialogTest, ExportsWithTheChosenOptions) {
    Export([](TFExport& dialog) {
        dialog.FileName()->setText(QStringLiteral("Wirt"));
        dialog.Folder()->setText(QStringLiteral("export"));
        dialog.WriteEventFile()->setChecked(false);
        dialog.WriteStoryGlobals()->setChecked(false);
        dialog.CodeAsDialogs()->setChecked(true);
    });
    EXPECT_EQ(Written("export"), std::vector<std::string>{"DLX_Wirt.d"});
    EXPECT_FALSE(Window.ExportState().SeparateEvents);
    EXPECT_TRUE(Window.ExportState().CodeAsDialog);

    Export([](TFExport& dialog) {
        EXPECT_EQ(dialog.FileName()->text(), QStringLiteral("Wirt"));
        EXPECT_EQ(dialog.Folder()->text(), QStringLiteral("export"));
        dialog.WriteEventFile()->setChecked(true);
        dialog.WriteStoryGlobals()->setChecked(true);
    });
    EXPECT_EQ(Written("export"),
              (std::vector<std::string>{"DIA_Wirt.d", "EVT_Wirt.d", "VAR_Wirt.d"}));

    Export([](TFExport&) {}, false);
    EXPECT_TRUE(Written("export").empty());
    EXPECT_EQ(Window.ExportState().ProjectName, "");
    Export([](TFExport& dialog) { EXPECT_TRUE(dialog.FileName()->text().isEmpty()); }, false);
}

// File names are native (UTF-8) bytes: a folder with umlauts stays the same folder from the
// dialog to the export, to the next export and to the settings. The settings fill the dialog
// and take its choices back.
TEST_F(TExportDialogTest, FolderAndOptionsGoToAndComeFromTheSettings) {
    const QString folder = QString::fromUtf8("ausgabe_ä");
    const std::vector<std::string> scripts{"DIA_Wirt.d", "EVT_Wirt.d", "VAR_Wirt.d"};
    Export([&](TFExport& dialog) {
        dialog.FileName()->setText(QStringLiteral("Wirt"));
        dialog.Folder()->setText(folder);
    });
    EXPECT_TRUE(Window.statusBar()->currentMessage().endsWith(folder));
    EXPECT_EQ(Written("ausgabe_\xC3\xA4"), scripts);
    Export([&](TFExport& dialog) { EXPECT_EQ(dialog.Folder()->text(), folder); });
    EXPECT_EQ(Written("ausgabe_\xC3\xA4"), scripts);
    EXPECT_EQ(Window.CollectSettings().ExportFolder, "ausgabe_\xC3\xA4");

    TSettings settings;
    settings.ProjectName = "Taverne";
    settings.ExportFolder = "ziel_\xC3\xA4";
    settings.SeparateEvents = false;
    settings.NpcGlobals = true;
    Window.ApplySettings(settings);
    Export([](TFExport& dialog) {
        EXPECT_EQ(dialog.FileName()->text(), QStringLiteral("Taverne"));
        EXPECT_EQ(dialog.Folder()->text(), QString::fromUtf8("ziel_ä"));
        EXPECT_FALSE(dialog.WriteEventFile()->isChecked());
        EXPECT_TRUE(dialog.WriteNpcGlobals()->isChecked());
        EXPECT_TRUE(dialog.WriteStoryGlobals()->isChecked());
        dialog.WriteStoryGlobals()->setChecked(false);
    });
    EXPECT_EQ(Written("ziel_\xC3\xA4"),
              (std::vector<std::string>{"DLX_Taverne.d", "NPCS_Taverne.d"}));
    const TSettings collected = Window.CollectSettings();
    EXPECT_EQ(collected.ProjectName, "Taverne");
    EXPECT_FALSE(collected.SeparateVariables);
    EXPECT_TRUE(collected.NpcGlobals);
}

} // namespace
} // namespace redewerk
