#include "window_fixture.h"

#include "ui/export_dialog.h"
#include "ui/export_findings_dialog.h"

#include "codegen/export_options.h"
#include "model/native_path.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTreeWidget>

#include <filesystem>

namespace redewerk {
namespace {

struct TExportDialogTest : testing::TWindowFixture {
    void SetUp() override {
        testing::TWindowFixture::SetUp();
        Tschuess->Element()->Npc = "Wirt"; // without an NPC its instance would not compile
    }

    TFExport* Dialog() const { return Window.ExportDialog(); }
    TFExportFindings* Findings() const { return Window.FindingsDialog(); }

    // Does `act` in the findings window once the export opens it (after the export dialog has
    // closed), then closes it if `act` left it open.
    void WhenFindingsShown(std::function<void()> act) {
        auto* timer = new QTimer(&Window);
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, timer, [this, timer, act] {
            if (!Findings()->isVisible()) return;
            timer->stop();
            timer->deleteLater();
            act();
            if (Findings()->isVisible()) Findings()->reject();
        });
        timer->start();
    }

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

// A name that cannot be a file name is refused with the reason; the dialog stays open with
// everything the user put in.
TEST_F(TExportDialogTest, RefusesEmptyNamesAndSpecialCharactersAndStaysOpen) {
    const std::pair<QString, std::string> cases[] = {
        {QStringLiteral(""), "Bitte einen Projektnamen angeben."},
        {QStringLiteral("Mein Projekt"), "Sonderzeichen sind im Projektnamen nicht erlaubt!"},
        {QString::fromUtf8("Wirtshäuser"), "Sonderzeichen sind im Projektnamen nicht erlaubt!"},
    };
    for (const auto& [name, message] : cases) {
        Prompter.Messages.clear();
        Export(
            [&](TFExport& dialog) {
                dialog.FileName()->setText(name);
                dialog.Folder()->setText(QStringLiteral("export"));
                dialog.WriteNpcGlobals()->setChecked(true);
                QTest::keyClick(dialog.FileName(), Qt::Key_Return);
                EXPECT_TRUE(dialog.isVisible());
                EXPECT_EQ(dialog.FileName()->text(), name);
                EXPECT_EQ(dialog.Folder()->text(), QStringLiteral("export"));
                EXPECT_TRUE(dialog.WriteNpcGlobals()->isChecked());
            },
            false);
        EXPECT_EQ(Prompter.Messages, std::vector<std::string>{message});
    }
    EXPECT_EQ(Window.ExportState().ProjectName, "");
    EXPECT_TRUE(Files.Files.empty());
}

// "Abbrechen", Escape and the close button leave everything as it was: the export state, the
// fields and options of the dialog, and the files.
TEST_F(TExportDialogTest, CancellingLeavesEverythingAsItWas) {
    Export([](TFExport& dialog) {
        dialog.FileName()->setText(QStringLiteral("Wirt"));
        dialog.Folder()->setText(QStringLiteral("export"));
    });
    Files.Files.clear();
    const TSettings before = Window.CollectSettings();
    const std::function<void(TFExport&)> cancels[] = {
        [](TFExport& dialog) { QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton); },
        [](TFExport& dialog) { QTest::keyClick(dialog.FileName(), Qt::Key_Escape); },
        [](TFExport& dialog) { dialog.close(); },
    };
    for (const auto& cancel : cancels) {
        Export(
            [&](TFExport& dialog) {
                dialog.FileName()->setText(QStringLiteral("Anders"));
                dialog.Folder()->setText(QStringLiteral("woanders"));
                dialog.WriteEventFile()->setChecked(false);
                dialog.WriteNpcGlobals()->setChecked(true);
                dialog.CodeAsDialogs()->setChecked(true);
                dialog.UpdateOutputUnits()->setChecked(true);
                dialog.OutputUnitsFile()->setText(QStringLiteral("OU.csl"));
                cancel(dialog);
                EXPECT_FALSE(dialog.isVisible());
            },
            false);
        EXPECT_TRUE(Files.Files.empty());
        EXPECT_EQ(Window.ExportState().ProjectName, "Wirt");
        EXPECT_EQ(Window.ExportState().Folder, "export");
        EXPECT_FALSE(Dialog()->CodeAsDialogs()->isChecked());
        EXPECT_FALSE(Dialog()->OutputUnitsFile()->isEnabled());
        EXPECT_TRUE(Window.CollectSettings() == before);
    }
    Export(
        [](TFExport& dialog) {
            EXPECT_EQ(dialog.FileName()->text(), QStringLiteral("Wirt"));
            EXPECT_EQ(dialog.Folder()->text(), QStringLiteral("export"));
        },
        false);
}

TEST_F(TExportDialogTest, TheChooserFillsFolderAndName) {
    const char* const cases[][3] = {
        {"/mod/skripte/NPCS_Wirt.d", "/mod/skripte/", "Wirt"},
        {"", "/mod/skripte/", "Wirt"}, // cancelled: the fields stay
    };
    for (const auto& [picked, folder, name] : cases) {
        Dialog()->PickFile = [picked] { return QString::fromLatin1(picked); };
        Dialog()->ChoseFolder();
        EXPECT_EQ(Dialog()->Folder()->text(), QString::fromLatin1(folder)) << picked;
        EXPECT_EQ(Dialog()->FileName()->text(), QString::fromLatin1(name)) << picked;
    }
}

// The options reach the export; the next export starts with the last name and folder. File
// names are native (UTF-8) bytes: a folder with umlauts stays the same folder from the dialog
// to the export, to the next export and to the settings.
TEST_F(TExportDialogTest, ExportsWithTheChosenOptions) {
    const QString folder = QString::fromUtf8("ausgabe_ä");
    Export([&](TFExport& dialog) {
        dialog.FileName()->setText(QStringLiteral("Wirt"));
        dialog.Folder()->setText(folder);
        dialog.WriteEventFile()->setChecked(false);
        dialog.WriteStoryGlobals()->setChecked(false);
        dialog.CodeAsDialogs()->setChecked(true);
    });
    EXPECT_TRUE(Window.statusBar()->currentMessage().endsWith(folder));
    EXPECT_EQ(Written("ausgabe_\xC3\xA4"), std::vector<std::string>{"DLX_Wirt.d"});
    EXPECT_FALSE(Window.ExportState().SeparateEvents);
    EXPECT_TRUE(Window.ExportState().CodeAsDialog);

    Export([&](TFExport& dialog) {
        EXPECT_EQ(dialog.FileName()->text(), QStringLiteral("Wirt"));
        EXPECT_EQ(dialog.Folder()->text(), folder);
        dialog.WriteEventFile()->setChecked(true);
        dialog.WriteStoryGlobals()->setChecked(true);
    });
    EXPECT_EQ(Written("ausgabe_\xC3\xA4"),
              (std::vector<std::string>{"DIA_Wirt.d", "EVT_Wirt.d", "VAR_Wirt.d"}));
    EXPECT_EQ(Window.CollectSettings().ExportFolder, "ausgabe_\xC3\xA4");
}

// The settings fill the dialog and take its choices back.
TEST_F(TExportDialogTest, TheSettingsFillTheDialogAndTakeItsChoices) {
    TSettings settings;
    settings.ProjectName = "Taverne";
    settings.ExportFolder = "ziel_\xC3\xA4";
    settings.SeparateEvents = false;
    settings.NpcGlobals = true;
    settings.UpdateOutputUnits = true;
    settings.OutputUnitsFile = "spiel_\xC3\xA4/OU.csl";
    Window.ApplySettings(settings);
    Export([](TFExport& dialog) {
        EXPECT_EQ(dialog.FileName()->text(), QStringLiteral("Taverne"));
        EXPECT_EQ(dialog.Folder()->text(), QString::fromUtf8("ziel_ä"));
        EXPECT_FALSE(dialog.WriteEventFile()->isChecked());
        EXPECT_TRUE(dialog.WriteNpcGlobals()->isChecked());
        EXPECT_TRUE(dialog.WriteStoryGlobals()->isChecked());
        EXPECT_TRUE(dialog.UpdateOutputUnits()->isChecked());
        EXPECT_EQ(dialog.OutputUnitsFile()->text(), QString::fromUtf8("spiel_ä/OU.csl"));
        dialog.WriteStoryGlobals()->setChecked(false);
    });
    EXPECT_EQ(Files.Files.count("spiel_\xC3\xA4/OU.csl"), 1u);
    EXPECT_EQ(Written("ziel_\xC3\xA4"),
              (std::vector<std::string>{"DLX_Taverne.d", "NPCS_Taverne.d"}));
    const TSettings collected = Window.CollectSettings();
    EXPECT_EQ(collected.ProjectName, "Taverne");
    EXPECT_FALSE(collected.SeparateVariables);
    EXPECT_TRUE(collected.NpcGlobals);
    EXPECT_TRUE(collected.UpdateOutputUnits);
    EXPECT_EQ(collected.OutputUnitsFile, "spiel_\xC3\xA4/OU.csl");
}

// After the scripts, the spoken lines go into the chosen library, and a compiled library
// beside it is deleted when the user agrees. Without a library file OK is refused.
TEST_F(TExportDialogTest, UpdatesTheOutputUnitsAfterTheScripts) {
    Hallo->Element()->Body = {">>Hallo!", "<<Was willst du?"};
    Files.Files["/spiel/OU.bin"] = "alt";
    Prompter.YesNoAnswers = {true};
    Export([this](TFExport& dialog) {
        dialog.FileName()->setText(QStringLiteral("Wirt"));
        dialog.Folder()->setText(QStringLiteral("export"));
        EXPECT_FALSE(dialog.OutputUnitsFile()->isEnabled());
        dialog.UpdateOutputUnits()->setChecked(true);
        EXPECT_TRUE(dialog.OutputUnitsFile()->isEnabled());
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Prompter.Messages, std::vector<std::string>{kNoOutputUnitsFile});
        dialog.PickLibrary = [] { return QStringLiteral("/spiel/OU.csl"); };
        QTest::mouseClick(Find<QPushButton>("ChoseOutputUnits"), Qt::LeftButton);
        EXPECT_EQ(dialog.OutputUnitsFile()->text(), QStringLiteral("/spiel/OU.csl"));
    });
    const std::string& library = Files.Files["/spiel/OU.csl"];
    for (const char* line :
         {"\t\tblockName=string:DIA_WIRT_HALLO_00\n", "\t\t\t\ttext=string:Hallo!\n",
          "\t\t\t\ttext=string:Was willst du?\n"})
        EXPECT_NE(library.find(line), std::string::npos) << line;
    EXPECT_EQ(Files.Files.count("/spiel/OU.bin"), 0u);
    ASSERT_FALSE(Prompter.Questions.empty()); // the NPC's instance name comes first
    EXPECT_TRUE(Prompter.Questions.back().starts_with("Ausgabeeinheiten: 2 hinzugef\xFCgt"));
    EXPECT_TRUE(Window.statusBar()->currentMessage().endsWith(
        QString::fromUtf8("; Ausgabeeinheiten: 2 hinzugefügt, 0 ersetzt, 0 unverändert.")));
}

