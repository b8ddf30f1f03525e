#include "ui/edit_actions.h"

#include "ui/code_editor.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

namespace redewerk {

TEditActions::TEditActions(QObject* parent)
    : QObject(parent),
      UndoAction(Make(QStringLiteral("Rückgängig"), Qt::CTRL | Qt::Key_Z, TEdit::Undo)),
      RedoAction(Make(QStringLiteral("Wiederherstellen"), Qt::CTRL | Qt::Key_Y, TEdit::Redo)),
      CutAction(Make(QStringLiteral("Ausschneiden"), Qt::CTRL | Qt::Key_X, TEdit::Cut)),
      CopyAction(Make(QStringLiteral("Kopieren"), Qt::CTRL | Qt::Key_C, TEdit::Copy)),
      PasteAction(Make(QStringLiteral("Einfügen"), Qt::CTRL | Qt::Key_V, TEdit::Paste)),
      DeleteAction(Make(QStringLiteral("Löschen"), Qt::Key_Delete, TEdit::Delete)) {}

QAction* TEditActions::Make(const QString& text, QKeyCombination key, TEdit edit) {
    auto* action = new QAction(text, this);
    // The keys are shown for reference; they act in the fields themselves, not through the
    // menu.
    action->setShortcut(QKeySequence(key));
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcutVisibleInContextMenu(true);
    connect(action, &QAction::triggered, this, [this, edit] { Act(edit); });
    return action;
}

void TEditActions::AddTo(QMenu* menu) const {
    menu->addActions({UndoAction, RedoAction});
    menu->addSeparator();
    menu->addActions({CutAction, CopyAction, PasteAction, DeleteAction});
}

void TEditActions::SetTarget(QWidget* target) {
    Target = target;
    bool writable = false;
    bool undo = false;
    bool redo = false;
    bool selection = false;
    if (auto* line = qobject_cast<QLineEdit*>(target)) {
        writable = line->isEnabled() && !line->isReadOnly();
        undo = line->isUndoAvailable();
        redo = line->isRedoAvailable();
        selection = line->hasSelectedText();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(target)) {
        writable = text->isEnabled() && !text->isReadOnly();
        if (auto* code = qobject_cast<TCodeEditor*>(text)) {
            undo = code->CanUndo();
            redo = code->CanRedo();
        } else {
            undo = text->document()->isUndoAvailable();
            redo = text->document()->isRedoAvailable();
        }
        selection = text->textCursor().hasSelection();
    }
    UndoAction->setEnabled(writable && undo);
    RedoAction->setEnabled(writable && redo);
    CutAction->setEnabled(writable && selection);
    CopyAction->setEnabled(selection);
    PasteAction->setEnabled(writable && !QGuiApplication::clipboard()->text().isEmpty());
    DeleteAction->setEnabled(writable && selection);
}

void TEditActions::Act(TEdit edit) {
    if (!Target) return;
    // Each entry acts as its key typed into the widget would, so the widget has the focus
    // first: a code editor records its history only while it is being edited.
    Target->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(Target)) {
        switch (edit) {
        case TEdit::Undo:
            line->undo();
            break;
        case TEdit::Redo:
            line->redo();
            break;
        case TEdit::Cut:
            line->cut();
            break;
        case TEdit::Copy:
            line->copy();
            break;
        case TEdit::Paste:
            line->paste();
            break;
        case TEdit::Delete:
            line->del();
            break;
        }
        return;
    }
    auto* text = qobject_cast<QPlainTextEdit*>(Target);
    if (!text) return;
    auto* code = qobject_cast<TCodeEditor*>(text);
    switch (edit) {
    case TEdit::Undo:
        code ? code->Undo() : text->undo();
        break;
    case TEdit::Redo:
        code ? code->Redo() : text->redo();
        break;
    case TEdit::Cut:
        text->cut();
        break;
    case TEdit::Copy:
        text->copy();
        break;
    case TEdit::Paste:
        text->paste();
        break;
    case TEdit::Delete:
        text->textCursor().removeSelectedText();
        break;
    }
}

} // namespace redewerk
