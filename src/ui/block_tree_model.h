#pragma once

#include "model/block_tree.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <vector>

namespace redewerk {

// The Qt view of the project's block tree. It holds no nodes of its own: every index points
// at a TNode, and the model follows the tree's changes as its observer, so the tree view
// and the model can never disagree.
class TBlockTreeModel : public QAbstractItemModel, private TTreeObserver {
    Q_OBJECT
public:
    // The mime type of a node dragged inside the tree: its absolute index.
    static constexpr const char* kNodeMimeType = "application/x-redewerk-node";

    explicit TBlockTreeModel(TBlockTree& tree, QObject* parent = nullptr);
    ~TBlockTreeModel() override;

    TBlockTree& Tree() const { return BlockTree; }
    TNode* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const TNode* node) const;
    const QIcon& KindIcon(int kind) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Renaming goes through the name rules: the request is passed on, never stored here.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    // The node of a drag started in this tree, or nullptr.
    TNode* DraggedNode(const QMimeData* data) const;

signals:
    // The user finished editing a node's label in place.
    void RenameRequested(TNode* node, const QString& text);

private:
    void BeginInsertNode(TNode* parent, int row) override;
    void EndInsertNode(TNode* node) override;
    void BeginRemoveNode(TNode* node) override;
    void EndRemoveNode() override;
    void BeginMoveNode(TNode* node, TNode* newParent, int newRow) override;
    void EndMoveNode(TNode* node) override;
    void NodeChanged(TNode* node) override;
    void BeginResetTree() override;
    void EndResetTree() override;

    TBlockTree& BlockTree;
    std::vector<QIcon> Icons;
    // Qt refuses moves that leave the node where it is; such a move needs no end call.
    bool MoveAnnounced = false;
};

} // namespace redewerk
