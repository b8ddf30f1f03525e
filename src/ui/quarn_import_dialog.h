#pragma once

#include "import/dia_import.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace redewerk {

class TFMain;
class TFileSystem;
class TProject;
class TPrompter;

// "Quarn Dialog Datei (*.dia) importieren": picks a file of the Quarn Dialog Creator and where
// its content goes (replace the project, append it, or put it into the selected folder), runs
// the import with a progress bar and closes when it is done. "Abbrechen" or Escape leaves the
// project as it is.
class TFImportQuarn : public QDialog {
    Q_OBJECT
public:
    TFImportQuarn(TProject& project, TFileSystem& files, TPrompter& prompter,
                  QWidget* parent = nullptr);

    // The radio group's item: 0 replace, 1 append, 2 into the selected folder.
    int Option() const;
    void SetOption(int option);

    // "OK": a missing file is reported and the dialog stays open; otherwise the file is
    // imported and the dialog closes accepted.
    void Execute();
    // "...": the file chooser; the chosen name goes into the path field.
    void ChoseFolder();

    // Asked before the import replaces the project; false keeps the dialog open and the
    // project as it is. Unset: no question.
    void SetReplaceConfirmation(std::function<bool()> confirm) {
        ConfirmReplace = std::move(confirm);
    }

    // What the last import did (which node to expand, which blocks it made).
    const TDiaImportResult& LastResult() const { return Result; }

    QLineEdit* PathField() const { return Path; }
    QRadioButton* OptionButton(int option) const;
    QProgressBar* Bar() const { return ProgressBar; }
    QPushButton* ExecuteButton() const { return OkButton; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TProject& Project;
    TFileSystem& Files;
    TPrompter& Prompter;
    QLineEdit* Path;
    QButtonGroup* Options;
    QProgressBar* ProgressBar;
    QPushButton* OkButton;
    TDiaImportResult Result;
    std::function<bool()> ConfirmReplace;
};

// Creates the import dialog for the main window's whole run and lets `button` ("QDC-Import")
// open it modally. After an import the tree shows the new blocks expanded.
void ConnectQuarnImport(TFMain& window, QPushButton* button, TProject& project, TFileSystem& files,
                        TPrompter& prompter);

} // namespace redewerk
