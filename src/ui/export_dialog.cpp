#include "ui/export_dialog.h"

#include "codegen/compiled.h"
#include "codegen/export_options.h"
#include "model/prompter.h"
#include "ui/text_codec.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace redewerk {

TFExport::TFExport(TCompiled& compiled, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), Compiled(compiled), Prompter(prompter), NameField(new QLineEdit(this)),
      FolderField(new QLineEdit(this)),
      EventFile(new QCheckBox(QStringLiteral("Events in eine gesonderte Datei"), this)),
      StoryGlobals(new QCheckBox(QStringLiteral("Variablen in eine gesonderte Datei"), this)),
      NpcGlobals(new QCheckBox(QStringLiteral("Npc-Globals Ableger erstellen"), this)),
      Events(new QRadioButton(QStringLiteral("Events"), this)),
      Dialogs(new QRadioButton(QStringLiteral("Dialoge"), this)),
      OutputUnits(new QCheckBox(QStringLiteral("Ausgabeeinheiten (OU.csl) aktualisieren"), this)),
      LibraryField(new QLineEdit(this)),
      ChoseLibraryButton(new QPushButton(QStringLiteral("..."), this)),
      Ok(new QPushButton(QStringLiteral("OK"), this)),
      Cancel(new QPushButton(QStringLiteral("Abbrechen"), this)) {
    setObjectName(QStringLiteral("FExport"));
    setWindowTitle(QStringLiteral("Exportieren"));
    NameField->setObjectName(QStringLiteral("FileName"));
    FolderField->setObjectName(QStringLiteral("Folder"));
    EventFile->setObjectName(QStringLiteral("writeEventFile"));
    StoryGlobals->setObjectName(QStringLiteral("WriteStoryGlobals"));
    NpcGlobals->setObjectName(QStringLiteral("WriteNpcGlobals"));
    FolderField->setMinimumWidth(320);
    EventFile->setChecked(true);
    StoryGlobals->setChecked(true);
    Events->setChecked(true);

    auto* chose = new QPushButton(QStringLiteral("..."), this);
    chose->setObjectName(QStringLiteral("ChoseFolder"));
    chose->setAutoDefault(false);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(FolderField, 1);
    folderRow->addWidget(chose);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Projektname"), NameField);
    form->addRow(QStringLiteral("Ordner"), folderRow);

    auto* codeGroup = new QGroupBox(QStringLiteral("Code Objekte einordnen wie ... "), this);
    codeGroup->setObjectName(QStringLiteral("CodeIsDialog"));
    auto* codeLayout = new QHBoxLayout(codeGroup);
    codeLayout->addWidget(Events);
    codeLayout->addWidget(Dialogs);
    codeLayout->addStretch(1);

    // The library field names no control of its own: the check box above says what it is.
    OutputUnits->setObjectName(QStringLiteral("UpdateOutputUnits"));
    LibraryField->setObjectName(QStringLiteral("OutputUnitsFile"));
    LibraryField->setAccessibleName(QStringLiteral("Datei der Ausgabeeinheiten"));
    LibraryField->setPlaceholderText(QStringLiteral("_work/Data/Scripts/Content/Cutscene/OU.csl"));
    ChoseLibraryButton->setObjectName(QStringLiteral("ChoseOutputUnits"));
    ChoseLibraryButton->setAccessibleName(QStringLiteral("Ausgabeeinheiten wählen"));
    ChoseLibraryButton->setAutoDefault(false);
    auto* libraryRow = new QHBoxLayout;
    libraryRow->addSpacing(20);
    libraryRow->addWidget(LibraryField, 1);
    libraryRow->addWidget(ChoseLibraryButton);
    auto enableLibrary = [this](bool on) {
        LibraryField->setEnabled(on);
        ChoseLibraryButton->setEnabled(on);
    };
    enableLibrary(false);
    connect(OutputUnits, &QCheckBox::toggled, this, enableLibrary);

    Ok->setDefault(true);
    Cancel->setObjectName(QStringLiteral("Abbrechen"));
    Cancel->setAutoDefault(false);
    auto* okRow = new QHBoxLayout;
    okRow->addStretch(1);
    okRow->addWidget(Ok);
    okRow->addWidget(Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    for (QCheckBox* box : {EventFile, StoryGlobals, NpcGlobals})
        layout->addWidget(box);
    layout->addWidget(codeGroup);
    layout->addWidget(OutputUnits);
    layout->addLayout(libraryRow);
    layout->addLayout(okRow);

    PickFile = [this] {
        QFileDialog dialog(this, QStringLiteral("Projektname wählen"), StartFolder,
                           QStringLiteral("Daedalus Scripte (*.d);;Alle Dateien (*.*)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite); // only a name is picked here
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    };
    PickLibrary = [this] {
        QFileDialog dialog(this, QStringLiteral("Ausgabeeinheiten wählen"),
                           QFileInfo(LibraryField->text()).absolutePath(),
                           QStringLiteral("Ausgabeeinheiten (*.csl);;Alle Dateien (*.*)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite); // the library is merged, not replaced
        if (!LibraryField->text().isEmpty()) dialog.selectFile(LibraryField->text());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    };
    connect(chose, &QPushButton::clicked, this, &TFExport::ChoseFolder);
    connect(ChoseLibraryButton, &QPushButton::clicked, this, &TFExport::ChoseLibrary);
    connect(Ok, &QPushButton::clicked, this, &TFExport::Accept);
    connect(Cancel, &QPushButton::clicked, this, &TFExport::reject);
    // Enter in the name field presses the default button OK; Escape rejects.
}

void TFExport::ChoseFolder() {
    const QString picked = PickFile();
    if (picked.isEmpty()) return;
    const TPickedExportTarget target =
        DeriveExportTarget(PathFromQt(QDir::toNativeSeparators(picked)));
    FolderField->setText(PathToQt(target.Folder));
    NameField->setText(PathToQt(target.ProjectName)); // taken from a file name
}

void TFExport::ChoseLibrary() {
    const QString picked = PickLibrary();
    if (!picked.isEmpty()) LibraryField->setText(QDir::toNativeSeparators(picked));
}

void TFExport::showEvent(QShowEvent* event) {
    Opened = {NameField->text(),         FolderField->text(),     EventFile->isChecked(),
              StoryGlobals->isChecked(), NpcGlobals->isChecked(), Dialogs->isChecked(),
              OutputUnits->isChecked(),  LibraryField->text()};
    QDialog::showEvent(event);
}

void TFExport::reject() {
    NameField->setText(Opened.Name);
    FolderField->setText(Opened.Folder);
    EventFile->setChecked(Opened.EventFile);
    StoryGlobals->setChecked(Opened.StoryGlobals);
    NpcGlobals->setChecked(Opened.NpcGlobals);
    (Opened.CodeAsDialogs ? Dialogs : Events)->setChecked(true);
    OutputUnits->setChecked(Opened.OutputUnits);
    LibraryField->setText(Opened.Library);
    QDialog::reject();
}

void TFExport::Accept() {
    const std::string name = FromQt(NameField->text());
    if (const std::string problem = CheckProjectName(name); !problem.empty()) {
        Prompter.ShowMessage(problem);
        NameField->setFocus();
        return;
    }
    if (OutputUnits->isChecked() && LibraryField->text().trimmed().isEmpty()) {
        Prompter.ShowMessage(kNoOutputUnitsFile);
        LibraryField->setFocus();
        return;
    }
    Compiled.ProjectName = name;
    Compiled.Folder = PathFromQt(FolderField->text());
    Compiled.SeparateEvents = EventFile->isChecked();
    Compiled.SeparateVariables = StoryGlobals->isChecked();
    Compiled.WriteNpcGlobals = NpcGlobals->isChecked();
    Compiled.CodeAsDialog = Dialogs->isChecked();
    Compiled.UpdateOutputUnits = OutputUnits->isChecked();
    Compiled.OutputUnitsFile = PathFromQt(LibraryField->text());
    accept();
}

} // namespace redewerk
