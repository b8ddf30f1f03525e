#include "ui/import_dialog.h"

#include "import/importer.h"
#include "model/prompter.h"
#include "ui/import_progress_window.h"
#include "ui/main_window.h"
#include "ui/skipped_scripts_window.h"
#include "ui/text_codec.h"
#include "ui/variables_window.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace redewerk {

TFImport::TFImport(TPrompter& prompter, QWidget* parent)
    : QDialog(parent), Prompter(prompter), List(new QListWidget(this)),
      FolderBox(new QCheckBox(QStringLiteral("Unterordner für jede Datei anlegen"), this)),
      KeepNamesBox(new QCheckBox(QStringLiteral("Namen beibehalten"), this)),
      BtnStart(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("FImport"));
    setWindowTitle(QStringLiteral("Daedalus Scripte importieren"));

    List->setObjectName(QStringLiteral("FileList"));
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setMinimumSize(420, 220);
    List->installEventFilter(this);
    FolderBox->setObjectName(QStringLiteral("FolderForEach"));
    FolderBox->setChecked(true);
    KeepNamesBox->setObjectName(QStringLiteral("KeepNames"));
    KeepNamesBox->setToolTip(
        QStringLiteral("Instanzen, Funktionen und gesprochene Zeilen behalten ihre Namen aus den "
                       "Skripten, damit der Export sie in einer Mod ersetzen kann"));
    BtnStart->setObjectName(QStringLiteral("BtnStart"));
    BtnStart->setDefault(true);

    auto* add = new QPushButton(QStringLiteral("Hinzufügen..."), this);
    add->setObjectName(QStringLiteral("BtAdd"));
    auto* up = new QPushButton(QStringLiteral("Nach oben"), this);
    up->setObjectName(QStringLiteral("BtnUp"));
    auto* down = new QPushButton(QStringLiteral("Nach unten"), this);
    down->setObjectName(QStringLiteral("BtnDown"));
    connect(add, &QPushButton::clicked, this, &TFImport::BtAddClick);
    connect(up, &QPushButton::clicked, this, &TFImport::MoveUp);
    connect(down, &QPushButton::clicked, this, &TFImport::MoveDown);
    connect(BtnStart, &QPushButton::clicked, this, &QDialog::accept);
    // Like Escape: nothing is imported.
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("BtnCancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(up);
    buttons->addWidget(down);
    buttons->addStretch(1);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(List, 1);
    listRow->addLayout(buttons);
    auto* options = new QVBoxLayout;
    options->addWidget(FolderBox);
    options->addWidget(KeepNamesBox);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addLayout(options, 1);
    bottomRow->addWidget(BtnStart, 0, Qt::AlignBottom);
    bottomRow->addWidget(cancel, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listRow);
    layout->addLayout(bottomRow);
}

QStringList TFImport::Paths() const {
    QStringList paths;
    for (int row = 0; row < List->count(); ++row)
        paths << List->item(row)->text();
    return paths;
}

bool TFImport::FolderForEachChecked() const {
    return FolderBox->isChecked();
}

bool TFImport::KeepNamesChecked() const {
    return KeepNamesBox->isChecked();
}

void TFImport::AddPaths(const QStringList& paths) {
    for (const QString& path : paths) {
        bool listed = false;
        for (int row = 0; row < List->count() && !listed; ++row)
            listed = List->item(row)->text().compare(path, Qt::CaseInsensitive) == 0;
        if (listed)
            Prompter.ShowMessage("Die Datei \"" + FromQt(path) + "\" ist bereits in der Liste!");
        else
            List->addItem(path);
    }
}

void TFImport::BtAddClick() {
    const QStringList chosen = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Scripte zum Importieren auswählen"), QDir::currentPath(),
        QStringLiteral("Daedalus Scripte (*.d);;Alle Dateien (*)"));
    AddPaths(chosen);
}

void TFImport::Swap(int row, int other) {
    QListWidgetItem* first = List->item(row);
    QListWidgetItem* second = List->item(other);
    const QString text = first->text();
    first->setText(second->text());
    second->setText(text);
    List->setCurrentRow(other);
}

void TFImport::MoveUp() {
    const int row = List->currentRow();
    if (row > 0) Swap(row, row - 1);
}

void TFImport::MoveDown() {
    const int row = List->currentRow();
    if (row >= 0 && row + 1 < List->count()) Swap(row, row + 1);
}

void TFImport::DeleteSelected() {
    const int row = List->currentRow();
    if (row >= 0) delete List->takeItem(row);
}

bool TFImport::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteSelected();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void RunScriptImportCommand(TFImport& dialog, TFImportProgress& progress, TFSkippedScripts& summary,
                            TProject& project, TFileSystem& files, TPrompter& prompter) {
    if (dialog.exec() != QDialog::Accepted) return;
    std::vector<std::string> paths;
    for (const QString& path : dialog.Paths())
        paths.push_back(PathFromQt(path));
    progress.ShowProgress("Progress...", 0, -1, 0);
    progress.show();
    progress.raise();
    progress.repaint();
    TImportOptions options;
    options.FolderForEach = dialog.FolderForEachChecked();
    options.KeepNames = dialog.KeepNamesChecked();
    const TScriptImportResult result =
        RunScriptImport(project, paths, options, files, prompter, &progress);
    progress.hide();
    if (!result.Skipped.empty()) summary.ShowReport(result.Skipped, paths.size());
}

void ConnectScriptImport(TFMain& window, QPushButton* button, TProject& project, TFileSystem& files,
                         TPrompter& prompter) {
    auto* dialog = new TFImport(prompter, &window);
    auto* progress = new TFImportProgress(&window);
    auto* summary = new TFSkippedScripts(&window);
    QObject::connect(button, &QPushButton::clicked, &window,
                     [&window, dialog, progress, summary, &project, &files, &prompter] {
                         window.CommitFocusedField();
                         RunScriptImportCommand(*dialog, *progress, *summary, project, files,
                                                prompter);
                         // The import adds the scripts' global declarations.
                         window.VariablesWindow()->ShowProjectText();
                         window.ScheduleChangeCheck();
                     });
}

} // namespace redewerk
