#include "outlineview/TreeDrop.h"

#include <gtest/gtest.h>

using namespace corvana;

namespace {

TEST(TreeDrop, ClassifiesARowIntoIndentButtonLabelAndRight) {
  const TreeRowParts row{38, 57, 90, true};
  EXPECT_EQ(ClassifyTreeHit(0, row), TreeHit::OnIndent);
  EXPECT_EQ(ClassifyTreeHit(37, row), TreeHit::OnIndent);
  EXPECT_EQ(ClassifyTreeHit(38, row), TreeHit::OnButton);
  EXPECT_EQ(ClassifyTreeHit(57, row), TreeHit::OnLabel);
  EXPECT_EQ(ClassifyTreeHit(89, row), TreeHit::OnLabel);
  EXPECT_EQ(ClassifyTreeHit(90, row), TreeHit::OnRight);
  // A node without children shows no button: its cell is indent.
  EXPECT_EQ(ClassifyTreeHit(40, TreeRowParts{38, 57, 90, false}), TreeHit::OnIndent);
}

TEST(TreeDrop, MovesTheSelectedNodeOnlyWhereTheRulesSay) {
  OutlineTree tree;
  tree.loadFromBytes("A\r\n\tA1\r\nB\r\nC\r\n");
  OutlineNode *a = tree.topLevelNode(0);
  OutlineNode *c = tree.topLevelNode(2);
  EXPECT_FALSE(DropSelectedNode(tree, a, TreeHit::OnLabel)); // nothing selected
  tree.setSelected(c);
  for (TreeHit ignored : {TreeHit::OnButton, TreeHit::OnRight})
    EXPECT_FALSE(DropSelectedNode(tree, a, ignored));
  EXPECT_FALSE(DropSelectedNode(tree, nullptr, TreeHit::OnIndent));
  EXPECT_EQ(tree.dump(), "A(A1) B C");
  EXPECT_TRUE(DropSelectedNode(tree, a->child(0), TreeHit::OnIcon));
  EXPECT_EQ(tree.dump(), "A(A1 C) B");
  EXPECT_TRUE(DropSelectedNode(tree, a->child(0), TreeHit::OnIndent));
  EXPECT_EQ(tree.dump(), "A(C A1) B");
  EXPECT_TRUE(DropSelectedNode(tree, a->child(1), TreeHit::Nowhere));
  EXPECT_EQ(tree.dump(), "A(A1) B C");
  tree.setSelected(a);
  EXPECT_FALSE(DropSelectedNode(tree, a->child(0), TreeHit::OnLabel));
  EXPECT_EQ(tree.dump(), "A(A1) B C");
  EXPECT_TRUE(tree.isConsistent());
}

} // namespace
