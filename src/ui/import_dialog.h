#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace redewerk {

class TFImportProgress;
class TFSkippedScripts;
class TFMain;
class TFileSystem;
class TProject;
class TPrompter;

// "Daedalus Scripte importieren": the scripts to import, in the order they are read, whether
// each gets a sub-folder and whether the blocks keep the scripts' names; "Abbrechen" or Escape
// closes it without an import. The dialog lives as long as the main window, so the list keeps
// its entries from one import to the next.
class TFImport : public QDialog {
    Q_OBJECT
public:
    explicit TFImport(TPrompter& prompter, QWidget* parent = nullptr);

    // The listed paths, in list order.
    QStringList Paths() const;
    bool FolderForEachChecked() const;
    bool KeepNamesChecked() const;

    // Appends the paths the list does not hold yet (compared without regard to letter case);
    // for each one it holds, a message names it.
    void AddPaths(const QStringList& paths);
    // "Hinzufügen": the file chooser, several files at once.
    void BtAddClick();
    // Exchange the selected entry with its neighbour; it stays selected.
    void MoveUp();
    void MoveDown();
    // The Delete key in the list.
    void DeleteSelected();

    QListWidget* FileList() const { return List; }
    QCheckBox* FolderForEach() const { return FolderBox; }
    QCheckBox* KeepNames() const { return KeepNamesBox; }
    QPushButton* StartButton() const { return BtnStart; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Swap(int row, int other);

    TPrompter& Prompter;
    QListWidget* List;
    QCheckBox* FolderBox;
    QCheckBox* KeepNamesBox;
    QPushButton* BtnStart;
};

// The "Importieren" command: the file list, then the import with its progress window. A
// script that cannot be imported is left out, and the scripts left out are listed in one
// summary at the end; an internal error is shown and leaves the project as it was.
void RunScriptImportCommand(TFImport& dialog, TFImportProgress& progress, TFSkippedScripts& summary,
                            TProject& project, TFileSystem& files, TPrompter& prompter);

// Creates the file list and progress windows for the main window's whole run and lets
// `button` start the command.
void ConnectScriptImport(TFMain& window, QPushButton* button, TProject& project, TFileSystem& files,
                         TPrompter& prompter);

} // namespace redewerk
