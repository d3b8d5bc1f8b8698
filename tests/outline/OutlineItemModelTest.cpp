#include "outline/OutlineItemModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

// The model's rows, depth first: "A(B C) D".
QString shape(const QAbstractItemModel &model, const QModelIndex &parent = {}) {
  QStringList parts;
  for (int row = 0; row < model.rowCount(parent); ++row) {
    const QModelIndex index = model.index(row, 0, parent);
    QString part = index.data().toString();
    if (model.rowCount(index) > 0)
      part += "(" + shape(model, index) + ")";
    parts.append(part);
  }
  return parts.join(' ');
}

class OutlineModel : public testing::Test {
protected:
  OutlineTree tree;
  OutlineItemModel model{tree};
  QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(OutlineModel, FollowsEveryChangeOfTheTree) {
  OutlineNode *a = tree.Add(nullptr, "A");
  OutlineNode *d = tree.Add(a, "D");
  OutlineNode *c = tree.AddChild(a, "C");
  tree.AddChildFirst(a, "B");
  EXPECT_EQ(shape(model), tree.dump());
  EXPECT_EQ(shape(model), "A(B C) D");

  const QPersistentModelIndex kept = model.indexOf(c);
  tree.MoveTo(c, d, OutlineTree::MoveMode::AddChild);
  EXPECT_EQ(shape(model), "A(B) D(C)");
  EXPECT_EQ(model.nodeOf(kept), c);
  EXPECT_EQ(kept.parent(), model.indexOf(d));
  tree.MoveTo(d, a, OutlineTree::MoveMode::Insert);
  EXPECT_EQ(shape(model), "D(C) A(B)");

  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  tree.setText(c, "Z");
  EXPECT_EQ(changed.size(), 1);
  tree.AddChild(a, "Y");
  tree.AddChild(a, "X");
  tree.setSortMode(OutlineTree::SortMode::Text);
  EXPECT_EQ(shape(model), tree.dump());
  EXPECT_EQ(kept.data().toString(), "Z");

  tree.Delete(a);
  EXPECT_EQ(shape(model), "D(Z)");
  tree.loadFromBytes("P\r\n\tQ\r\nR\r\n");
  EXPECT_EQ(shape(model), "P(Q) R");
  tree.Clear();
  EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(OutlineModel, CaptionsEditedInTheViewGoToTheTree) {
  OutlineNode *a = tree.Add(nullptr, "A");
  const QModelIndex index = model.indexOf(a);
  EXPECT_FALSE(model.flags(index) & Qt::ItemIsEditable);
  model.setEditable(true);
  EXPECT_TRUE(model.flags(index) & Qt::ItemIsEditable);
  EXPECT_TRUE(model.setData(index, "two\nlines"));
  EXPECT_EQ(a->textString(), "two~lines");
  EXPECT_EQ(index.data().toString(), "two~lines");
}

} // namespace
