#include "ui/syntax_panel.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>

namespace redewerk {

TSyntaxPanel::TSyntaxPanel(QPlainTextEdit* editor, const QString& name)
    : QFrame(editor), Editor(editor) {
    setAccessibleName(name);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    const int side = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, editor);
    setFixedSize(side, side);
    // The scroll bar appearing or going away, and the editor's size, move the panel.
    editor->installEventFilter(this);
    editor->verticalScrollBar()->installEventFilter(this);
    Adjust();
}

void TSyntaxPanel::Show(const QColor& colour, const QString& hint) {
    QPalette shown = palette();
    shown.setColor(QPalette::Window, colour);
    setPalette(shown);
    setToolTip(hint);
    setAccessibleDescription(hint);
    Adjust();
}

void TSyntaxPanel::ShowOk(const QString& hint) {
    Red = false;
    Show(QColor(0, 128, 0), hint);
}

void TSyntaxPanel::ShowError(const QString& message) {
    Red = true;
    Show(QColor(255, 0, 0), message);
}

void TSyntaxPanel::Adjust() {
    const QScrollBar* bar = Editor->verticalScrollBar();
    const int frame = Editor->frameWidth();
    int x = Editor->width() - frame - width();
    if (bar->isVisible()) x -= bar->width();
    move(x, frame);
    raise();
}

void TSyntaxPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
}

bool TSyntaxPanel::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        Adjust();
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace redewerk
