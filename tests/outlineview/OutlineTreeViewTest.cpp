#include "outlineview/OutlineTreeView.h"
#include "outline/OutlineItemModel.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

TEST(OutlineTreeView, DropsMoveTheSelectedNodeOnlyFromATreeView) {
  OutlineTree tree;
  tree.loadFromBytes("A\r\n\tA1\r\nB\r\nC\r\n");
  OutlineTreeView view;
  OutlineItemModel model(tree);
  view.setModel(&model);
  view.resize(200, 300);
  QPlainTextEdit other;
  const QPoint below(5, 290);                              // empty space under the rows
  EXPECT_FALSE(view.dropSelectedNode(tree, &view, below)); // nothing selected
  tree.setSelected(tree.topLevelNode(0));
  EXPECT_FALSE(OutlineTreeView::IsTreeDragSource(&other));
  EXPECT_FALSE(view.dropSelectedNode(tree, &other, below));
  EXPECT_EQ(tree.dump(), "A(A1) B C");
  EXPECT_TRUE(view.dropSelectedNode(tree, &view, below));
  EXPECT_EQ(tree.dump(), "B C A(A1)");
  EXPECT_EQ(view.currentNode(), tree.topLevelNode(2));
  // B has no children, so its button cell is indent: A moves to stand before B.
  const QRect row = view.visualRect(model.indexOf(tree.topLevelNode(0)));
  EXPECT_TRUE(view.dropSelectedNode(tree, &view, QPoint(row.left() - 5, row.center().y())));
  EXPECT_EQ(tree.dump(), "A(A1) B C");
  EXPECT_FALSE(view.startsDrags()); // a tree starts no drags unless its window asks
  view.setModel(nullptr);
}

} // namespace
