#include "model/block_tree.h"
#include "model/element.h"

#include <gtest/gtest.h>

namespace redewerk {
namespace {

// Wirt
//   Hallo
//     Ja
//   Tschuess
// Schmied
TEST(BlockTree, DerivesLevelsIndicesAndPaths) {
    TBlockTree tree;
    TNode* wirt = tree.AppendChild(nullptr, "Wirt");
    TNode* hallo = tree.AppendChild(wirt, "Hallo");
    TNode* ja = tree.AppendChild(hallo, "Ja");
    TNode* tschuess = tree.AppendChild(wirt, "Tschuess");
    TNode* schmied = tree.AppendSibling(wirt, "Schmied");

    struct Expected {
        TNode* Node;
        int Level;
        int Index;
        const char* Path;
    };
    for (const auto& e :
         {Expected{wirt, 0, 0, "Wirt"}, Expected{hallo, 1, 1, "Wirt\\Hallo"},
          Expected{ja, 2, 2, "Wirt\\Hallo\\Ja"}, Expected{tschuess, 1, 3, "Wirt\\Tschuess"},
          Expected{schmied, 0, 4, "Schmied"}}) {
        SCOPED_TRACE(e.Path);
        EXPECT_EQ(e.Node->Level(), e.Level);
        EXPECT_EQ(tree.AbsoluteIndex(e.Node), e.Index);
        EXPECT_EQ(tree.NodeAt(e.Index), e.Node);
        EXPECT_EQ(e.Node->Path(), e.Path);
        EXPECT_EQ(tree.FindByPath(e.Path), e.Node);
    }
    EXPECT_EQ(tree.NodeAt(5), nullptr);
    EXPECT_EQ(tree.NodeAt(-1), nullptr);
    EXPECT_EQ(tree.NodeCount(), 5);
}

TEST(BlockTree, FindsPathsWithoutRegardToCaseIncludingUmlauts) {
    TBlockTree tree;
    TNode* folder = tree.AppendChild(nullptr, "M\xE4rchen"); // Märchen
    TNode* block = tree.AppendChild(folder, "Erz\xE4hler");
    EXPECT_EQ(tree.FindByPath("M\xC4RCHEN\\ERZ\xC4HLER"), block); // MÄRCHEN\ERZÄHLER
    EXPECT_EQ(tree.FindByPath("m\xE4rchen"), folder);
    EXPECT_EQ(tree.FindByPath("Maerchen"), nullptr);
    EXPECT_EQ(tree.FindByPath("M\xE4rchen\\"), nullptr);
}

TEST(BlockTree, FindByPathTriesLaterSiblingsOfTheSameName) {
    TBlockTree tree;
    tree.AppendChild(nullptr, "wirt");
    TNode* second = tree.AppendChild(nullptr, "WIRT");
    TNode* target = tree.AppendChild(second, "Hallo");
    EXPECT_EQ(tree.FindByPath("Wirt\\Hallo"), target);
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
    EXPECT_EQ(tree.TopRow()[0].get(), d);
    EXPECT_EQ(tree.TopRow()[1].get(), e);
    EXPECT_EQ(tree.TopRow()[2].get(), a);
}

// Records the observer calls as text, so a test can compare the whole sequence.
class TLog : public TTreeObserver {
public:
    std::string Calls;
    void BeginInsertNode(TNode* parent, int row) override {
        Calls +=
            "+(" + (parent ? parent->Text() : std::string("-")) + "," + std::to_string(row) + ")";
    }
    void EndInsertNode(TNode* node) override { Calls += "+" + node->Text() + ";"; }
    void BeginRemoveNode(TNode* node) override { Calls += "-" + node->Text(); }
    void EndRemoveNode() override { Calls += ";"; }
    void BeginMoveNode(TNode* node, TNode*, int row) override {
        Calls += "m" + node->Text() + std::to_string(row);
    }
    void EndMoveNode(TNode*) override { Calls += ";"; }
    void NodeChanged(TNode* node) override { Calls += "c" + node->Text() + ";"; }
    void BeginResetTree() override { Calls += "r"; }
    void EndResetTree() override { Calls += ";"; }
};

// A project file can nest blocks as deep as it likes; removing or dropping such a chain must
// not need one stack frame per level.
TEST(BlockTree, TakesAVeryDeepChainApart) {
    constexpr int kDepth = 200000;
    TBlockTree tree;
    for (TNode* top : {tree.AppendChild(nullptr, "A"), tree.AppendChild(nullptr, "B")}) {
        TNode* node = top;
        for (int i = 1; i < kDepth; ++i)
            node = tree.AppendChild(node, "N");
    }
    tree.RemoveNode(tree.TopRow().front().get());
    ASSERT_EQ(tree.TopRow().size(), 1u);
    EXPECT_EQ(tree.TopRow().front()->Text(), "B");
    // The second chain goes with the tree.
}

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
    EXPECT_EQ(log.Calls, "+(-,0)+A;+(A,0)+B;cX;mX0;-A;r;");
    tree.RemoveObserver(&log);
    tree.AppendChild(nullptr, "C");
    EXPECT_EQ(log.Calls, "+(-,0)+A;+(A,0)+B;cX;mX0;-A;r;");
}

} // namespace
} // namespace redewerk