// Code that will not compile is listed before anything is written: "Nein" keeps every file as it
// was, "Ja" writes them all.
TEST_F(TExportDialogTest, FindingsAreShownBeforeWriting) {
    Hilfen->Element()->Body = {"var int Zaehler"};
    const std::string events = PathToUtf8(std::filesystem::absolute("export/EVT_Wirt.d"));
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Ja" : "Nein");
        Files.Files = {{events, "alt"}};
        Prompter.OverwriteAnswers = {TPrompter::TOverwriteAnswer::Yes};
        WhenFindingsShown([&] {
            QTreeWidget* list = Findings()->List();
            ASSERT_EQ(list->topLevelItemCount(), 1);
            QStringList row;
            for (int column = 0; column < list->columnCount(); ++column)
                row << list->topLevelItem(0)->text(column);
            EXPECT_EQ(row, (QStringList{"EVT_Wirt.d", "10", "16",
                                        QString::fromUtf8("Komma oder Semikolon nach "
                                                          "Parameterdeklaration erwartet."),
                                        "Hilfen"}));
            QTest::mouseClick(yes ? Findings()->YesButton() : Findings()->NoButton(),
                              Qt::LeftButton);
        });
        Export([](TFExport& dialog) {
            dialog.FileName()->setText(QStringLiteral("Wirt"));
            dialog.Folder()->setText(QStringLiteral("export"));
        });
        if (!yes) {
            EXPECT_EQ(Files.Files, (std::map<std::string, std::string>{{events, "alt"}}));
        }
        EXPECT_EQ(Written("export").size(), yes ? 3u : 1u);
    }
}

// A double-click on a finding closes the list without writing and shows the block.
TEST_F(TExportDialogTest, DoubleClickOnAFindingSelectsItsBlock) {
    Tschuess->Element()->Body = {"x = ;"};
    Click(Hallo);
    WhenFindingsShown([&] {
        QTreeWidget* list = Findings()->List();
        ASSERT_EQ(list->topLevelItemCount(), 1);
        QTreeWidgetItem* row = list->topLevelItem(0);
        EXPECT_EQ(row->text(4), QStringLiteral("Wirt\\Tschuess"));
        const QPoint at = list->visualItemRect(row).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        EXPECT_FALSE(Findings()->isVisible());
    });
    Export([](TFExport& dialog) {
        dialog.FileName()->setText(QStringLiteral("Wirt"));
        dialog.Folder()->setText(QStringLiteral("export"));
    });
    EXPECT_TRUE(Written("export").empty());
    EXPECT_EQ(Window.SelectedNode(), Tschuess);
}

} // namespace
} // namespace redewerk
