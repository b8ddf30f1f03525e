#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace redewerk {

struct TElement;
class TBlockTree;

// One node of the block tree: a folder (no element) or a building block.
// Level, index and node path are derived from the tree, never stored.
class TNode {
public:
    ~TNode();
    TNode(const TNode&) = delete;
    TNode& operator=(const TNode&) = delete;

    const std::string& Text() const { return NodeText; }
    TNode* Parent() const { return ParentNode; }
    TElement* Element() const { return NodeElement; }
    const std::vector<std::unique_ptr<TNode>>& Children() const { return ChildNodes; }
    int ChildCount() const { return static_cast<int>(ChildNodes.size()); }
    TNode* Child(int row) const { return ChildNodes[static_cast<size_t>(row)].get(); }

    // The image shown for the node: the kind of its element, 0 for a folder.
    int ImageIndex() const;
    // 0 for the top row.
    int Level() const;
    // Position among the parent's children (or in the top row).
    int Row() const;
    // The texts from the top row down to this node, joined by a backslash.
    std::string Path() const;
    bool IsAncestorOf(const TNode* other) const;

private:
    friend class TBlockTree;
    TNode(std::string text, TBlockTree* tree) : NodeText(std::move(text)), Tree(tree) {}

    std::string NodeText;
    TNode* ParentNode = nullptr;
    TElement* NodeElement = nullptr;
    std::vector<std::unique_ptr<TNode>> ChildNodes;
    TBlockTree* Tree;
};

// Told about every change of the tree, so that a view can follow the model. The calls come
// in pairs around the change, as Qt's item models need them.
class TTreeObserver {
public:
    virtual ~TTreeObserver() = default;
    virtual void BeginInsertNode(TNode* /*parent*/, int /*row*/) {}
    virtual void EndInsertNode(TNode* /*node*/) {}
    virtual void BeginRemoveNode(TNode* /*node*/) {}
    virtual void EndRemoveNode() {}
    virtual void BeginMoveNode(TNode* /*node*/, TNode* /*newParent*/, int /*newRow*/) {}
    virtual void EndMoveNode(TNode* /*node*/) {}
    // The text or the element (and so the image) of the node changed.
    virtual void NodeChanged(TNode* /*node*/) {}
    virtual void BeginResetTree() {}
    virtual void EndResetTree() {}
};

// The ordered tree of folder and block nodes. A parent of nullptr stands for the top row.
class TBlockTree {
public:
    TBlockTree() = default;
    TBlockTree(const TBlockTree&) = delete;
    TBlockTree& operator=(const TBlockTree&) = delete;

    const std::vector<std::unique_ptr<TNode>>& TopRow() const { return TopNodes; }
    // The children of `parent`, or the top row for nullptr.
    const std::vector<std::unique_ptr<TNode>>& ChildrenOf(const TNode* parent) const;
    bool IsEmpty() const { return TopNodes.empty(); }

    // Inserts a new node at `row` among the children of `parent` (-1: at the end).
    TNode* InsertNode(TNode* parent, int row, std::string text);
    TNode* AppendChild(TNode* parent, std::string text) {
        return InsertNode(parent, -1, std::move(text));
    }
    // A new node as the last sibling of `sibling` (in the top row for nullptr).
    TNode* AppendSibling(TNode* sibling, std::string text);

    // Removes the node with its subtree. Elements are not touched.
    void RemoveNode(TNode* node);
    // Moves the node with its subtree to `row` among the children of `newParent`
    // (-1: at the end). `row` counts in the list as it is before the move.
    // Refuses (returns false) to move a node into its own subtree.
    bool MoveNode(TNode* node, TNode* newParent, int row);

    void SetText(TNode* node, std::string text);
    void SetElement(TNode* node, TElement* element);
    void Clear();
    // Replaces this tree's nodes with those of `other`, which is left empty (one reset).
    void TakeNodesFrom(TBlockTree& other);

    // Calls `visit(node)`, or `visit(node, level)` when it takes the level, for every node in
    // depth-first pre-order: a node, then its children, then its next sibling.
    template <typename F> void ForEachPreOrder(F&& visit) const {
        FindInPreOrder([&](TNode* node, int level) {
            if constexpr (std::is_invocable_v<F&, TNode*, int>)
                visit(node, level);
            else
                visit(node);
            return false;
        });
    }
    // Walks the tree in pre-order until `match(node, level)` is true; returns that node, or
    // nullptr when there is none. The walk keeps its own stack instead of recursing, since a
    // project file may nest nodes deeper than the call stack reaches.
    template <typename F> TNode* FindInPreOrder(F&& match) const {
        // Each entry: a list of siblings and the position of the next one to visit.
        std::vector<std::pair<const std::vector<std::unique_ptr<TNode>>*, size_t>> stack;
        stack.emplace_back(&TopNodes, 0);
        while (!stack.empty()) {
            auto& [siblings, next] = stack.back();
            if (next == siblings->size()) {
                stack.pop_back();
                continue;
            }
            TNode* node = (*siblings)[next++].get();
            if (match(node, static_cast<int>(stack.size()) - 1)) return node;
            if (!node->ChildNodes.empty()) stack.emplace_back(&node->ChildNodes, 0);
        }
        return nullptr;
    }
    // The position of the node in pre-order, from 0; -1 for nullptr.
    int AbsoluteIndex(const TNode* node) const;
    // The node at that pre-order position, or nullptr.
    TNode* NodeAt(int absoluteIndex) const;
    int NodeCount() const;

    // The first node in pre-order whose node path equals `path` without regard to case.
    TNode* FindByPath(std::string_view path) const;

    void AddObserver(TTreeObserver* observer);
    void RemoveObserver(TTreeObserver* observer);

private:
    std::vector<std::unique_ptr<TNode>>& MutableChildren(TNode* parent);
    template <typename F> void Notify(F&& call) {
        for (auto* observer : Observers)
            call(*observer);
    }

    std::vector<std::unique_ptr<TNode>> TopNodes;
    std::vector<TTreeObserver*> Observers;
};

} // namespace redewerk
