#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QWidget;

namespace redewerk {

// The edit entries of a context menu, "Rückgängig", "Wiederherstellen", "Ausschneiden",
// "Kopieren", "Einfügen" and "Löschen", for a line field or a text editor. One set serves
// several menus: before a menu opens, SetTarget names the widget they act on and enables
// each entry as that widget allows. Undo and redo of a code editor go through its own
// history, those of other editors through Qt's.
class TEditActions : public QObject {
    Q_OBJECT
public:
    explicit TEditActions(QObject* parent);

    // Adds the six entries to `menu`.
    void AddTo(QMenu* menu) const;
    void SetTarget(QWidget* target);

    QAction* Undo() const { return UndoAction; }
    QAction* Redo() const { return RedoAction; }
    QAction* Cut() const { return CutAction; }
    QAction* Copy() const { return CopyAction; }
    QAction* Paste() const { return PasteAction; }
    QAction* Delete() const { return DeleteAction; }

private:
    enum class TEdit { Undo, Redo, Cut, Copy, Paste, Delete };
    QAction* Make(const QString& text, QKeyCombination key, TEdit edit);
    void Act(TEdit edit);

    QPointer<QWidget> Target;
    QAction* UndoAction;
    QAction* RedoAction;
    QAction* CutAction;
    QAction* CopyAction;
    QAction* PasteAction;
    QAction* DeleteAction;
};

} // namespace redewerk
