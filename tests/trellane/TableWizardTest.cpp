#include "trellane/TableWizard.h"
#include "outline/OutlineTree.h"

#include <gtest/gtest.h>

using namespace corvana;

namespace {

TEST(TableWizard, ATwoByTwoTableGivesItsTextByteForByte) {
  OutlineTree tree;
  OutlineNode *at = tree.AddChild(nullptr, "newnode");
  BuildTable(tree, at, 2, 2);
  EXPECT_TRUE(tree.isConsistent());
  EXPECT_EQ(tree.dump(), "<TABLE BORDER=1>(<TR>(<TD>(* </TD>) <TD>(* </TD>) </TR>) <TR>(<TD>(* </TD>) <TD>(* </TD>) "
                         "</TR>) </TABLE>)");
  EXPECT_EQ(TableText(tree), "<TABLE BORDER=1>"
                             "<TR><TD>*</TD>\r\n<TD>*</TD>\r\n</TR>\r\n"
                             "<TR><TD>*</TD>\r\n<TD>*</TD>\r\n</TR>\r\n"
                             "</TABLE>");
}

TEST(TableWizard, NoRowsChosenLeavesTheBareTableAndOldChildrenStayInFront) {
  OutlineTree tree;
  OutlineNode *at = tree.AddChild(nullptr, "<P>");
  tree.AddChild(at, "caption");
  tree.Add(at, "after");
  BuildTable(tree, at, 0, 3);
  EXPECT_EQ(tree.dump(), "<TABLE BORDER=1>(caption </TABLE>) after");
  BuildTable(tree, at, 1, 1);
  EXPECT_EQ(tree.dump(), "<TABLE BORDER=1>(caption </TABLE> <TR>(<TD>(* </TD>) </TR>) </TABLE>) after");
  // Only exact end tags break the line.
  tree.setText(tree.nodeAt(0)->child(0), "</TD> ");
  EXPECT_EQ(TableText(tree), "<TABLE BORDER=1></TD> </TABLE><TR><TD>*</TD>\r\n</TR>\r\n</TABLE>after");
}

TEST(TableWizard, FrameSetsOfThreeAndOfNoChosenNumber) {
  OutlineTree tree;
  OutlineNode *at = tree.AddChild(nullptr, "newnode");
  BuildFrameset(tree, at, 3, FramesetLayout::Cols);
  EXPECT_EQ(FrameText(tree), "<FRAMESET COLS=\"*,*,*\">\r\n<FRAME>\r\n<FRAME>\r\n<FRAME>\r\n</FRAMESET>\r\n");

  OutlineTree none;
  at = none.AddChild(nullptr, "newnode");
  BuildFrameset(none, at, 0, FramesetLayout::Rows);
  // One frame is made all the same, and its size list stays a closed quoted value.
  EXPECT_EQ(FrameText(none), "<FRAMESET ROWS=\"*\">\r\n<FRAME>\r\n</FRAMESET>\r\n");
  EXPECT_EQ(none.dump(), "<FRAMESET ROWS=\"*\">(<FRAME> </FRAMESET>)");
  EXPECT_EQ(FrameText(OutlineTree()), "");
  EXPECT_EQ(TableText(OutlineTree()), "");
}

TEST(TableWizard, FrameAndCellTags) {
  EXPECT_EQ(FrameTag("left.htm", "menu"), "<FRAME SRC=\"left.htm\" NAME=\"menu\">");
  EXPECT_EQ(FrameTag("", ""), "<FRAME SRC=\"\" NAME=\"\">");
  // A quote in a file name would end the value and let the rest of the name become markup.
  EXPECT_EQ(FrameTag("/a \"b\".htm", "x\"y"), "<FRAME SRC=\"/a &quot;b&quot;.htm\" NAME=\"x&quot;y\">");
  EXPECT_EQ(CellTag(CellSpan::Cols, 3), "<TD COLSPAN=3>");
  EXPECT_EQ(CellTag(CellSpan::Rows, 12), "<TD ROWSPAN=12>");
  EXPECT_EQ(CellTag(CellSpan::None, 4), "<TD>");
}

} // namespace
