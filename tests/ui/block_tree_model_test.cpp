#include "model/element.h"
#include "model/project.h"
#include "ui/block_tree_model.h"
#include "ui/text_codec.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace redewerk {
namespace {

// A project with Wirt (folder) > Hallo (Dialog) > Ja (Choice), and Schmied (Event).
struct TModelFixture : ::testing::Test {
    TProject Project;
    TNode* Wirt = Project.Tree.AppendChild(nullptr, "Wirt");
    TNode* Hallo = Project.Tree.AppendChild(Wirt, "Hallo");
    TNode* Ja = Project.Tree.AppendChild(Hallo, "Ja");
    TNode* Schmied = Project.Tree.AppendChild(nullptr, "Schmied");
    TBlockTreeModel Model{Project.Tree};
    // Checks every change signal of the model against Qt's rules while the test runs.
    QAbstractItemModelTester Tester{&Model, QAbstractItemModelTester::FailureReportingMode::Fatal};

    void SetUp() override {
        Project.CreateElement(Hallo, ekDialog);
        Project.CreateElement(Ja, ekChoice);
        Project.CreateElement(Schmied, ekEvent);
    }

    QStringList RowTexts(const QModelIndex& parent = {}) const {
        QStringList texts;
        for (int row = 0; row < Model.rowCount(parent); ++row)
            texts << Model.index(row, 0, parent).data().toString();
        return texts;
    }
};

// The model shows the tree itself, without a copy, and follows each change of it.
TEST_F(TModelFixture, MirrorsTheTreeAndFollowsItsChanges) {
    EXPECT_EQ(RowTexts(), QStringList({"Wirt", "Schmied"}));
    EXPECT_EQ(Model.NodeOf(Model.index(0, 0)), Wirt);
    EXPECT_EQ(Model.IndexOf(Ja).parent(), Model.IndexOf(Hallo));

    Project.Tree.AppendChild(Wirt, "Tschuess");
    EXPECT_EQ(RowTexts(Model.IndexOf(Wirt)), QStringList({"Hallo", "Tschuess"}));

    Project.Tree.MoveNode(Schmied, Wirt, 0);
    EXPECT_EQ(RowTexts(), QStringList({"Wirt"}));
    EXPECT_EQ(RowTexts(Model.IndexOf(Wirt)), QStringList({"Schmied", "Hallo", "Tschuess"}));
    // A move onto its own place is no change for Qt and must not upset the model.
    Project.Tree.MoveNode(Schmied, Wirt, 1);
    EXPECT_EQ(RowTexts(Model.IndexOf(Wirt)), QStringList({"Schmied", "Hallo", "Tschuess"}));

    QSignalSpy changed(&Model, &QAbstractItemModel::dataChanged);
    Project.Tree.SetText(Hallo, "Gr\xFC\xDF");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(Model.IndexOf(Hallo).data().toString(), QString::fromUtf8("Grüß"));

    Project.DeleteSubtree(Hallo);
    EXPECT_EQ(RowTexts(Model.IndexOf(Wirt)), QStringList({"Schmied", "Tschuess"}));

    Project.ClearProject();
    EXPECT_EQ(Model.rowCount(), 0);
}

// Each node shows the picture of its kind; the five kinds have different pictures.
TEST_F(TModelFixture, ShowsTheImageOfTheKind) {
    QSet<qint64> keys;
    for (TNode* node : {Wirt, Hallo, Ja, Schmied}) {
        const qint64 key = Model.IndexOf(node).data(Qt::DecorationRole).value<QIcon>().cacheKey();
        EXPECT_EQ(key, Model.KindIcon(node->ImageIndex()).cacheKey()) << node->Text();
    }
    for (int kind = 0; kind <= ekCode; ++kind)
        keys.insert(Model.KindIcon(kind).cacheKey());
    EXPECT_EQ(keys.size(), 5);
}

TEST_F(TModelFixture, EditingALabelOnlyRequestsTheRename) {
    QSignalSpy requested(&Model, &TBlockTreeModel::RenameRequested);
    EXPECT_TRUE(Model.setData(Model.IndexOf(Hallo), QStringLiteral("Servus"), Qt::EditRole));
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested[0][1].toString(), QStringLiteral("Servus"));
    EXPECT_EQ(Hallo->Text(), "Hallo"); // the name rules decide, not the model
}

TEST_F(TModelFixture, DraggedNodeTravelsAsItsPosition) {
    std::unique_ptr<QMimeData> data(Model.mimeData({Model.IndexOf(Ja)}));
    ASSERT_TRUE(data);
    EXPECT_EQ(Model.DraggedNode(data.get()), Ja);
    QMimeData foreign;
    foreign.setText(QStringLiteral("2"));
    EXPECT_EQ(Model.DraggedNode(&foreign), nullptr);
}

// Every Windows-1252 byte survives the way to Qt and back; a character without a byte
// becomes "?". Editor texts split at LF or CR LF.
TEST(TextCodecTest, BytesAndLinesRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    EXPECT_EQ(FromQt(ToQt(all)), all);
    EXPECT_EQ(ToQt("\x80\xE4\xDF"), QString::fromUtf8("€äß"));
    EXPECT_EQ(FromQt(QString::fromUtf8("a\u4E2Db")), "a?b");

    const TLines lines = {"IF x", "", "\tZeile mit \xFC"};
    EXPECT_EQ(LinesToQt(lines), QString::fromUtf8("IF x\n\n\tZeile mit ü"));
    EXPECT_EQ(LinesFromQt(LinesToQt(lines)), lines);
    EXPECT_EQ(LinesFromQt(QStringLiteral("a\r\nb")), TLines({"a", "b"}));
    EXPECT_TRUE(LinesFromQt(QString()).empty());
}

} // namespace
} // namespace redewerk
