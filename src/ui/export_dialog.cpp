#include "ui/export_dialog.h"

#include "codegen/compiled.h"
#include "codegen/export_options.h"
#include "model/prompter.h"
#include "ui/text_codec.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
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
    connect(chose, &QPushButton::clicked, this, &TFExport::ChoseFolder);
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

void TFExport::showEvent(QShowEvent* event) {
    Opened = {NameField->text(),         FolderField->text(),     EventFile->isChecked(),
              StoryGlobals->isChecked(), NpcGlobals->isChecked(), Dialogs->isChecked()};
    QDialog::showEvent(event);
}

void TFExport::reject() {
    NameField->setText(Opened.Name);
    FolderField->setText(Opened.Folder);
    EventFile->setChecked(Opened.EventFile);
    StoryGlobals->setChecked(Opened.StoryGlobals);
    NpcGlobals->setChecked(Opened.NpcGlobals);
    (Opened.CodeAsDialogs ? Dialogs : Events)->setChecked(true);
    QDialog::reject();
}

void TFExport::Accept() {
    const std::string name = FromQt(NameField->text());
    if (const std::string problem = CheckProjectName(name); !problem.empty()) {
        Prompter.ShowMessage(problem);
        NameField->setFocus();
        return;
    }
    Compiled.ProjectName = name;
    Compiled.Folder = PathFromQt(FolderField->text());
    Compiled.SeparateEvents = EventFile->isChecked();
    Compiled.SeparateVariables = StoryGlobals->isChecked();
    Compiled.WriteNpcGlobals = NpcGlobals->isChecked();
    Compiled.CodeAsDialog = Dialogs->isChecked();
    accept();
}

} // namespace redewerk
