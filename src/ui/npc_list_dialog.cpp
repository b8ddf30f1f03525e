#include "ui/npc_list_dialog.h"

#include "model/npc_list.h"
#include "ui/text_codec.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace redewerk {

TFNPCLIST::TFNPCLIST(TNpcList& npcs, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), Npcs(npcs), Prompter(prompter), Lines(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("FNPCLIST"));
    setWindowTitle(QStringLiteral("Instanznamen"));
    Lines->setObjectName(QStringLiteral("NpcLines"));
    Lines->setAccessibleName(QStringLiteral("Instanznamen"));
    Lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lines);
    resize(420, 480);
}

void TFNPCLIST::showEvent(QShowEvent* event) {
    Shown = LinesToQt(Npcs.AsLines());
    TableShown = true;
    Lines->setPlainText(Shown);
    Lines->setFocus();
    QDialog::showEvent(event);
}

void TFNPCLIST::done(int result) {
    // An untouched text leaves the table as it is: reading the lines back would split a clear
    // name that holds a "=" at the wrong place.
    const QString text = EditorText(Lines);
    if (!TableShown || text != Shown) {
        TableShown = false;
        if (!Npcs.RebuildFromLines(LinesFromQt(text), Prompter)) {
            Lines->setFocus();
            return; // stays open
        }
    }
    QDialog::done(result);
}

} // namespace redewerk
