#include "model/block_tree.h"

#include "model/cp1252.h"
#include "model/element.h"

#include <algorithm>

namespace redewerk {

TNode::~TNode() {
    // The subtree is taken apart with a list instead of one nested destructor per level, so
    // that no depth of nesting can exhaust the stack.
    std::vector<std::unique_ptr<TNode>> pending = std::move(ChildNodes);
    while (!pending.empty()) {
        std::unique_ptr<TNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->ChildNodes)
            pending.push_back(std::move(child));
        node->ChildNodes.clear();
    }
}

int TNode::ImageIndex() const {
    return NodeElement ? NodeElement->Kind : 0;
}

int TNode::Level() const {
    int level = 0;
    for (const TNode* node = ParentNode; node; node = node->ParentNode)
        ++level;
    return level;
}

int TNode::Row() const {
    const auto& siblings = Tree->ChildrenOf(ParentNode);
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this) return static_cast<int>(i);
    return -1;
}

std::string TNode::Path() const {
    std::vector<const TNode*> chain;
    for (const TNode* node = this; node; node = node->ParentNode)
        chain.push_back(node);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty() || it != chain.rbegin()) path += '\\';
        path += (*it)->NodeText;
    }
    return path;
}

bool TNode::IsAncestorOf(const TNode* other) const {
    for (const TNode* node = other ? other->ParentNode : nullptr; node; node = node->ParentNode)
        if (node == this) return true;
    return false;
}

const std::vector<std::unique_ptr<TNode>>& TBlockTree::ChildrenOf(const TNode* parent) const {
    return parent ? parent->ChildNodes : TopNodes;
}

std::vector<std::unique_ptr<TNode>>& TBlockTree::MutableChildren(TNode* parent) {
    return parent ? parent->ChildNodes : TopNodes;
}

TNode* TBlockTree::InsertNode(TNode* parent, int row, std::string text) {
    auto& siblings = MutableChildren(parent);
    if (row < 0 || row > static_cast<int>(siblings.size())) row = static_cast<int>(siblings.size());
    Notify([&](TTreeObserver& o) { o.BeginInsertNode(parent, row); });
    std::unique_ptr<TNode> node(new TNode(std::move(text), this));
    node->ParentNode = parent;
    TNode* raw = node.get();
    siblings.insert(siblings.begin() + row, std::move(node));
    Notify([&](TTreeObserver& o) { o.EndInsertNode(raw); });
    return raw;
}

TNode* TBlockTree::AppendSibling(TNode* sibling, std::string text) {
    return AppendChild(sibling ? sibling->ParentNode : nullptr, std::move(text));
}

void TBlockTree::RemoveNode(TNode* node) {
    auto& siblings = MutableChildren(node->ParentNode);
    auto it = std::find_if(siblings.begin(), siblings.end(),
                           [&](const auto& candidate) { return candidate.get() == node; });
    if (it == siblings.end()) return;
    Notify([&](TTreeObserver& o) { o.BeginRemoveNode(node); });
    std::unique_ptr<TNode> removed = std::move(*it);
    siblings.erase(it);
    removed.reset();
    Notify([&](TTreeObserver& o) { o.EndRemoveNode(); });
}

bool TBlockTree::MoveNode(TNode* node, TNode* newParent, int row) {
    if (node == newParent || node->IsAncestorOf(newParent)) return false;
    auto& target = MutableChildren(newParent);
    if (row < 0 || row > static_cast<int>(target.size())) row = static_cast<int>(target.size());
    Notify([&](TTreeObserver& o) { o.BeginMoveNode(node, newParent, row); });
    auto& source = MutableChildren(node->ParentNode);
    int oldRow = node->Row();
    std::unique_ptr<TNode> moving = std::move(source[static_cast<size_t>(oldRow)]);
    source.erase(source.begin() + oldRow);
    if (&source == &target && oldRow < row) --row;
    moving->ParentNode = newParent;
    target.insert(target.begin() + row, std::move(moving));
    Notify([&](TTreeObserver& o) { o.EndMoveNode(node); });
    return true;
}

void TBlockTree::SetText(TNode* node, std::string text) {
    node->NodeText = std::move(text);
    Notify([&](TTreeObserver& o) { o.NodeChanged(node); });
}

void TBlockTree::SetElement(TNode* node, TElement* element) {
    node->NodeElement = element;
    Notify([&](TTreeObserver& o) { o.NodeChanged(node); });
}

void TBlockTree::Clear() {
    Notify([&](TTreeObserver& o) { o.BeginResetTree(); });
    TopNodes.clear();
    Notify([&](TTreeObserver& o) { o.EndResetTree(); });
}

void TBlockTree::TakeNodesFrom(TBlockTree& other) {
    Notify([&](TTreeObserver& o) { o.BeginResetTree(); });
    TopNodes = std::move(other.TopNodes);
    other.TopNodes.clear();
    ForEachPreOrder([&](TNode* node) { node->Tree = this; });
    Notify([&](TTreeObserver& o) { o.EndResetTree(); });
}

std::vector<TNode*> TBlockTree::PreOrder() const {
    std::vector<TNode*> nodes;
    ForEachPreOrder([&](TNode* node) { nodes.push_back(node); });
    return nodes;
}

namespace {

// Counts the nodes before `target` in pre-order; true once it was found.
bool CountUntil(const std::vector<std::unique_ptr<TNode>>& nodes, const TNode* target, int& count) {
    for (const auto& node : nodes) {
        if (node.get() == target) return true;
        ++count;
        if (CountUntil(node->Children(), target, count)) return true;
    }
    return false;
}

TNode* FindAt(const std::vector<std::unique_ptr<TNode>>& nodes, int& left) {
    for (const auto& node : nodes) {
        if (left == 0) return node.get();
        --left;
        if (TNode* found = FindAt(node->Children(), left)) return found;
    }
    return nullptr;
}

// Walks the path's components; names equal without case may repeat among siblings, so a
// component that leads nowhere lets a later sibling of the same name try.
TNode* FindPath(const std::vector<std::unique_ptr<TNode>>& nodes, std::string_view path) {
    size_t split = path.find('\\');
    std::string_view head = path.substr(0, split);
    for (const auto& node : nodes) {
        if (!EqualsNoCase1252(node->Text(), head)) continue;
        if (split == std::string_view::npos) return node.get();
        if (TNode* found = FindPath(node->Children(), path.substr(split + 1))) return found;
    }
    return nullptr;
}

} // namespace

int TBlockTree::AbsoluteIndex(const TNode* node) const {
    if (!node) return -1;
    int count = 0;
    return CountUntil(TopNodes, node, count) ? count : -1;
}

TNode* TBlockTree::NodeAt(int absoluteIndex) const {
    if (absoluteIndex < 0) return nullptr;
    return FindAt(TopNodes, absoluteIndex);
}

int TBlockTree::NodeCount() const {
    int count = 0;
    ForEachPreOrder([&](TNode*) { ++count; });
    return count;
}

TNode* TBlockTree::FindByPath(std::string_view path) const {
    return FindPath(TopNodes, path);
}

void TBlockTree::AddObserver(TTreeObserver* observer) {
    Observers.push_back(observer);
}

void TBlockTree::RemoveObserver(TTreeObserver* observer) {
    Observers.erase(std::remove(Observers.begin(), Observers.end(), observer), Observers.end());
}

} // namespace redewerk
