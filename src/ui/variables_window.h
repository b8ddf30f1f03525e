#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace redewerk {

class TProject;

// "Variablen und Makros": the project's text of global variables and macros, edited in place.
// The window does not block the main window and stays above it; typing changes the project at
// once, and closing only hides the window. Enter indents the new line like the line before,
// a typed "}" first takes back a Tab before it.
class TFIntList : public QDialog {
    Q_OBJECT
public:
    TFIntList(TProject& project, QWidget* parent = nullptr);

    QPlainTextEdit* Text() const { return Lines; }

    // Shows the window above the main window without moving it or taking the focus.
    void ShowAbove();
    // Shows the project's text anew, after loading, clearing or an import changed it.
    void ShowProjectText();

signals:
    // The user changed the text, and with it the project.
    void Edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StoreText();

    TProject& Project;
    QPlainTextEdit* Lines;
    bool Showing = false; // the field is being filled from the project, not typed into
};

} // namespace redewerk
