#include "ui/quarn_import_dialog.h"

#include "import/progress.h"
#include "model/file_system.h"
#include "model/prompter.h"
#include "ui/block_tree_model.h"
#include "ui/block_tree_view.h"
#include "ui/main_window.h"
#include "ui/text_codec.h"
#include "ui/variables_window.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace redewerk {
namespace {

// The import runs on the user-interface thread without processing events, so the bar is
// repainted at once after every step.
class TBarProgress : public TImportProgress {
public:
    explicit TBarProgress(QProgressBar* bar) : Bar(bar) {}
    void ShowProgress(const std::string&, int, int, int barValue) override {
        Bar->setValue(barValue);
        Bar->repaint();
    }

private:
    QProgressBar* Bar;
};

} // namespace

TFImportQuarn::TFImportQuarn(TProject& project, TFileSystem& files, TPrompter& prompter,
                             QWidget* parent)
    : QDialog(parent), Project(project), Files(files), Prompter(prompter),
      Path(new QLineEdit(this)), Options(new QButtonGroup(this)),
      ProgressBar(new QProgressBar(this)), OkButton(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("FImportQuarn"));
    setWindowTitle(QStringLiteral("Quarn Dialog Datei (*.dia) importieren"));

    auto* fileLabel = new QLabel(QStringLiteral("Datei"), this);
    Path->setObjectName(QStringLiteral("Path"));
    Path->setMinimumWidth(320);
    fileLabel->setBuddy(Path);
    auto* chooser = new QPushButton(QStringLiteral("..."), this);
    chooser->setObjectName(QStringLiteral("ChoseFolder"));
    chooser->setFixedWidth(32);
    connect(chooser, &QPushButton::clicked, this, &TFImportQuarn::ChoseFolder);

    auto* group = new QGroupBox(QStringLiteral("Den Inhalt . . ."), this);
    group->setObjectName(QStringLiteral("Options"));
    auto* groupLayout = new QVBoxLayout(group);
    const QString items[] = {
        QStringLiteral(". . . laden und aktuelle Szene verwerfen"),
        QStringLiteral(". . . ans Ende der aktuellen Szene anfügen"),
        QStringLiteral(". . . in markierten Ordner einfügen"),
    };
    for (int option = 0; option < 3; ++option) {
        auto* button = new QRadioButton(items[option], group);
        Options->addButton(button, option);
        groupLayout->addWidget(button);
    }
    SetOption(1);

    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 1000);
    ProgressBar->setTextVisible(false);
    OkButton->setObjectName(QStringLiteral("Execute"));
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &TFImportQuarn::Execute);
    // Like Escape: the project stays as it is.
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(Path, 1);
    fileRow->addWidget(chooser);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(ProgressBar, 1);
    bottomRow->addWidget(OkButton);
    bottomRow->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addWidget(group);
    layout->addLayout(bottomRow);
}

int TFImportQuarn::Option() const {
    return Options->checkedId();
}

void TFImportQuarn::SetOption(int option) {
    if (QAbstractButton* button = Options->button(option)) button->setChecked(true);
}

QRadioButton* TFImportQuarn::OptionButton(int option) const {
    return static_cast<QRadioButton*>(Options->button(option));
}

void TFImportQuarn::showEvent(QShowEvent* event) {
    ProgressBar->setValue(0);
    QDialog::showEvent(event);
}

void TFImportQuarn::ChoseFolder() {
    QFileDialog chooser(this, QStringLiteral("QDC Script auswählen"), Path->text(),
                        QStringLiteral("Quarn Dialog Creator Script (*.dia);;Alle Dateien (*)"));
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setDefaultSuffix(QStringLiteral("dia"));
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
        Path->setText(chooser.selectedFiles().first());
}

void TFImportQuarn::Execute() {
    std::string path = PathFromQt(Path->text());
    if (Path->text().isEmpty() || !Files.FileExists(path)) {
        Prompter.ShowMessage("Die angegebene Datei existiert nicht!");
        return;
    }
    if (Option() == static_cast<int>(TDiaImportMode::ReplaceProject) && ConfirmReplace &&
        !ConfirmReplace())
        return;
    TBarProgress progress(ProgressBar);
    Result = ImportDiaFile(Project, path, static_cast<TDiaImportMode>(Option()), Files, Prompter,
                           &progress);
    SetOption(static_cast<int>(Result.Mode));
    if (Result.Imported) accept();
}

void ConnectQuarnImport(TFMain& window, QPushButton* button, TProject& project, TFileSystem& files,
                        TPrompter& prompter) {
    auto* dialog = new TFImportQuarn(project, files, prompter, &window);
    dialog->SetReplaceConfirmation([&window] { return window.AskToSaveChanges(); });
    QObject::connect(button, &QPushButton::clicked, &window, [&window, dialog] {
        // The field being edited belongs to the block that is selected now.
        window.CommitFocusedField();
        const bool imported = dialog->exec() == QDialog::Accepted;
        window.VariablesWindow()->ShowProjectText(); // the file's global declarations
        window.ScheduleChangeCheck();
        if (!imported) return;
        // The project that replaced the open one has no file yet.
        if (dialog->LastResult().Mode == TDiaImportMode::ReplaceProject) window.ForgetProjectFile();
        if (!window.SelectedNode()) window.ClearEditor();
        if (TNode* node = dialog->LastResult().ExpandNode)
            window.TreeView()->expandRecursively(window.TreeModel()->IndexOf(node));
        else
            window.FullExpand();
    });
}

} // namespace redewerk
