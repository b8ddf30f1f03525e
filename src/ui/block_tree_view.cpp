#include "ui/block_tree_view.h"

#include "model/tree_commands.h"
#include "ui/block_tree_model.h"

#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace redewerk {

TBlockTreeView::TBlockTreeView(QWidget* parent) : QTreeView(parent) {
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(false); // the target is always the node under the mouse
    setAutoExpandDelay(800);
    header()->setStretchLastSection(false);
    setTextElideMode(Qt::ElideNone);
}

void TBlockTreeView::updateGeometries() {
    QTreeView::updateGeometries();
    // Measured on the rows about the visible ones, as Qt's own fitting of a column does.
    const int width = std::max(viewport()->width(), sizeHintForColumn(0));
    if (header()->sectionSize(0) != width) header()->resizeSection(0, width);
}

void TBlockTreeView::SetBlockModel(TBlockTreeModel* model) {
    Model = model;
    setModel(model);
}

TNode* TBlockTreeView::CurrentNode() const {
    return Model ? Model->NodeOf(currentIndex()) : nullptr;
}

void TBlockTreeView::contextMenuEvent(QContextMenuEvent* event) {
    if (!Model) return;
    if (event->reason() == QContextMenuEvent::Mouse) {
        emit MenuRequested(Model->NodeOf(indexAt(event->pos())), event->globalPos());
    } else {
        // From the keyboard the menu opens at the current node, not at the mouse.
        const QRect rect = visualRect(currentIndex());
        const QPoint at = rect.isValid() ? rect.center() : QPoint(4, 4);
        emit MenuRequested(CurrentNode(), viewport()->mapToGlobal(at));
    }
    event->accept();
}

void TBlockTreeView::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (state() != QAbstractItemView::EditingState) {
        if (event->key() == Qt::Key_Delete && !ctrl) {
            emit DeletePressed();
            return;
        }
        if (event->key() == Qt::Key_F2) {
            emit RenamePressed();
            return;
        }
        if (event->key() == Qt::Key_F3) {
            emit FindNextPressed();
            return;
        }
        if (ctrl && event->key() == Qt::Key_F) {
            emit SearchPressed();
            return;
        }
        if (ctrl && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus)) {
            emit FontSizeStep(event->key() == Qt::Key_Plus ? 1 : -1);
            return;
        }
    }
    QTreeView::keyPressEvent(event);
}

bool TBlockTreeView::AcceptsDrop(TNode* dragged, const QPoint& pos, bool asFirstChild) const {
    if (!Model) return false;
    TNode* target = Model->NodeOf(indexAt(pos));
    return CanDropNode(Model->Tree(), dragged, target, asFirstChild);
}

bool TBlockTreeView::DecideDrop(QDropEvent* event) {
    // Only a node dragged inside this tree can be dropped, and only onto a node.
    const bool ours = event->source() == this && Model;
    TNode* dragged = ours ? Model->DraggedNode(event->mimeData()) : nullptr;
    const bool asFirstChild = event->modifiers() & Qt::ControlModifier;
    if (!dragged || !AcceptsDrop(dragged, event->position().toPoint(), asFirstChild)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    return true;
}

void TBlockTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this)
        event->accept();
    else
        event->ignore();
}

void TBlockTreeView::dragMoveEvent(QDragMoveEvent* event) {
    QTreeView::dragMoveEvent(event); // scrolling and expanding while dragging
    DecideDrop(event);
}

void TBlockTreeView::dropEvent(QDropEvent* event) {
    if (!DecideDrop(event)) return;
    TNode* dragged = Model->DraggedNode(event->mimeData());
    TNode* target = Model->NodeOf(indexAt(event->position().toPoint()));
    const bool asFirstChild = event->modifiers() & Qt::ControlModifier;
    // The model itself never removes rows, so accepting the move cannot lose the node.
    emit NodeDropped(dragged, target, asFirstChild);
}

} // namespace redewerk
