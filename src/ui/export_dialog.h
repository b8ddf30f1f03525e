#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace redewerk {

class TPrompter;
struct TCompiled;

// "Exportieren": asks for the project name, the target folder and the export options. OK
// (or Enter in the name field) refuses an empty name or one with special characters, and an
// empty library file when the output units are to be updated; otherwise the choices go into
// the export state and the dialog closes. "Abbrechen" (or Escape, or
// closing the window) puts every field back as it was when the dialog opened.
class TFExport : public QDialog {
    Q_OBJECT
public:
    TFExport(TCompiled& compiled, TPrompter& prompter, QWidget* parent = nullptr);

    // Asks for a file to take folder and name from; empty when cancelled. Tests replace it.
    std::function<QString()> PickFile;
    // Where the "..." chooser starts.
    QString StartFolder;
    // Asks for the output-unit library (it need not exist yet); empty when cancelled. Tests
    // replace it.
    std::function<QString()> PickLibrary;

    QLineEdit* FileName() const { return NameField; }
    QLineEdit* Folder() const { return FolderField; }
    QCheckBox* WriteEventFile() const { return EventFile; }
    QCheckBox* WriteStoryGlobals() const { return StoryGlobals; }
    QCheckBox* WriteNpcGlobals() const { return NpcGlobals; }
    QRadioButton* CodeAsEvents() const { return Events; }
    QRadioButton* CodeAsDialogs() const { return Dialogs; }
    QCheckBox* UpdateOutputUnits() const { return OutputUnits; }
    QLineEdit* OutputUnitsFile() const { return LibraryField; }
    QPushButton* OkButton() const { return Ok; }
    QPushButton* CancelButton() const { return Cancel; }

    // "...": fills folder and name from the picked file.
    void ChoseFolder();
    // The "..." beside the library: puts the picked file into its field.
    void ChoseLibrary();
    // OK: checks the name, stores the choices and closes.
    void Accept();
    // "Abbrechen": the fields as they were when the dialog opened; nothing is stored.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // What the fields show, to be put back when the dialog is cancelled.
    struct TFieldState {
        QString Name;
        QString Folder;
        bool EventFile = true;
        bool StoryGlobals = true;
        bool NpcGlobals = false;
        bool CodeAsDialogs = false;
        bool OutputUnits = false;
        QString Library;
    };

    TCompiled& Compiled;
    TPrompter& Prompter;
    QLineEdit* NameField;
    QLineEdit* FolderField;
    QCheckBox* EventFile;
    QCheckBox* StoryGlobals;
    QCheckBox* NpcGlobals;
    QRadioButton* Events;
    QRadioButton* Dialogs;
    QCheckBox* OutputUnits;
    QLineEdit* LibraryField;
    QPushButton* ChoseLibraryButton;
    QPushButton* Ok;
    QPushButton* Cancel;
    TFieldState Opened; // the fields when the dialog was last shown
};

} // namespace redewerk
