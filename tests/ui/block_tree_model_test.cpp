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

TEST_F(TModelFixture, MirrorsTheTreeWithoutACopy) {
    EXPECT_EQ(RowTexts(), QStringList({"Wirt", "Schmied"}));
    const QModelIndex wirt = Model.index(0, 0);
    EXPECT_EQ(Model.NodeOf(wirt), Wirt);
    EXPECT_EQ(RowTexts(wirt), QStringList({"Hallo"}));
    const QModelIndex hallo = Model.index(0, 0, wirt);
    EXPECT_EQ(Model.parent(hallo), wirt);
    EXPECT_EQ(Model.IndexOf(Ja).parent(), hallo);
    EXPECT_FALSE(Model.parent(wirt).isValid());
}

TEST_F(TModelFixture, FollowsInsertRemoveMoveRenameAndReset) {
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

TEST_F(TModelFixture, ShowsTheImageOfTheKind) {
    const auto imageOf = [&](TNode* node) {
        return Model.IndexOf(node).data(Qt::DecorationRole).value<QIcon>().cacheKey();
    };
    EXPECT_EQ(imageOf(Wirt), Model.KindIcon(ekFolder).cacheKey());
    EXPECT_EQ(imageOf(Hallo), Model.KindIcon(ekDialog).cacheKey());
    EXPECT_EQ(imageOf(Ja), Model.KindIcon(ekChoice).cacheKey());
    EXPECT_EQ(imageOf(Schmied), Model.KindIcon(ekEvent).cacheKey());
    // Five different pictures.
    QSet<qint64> keys;
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

TEST(TextCodecTest, EveryByteRoundTrips) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const QString text = ToQt(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(FromQt(text), all);
    EXPECT_EQ(ToQt("\x80\xE4\xDF"), QString::fromUtf8("€äß"));
    EXPECT_EQ(FromQt(QString::fromUtf8("a\u4E2Db")), "a?b");
}

TEST(TextCodecTest, LinesRoundTripThroughAnEditorText) {
    const TLines lines = {"IF x", "", "\tZeile mit \xFC"};
    const QString text = LinesToQt(lines);
    EXPECT_EQ(text, QString::fromUtf8("IF x\n\n\tZeile mit ü"));
    EXPECT_EQ(LinesFromQt(text), lines);
    EXPECT_EQ(LinesFromQt(QStringLiteral("a\r\nb")), TLines({"a", "b"}));
    EXPECT_TRUE(LinesFromQt(QString()).empty());
}

} // namespace
} // namespace redewerk
