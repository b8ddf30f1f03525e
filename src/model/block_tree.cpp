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

int TBlockTree::AbsoluteIndex(const TNode* node) const {
    if (!node) return -1;
    int count = 0;
    const TNode* found = FindInPreOrder([&](TNode* other, int) {
        if (other == node) return true;
        ++count;
        return false;
    });
    return found ? count : -1;
}

TNode* TBlockTree::NodeAt(int absoluteIndex) const {
    if (absoluteIndex < 0) return nullptr;
    int left = absoluteIndex;
    return FindInPreOrder([&](TNode*, int) { return left-- == 0; });
}

int TBlockTree::NodeCount() const {
    int count = 0;
    ForEachPreOrder([&](TNode*) { ++count; });
    return count;
}

TNode* TBlockTree::FindByPath(std::string_view path) const {
    // Names equal without case may repeat among siblings, so a path's first components can
    // lead to several nodes. All of them are followed at once, component by component, kept
    // in pre-order: the first node left at the end is the first match in pre-order, and no
    // node is looked at twice.
    std::vector<TNode*> reached{nullptr}; // nullptr stands for the top row's parent
    for (size_t start = 0;;) {
        const size_t split = path.find('\\', start);
        const std::string_view name = path.substr(start, split - start);
        std::vector<TNode*> matches;
        for (const TNode* parent : reached)
            for (const auto& child : ChildrenOf(parent))
                if (EqualsNoCase1252(child->Text(), name)) matches.push_back(child.get());
        if (matches.empty()) return nullptr;
        if (split == std::string_view::npos) return matches.front();
        reached = std::move(matches);
        start = split + 1;
    }
}

void TBlockTree::AddObserver(TTreeObserver* observer) {
    Observers.push_back(observer);
}

void TBlockTree::RemoveObserver(TTreeObserver* observer) {
    Observers.erase(std::remove(Observers.begin(), Observers.end(), observer), Observers.end());
}

} // namespace redewerk
