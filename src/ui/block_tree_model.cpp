#include "ui/block_tree_model.h"

#include "ui/kind_icons.h"
#include "ui/text_codec.h"

#include <QMimeData>

namespace redewerk {

TBlockTreeModel::TBlockTreeModel(TBlockTree& tree, QObject* parent)
    : QAbstractItemModel(parent), BlockTree(tree), Icons(MakeKindIcons()) {
    BlockTree.AddObserver(this);
}

TBlockTreeModel::~TBlockTreeModel() {
    BlockTree.RemoveObserver(this);
}

TNode* TBlockTreeModel::NodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<TNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TBlockTreeModel::IndexOf(const TNode* node) const {
    if (!node) return {};
    return createIndex(node->Row(), 0, const_cast<TNode*>(node));
}

const QIcon& TBlockTreeModel::KindIcon(int kind) const {
    if (kind < 0 || kind >= static_cast<int>(Icons.size())) kind = 0;
    return Icons[static_cast<size_t>(kind)];
}

QModelIndex TBlockTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    const auto& children = BlockTree.ChildrenOf(NodeOf(parent));
    if (row >= static_cast<int>(children.size())) return {};
    return createIndex(row, 0, children[static_cast<size_t>(row)].get());
}

QModelIndex TBlockTreeModel::parent(const QModelIndex& child) const {
    TNode* node = NodeOf(child);
    return node ? IndexOf(node->Parent()) : QModelIndex();
}

int TBlockTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && parent.column() != 0) return 0;
    return static_cast<int>(BlockTree.ChildrenOf(NodeOf(parent)).size());
}

int TBlockTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TBlockTreeModel::data(const QModelIndex& index, int role) const {
    TNode* node = NodeOf(index);
    if (!node) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return ToQt(node->Text());
    case Qt::DecorationRole:
        return KindIcon(node->ImageIndex());
    default:
        return {};
    }
}

bool TBlockTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    TNode* node = NodeOf(index);
    if (!node || role != Qt::EditRole) return false;
    emit RenameRequested(node, value.toString());
    return true;
}

Qt::ItemFlags TBlockTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
           Qt::ItemIsDropEnabled;
}

QStringList TBlockTreeModel::mimeTypes() const {
    return {QString::fromLatin1(kNodeMimeType)};
}

QMimeData* TBlockTreeModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty() || !NodeOf(indexes.first())) return nullptr;
    auto* data = new QMimeData;
    const int absolute = BlockTree.AbsoluteIndex(NodeOf(indexes.first()));
    data->setData(QString::fromLatin1(kNodeMimeType), QByteArray::number(absolute));
    return data;
}

TNode* TBlockTreeModel::DraggedNode(const QMimeData* data) const {
    if (!data || !data->hasFormat(QString::fromLatin1(kNodeMimeType))) return nullptr;
    bool ok = false;
    const int absolute = data->data(QString::fromLatin1(kNodeMimeType)).toInt(&ok);
    return ok ? BlockTree.NodeAt(absolute) : nullptr;
}

void TBlockTreeModel::BeginInsertNode(TNode* parent, int row) {
    beginInsertRows(IndexOf(parent), row, row);
}

void TBlockTreeModel::EndInsertNode(TNode*) {
    endInsertRows();
}

void TBlockTreeModel::BeginRemoveNode(TNode* node) {
    const int row = node->Row();
    beginRemoveRows(IndexOf(node->Parent()), row, row);
}

void TBlockTreeModel::EndRemoveNode() {
    endRemoveRows();
}

void TBlockTreeModel::BeginMoveNode(TNode* node, TNode* newParent, int newRow) {
    const int row = node->Row();
    MoveAnnounced = beginMoveRows(IndexOf(node->Parent()), row, row, IndexOf(newParent), newRow);
}

void TBlockTreeModel::EndMoveNode(TNode*) {
    if (MoveAnnounced) endMoveRows();
    MoveAnnounced = false;
}

void TBlockTreeModel::NodeChanged(TNode* node) {
    const QModelIndex index = IndexOf(node);
    emit dataChanged(index, index);
}

void TBlockTreeModel::BeginResetTree() {
    beginResetModel();
}

void TBlockTreeModel::EndResetTree() {
    endResetModel();
}

} // namespace redewerk
