#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;

namespace redewerk {

class TNpcList;
class TPrompter;

// "Instanznamen": the NPC table as one "clear name=instance name" line per entry, edited as
// plain text. Every attempt to close the window takes the lines back into the table; while a
// line lacks its "=", the window stays open with the text as the user left it.
class TFNPCLIST : public QDialog {
    Q_OBJECT
public:
    TFNPCLIST(TNpcList& npcs, TPrompter& prompter, QWidget* parent = nullptr);

    QPlainTextEdit* Text() const { return Lines; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TNpcList& Npcs;
    TPrompter& Prompter;
    QPlainTextEdit* Lines;
    QString Shown;           // the text as the table gave it when the window opened
    bool TableShown = false; // the table still holds what Shown says
};

} // namespace redewerk
