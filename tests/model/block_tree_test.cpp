#include "model/block_tree.h"
#include "model/cp1252.h"

#include <tuple>

#include <gtest/gtest.h>

namespace redewerk {
namespace {

// The second top-row WIRT makes a path that leads nowhere under the first Wirt try it.
TEST(BlockTree, DerivesLevelsIndicesAndPathsAndFindsPathsWithoutCase) {
    TBlockTree tree;
    TNode* wirt = tree.AppendChild(nullptr, "Wirt");
    TNode* hallo = tree.AppendChild(wirt, "Hallo");
    TNode* ja = tree.AppendChild(hallo, "Ja");
    TNode* gruss = tree.AppendChild(wirt, "Gr\xFC\xDF");
    TNode* schmied = tree.AppendSibling(wirt, "Schmied");
    TNode* gast = tree.AppendChild(tree.AppendChild(nullptr, "WIRT"), "Gast");
    const std::tuple<TNode*, int, std::string> nodes[] = {
        {wirt, 0, "Wirt"},          {hallo, 1, "Wirt\\Hallo"},
        {ja, 2, "Wirt\\Hallo\\Ja"}, {gruss, 1, "Wirt\\Gr\xFC\xDF"},
        {schmied, 0, "Schmied"},    {gast->Parent(), 0, "WIRT"},
        {gast, 1, "WIRT\\Gast"}};
    int index = 0;
    for (const auto& [node, level, path] : nodes) {
        SCOPED_TRACE(path);
        EXPECT_EQ(node->Level(), level);
        EXPECT_EQ(tree.AbsoluteIndex(node), index);
        EXPECT_EQ(tree.NodeAt(index++), node);
        EXPECT_EQ(node->Path(), path);
        // Of two top-row nodes with the same name the first is found.
        EXPECT_EQ(tree.FindByPath(UpperCase1252(path)), node == gast->Parent() ? wirt : node);
    }
    EXPECT_EQ(tree.NodeAt(index), nullptr);
    EXPECT_EQ(tree.NodeAt(-1), nullptr);
    EXPECT_EQ(tree.NodeCount(), index);
    EXPECT_EQ(tree.FindByPath("Wirt\\"), nullptr);
}

TEST(BlockTree, MoveKeepsSubtreeAndRefusesMovesIntoItself) {
    TBlockTree tree;
    TNode* a = tree.AppendChild(nullptr, "A");
    TNode* b = tree.AppendChild(a, "B");
    TNode* c = tree.AppendChild(b, "C");
    TNode* d = tree.AppendChild(nullptr, "D");
    EXPECT_FALSE(tree.MoveNode(a, c, -1));
    EXPECT_FALSE(tree.MoveNode(a, a, -1));
    ASSERT_TRUE(tree.MoveNode(b, d, -1));
    EXPECT_EQ(c->Path(), "D\\B\\C");
    EXPECT_EQ(a->ChildCount(), 0);
    // Moving down within the same list counts the row as before the move.
    TNode* e = tree.AppendChild(nullptr, "E");
    ASSERT_TRUE(tree.MoveNode(a, nullptr, 3));
    EXPECT_EQ(tree.NodeAt(0), d);
    EXPECT_EQ(tree.TopRow()[1].get(), e);
    EXPECT_EQ(tree.TopRow()[2].get(), a);
    // A node moved to its own place, before or after itself, stays where it is.
    TNode* f = tree.AppendChild(d, "F");
    for (auto [node, parent, row] :
         std::initializer_list<std::tuple<TNode*, TNode*, int>>{{d, nullptr, 0},
                                                                {d, nullptr, 1},
                                                                {e, nullptr, 1},
                                                                {e, nullptr, 2},
                                                                {b, d, 0},
                                                                {b, d, 1},
                                                                {f, d, 1},
                                                                {f, d, 2},
                                                                {f, d, -1}}) {
        ASSERT_TRUE(tree.MoveNode(node, parent, row));
        std::string order;
        tree.ForEachPreOrder([&](TNode* n) { order += n->Text(); });
        EXPECT_EQ(order, "DBCFEA") << node->Text() << " to row " << row;
    }
}

// Records the observer calls as text, so a test can compare the whole sequence.
class TLog : public TTreeObserver {
public:
    std::string Calls;
    void BeginInsertNode(TNode* parent, int row) override {
        Calls += "+(" + (parent ? parent->Text() : "-") + "," + std::to_string(row) + ")";
    }
    void EndInsertNode(TNode* node) override { Calls += "+" + node->Text() + ";"; }
    void BeginRemoveNode(TNode* node) override { Calls += "-" + node->Text(); }
    void BeginMoveNode(TNode* node, TNode*, int row) override {
        Calls += "m" + node->Text() + std::to_string(row);
    }
    void NodeChanged(TNode* node) override { Calls += "c" + node->Text() + ";"; }
    void BeginResetTree() override { Calls += "r"; }
    void EndRemoveNode() override { Calls += ";"; }
    void EndMoveNode(TNode*) override { Calls += ";"; }
    void EndResetTree() override { Calls += ";"; }
};

TEST(BlockTree, TellsObserversAboutEveryChange) {
    TBlockTree tree;
    TLog log;
    tree.AddObserver(&log);
    TNode* a = tree.AppendChild(nullptr, "A");
    TNode* b = tree.AppendChild(a, "B");
    tree.SetText(b, "X");
    tree.MoveNode(b, nullptr, 0);
    tree.RemoveNode(a);
    tree.Clear();
    const std::string expected = "+(-,0)+A;+(A,0)+B;cX;mX0;-A;r;";
    EXPECT_EQ(log.Calls, expected);
    tree.RemoveObserver(&log);
    tree.AppendChild(nullptr, "C");
    EXPECT_EQ(log.Calls, expected);
}

} // namespace
} // namespace redewerk
