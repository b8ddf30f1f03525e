#pragma once

#include <QTreeView>

namespace redewerk {

class TBlockTreeModel;
class TNode;

// The block tree's view: keys of the tree, and drag and drop by the tree's own rules (with
// Ctrl the dragged node becomes the target's first child, without it the target's sibling in
// front of it). A refused drop only shows the forbidden cursor. The one column is as wide as
// the view or as the widest name shown, so long names scroll sideways instead of being cut.
class TBlockTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit TBlockTreeView(QWidget* parent = nullptr);

    void SetBlockModel(TBlockTreeModel* model);
    TBlockTreeModel* BlockModel() const { return Model; }
    TNode* CurrentNode() const;

    // Whether a drag of `dragged` may end on the node at `pos` (viewport coordinates).
    bool AcceptsDrop(TNode* dragged, const QPoint& pos, bool asFirstChild) const;

signals:
    void DeletePressed();
    void RenamePressed();
    void SearchPressed();   // Ctrl+F
    void FindNextPressed(); // F3
    void FontSizeStep(int step);
    void NodeDropped(TNode* dragged, TNode* target, bool asFirstChild);
    // The context menu: a right click names the node under the mouse (nullptr on empty
    // space), the menu key the current node. `at` is in screen coordinates.
    void MenuRequested(TNode* node, const QPoint& at);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void updateGeometries() override;

private:
    bool DecideDrop(QDropEvent* event);
    TBlockTreeModel* Model = nullptr;
};

} // namespace redewerk
