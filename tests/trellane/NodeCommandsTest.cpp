#include "trellane/NodeCommands.h"

#include <gtest/gtest.h>

using namespace corvana;

namespace {

using Mode = OutlineTree::MoveMode;

// A(B C) D
struct Forest {
  OutlineTree tree;
  OutlineNode *a = tree.AddChild(nullptr, "A");
  OutlineNode *b = tree.AddChild(a, "B");
  OutlineNode *c = tree.AddChild(a, "C");
  OutlineNode *d = tree.AddChild(nullptr, "D");
};

TEST(NodeCommands, AddPutsTheNewNodeInEachOfTheFivePlaces) {
  const struct {
    Mode place;
    const char *dump;
  } cases[] = {
      {Mode::Add, "A(B C n) D"},       {Mode::AddFirst, "A(n B C) D"},       {Mode::Insert, "A(B n C) D"},
      {Mode::AddChild, "A(B C(n)) D"}, {Mode::AddChildFirst, "A(B C(n)) D"},
  };
  for (const auto &c : cases) {
    Forest f;
    AddNode(f.tree, f.c, c.place, "n");
    EXPECT_EQ(f.tree.dump(), c.dump) << int(c.place);
  }
  // Without a node the new one goes to the top level.
  OutlineTree tree;
  AddNode(tree, nullptr, Mode::Add, "x");
  AddNode(tree, nullptr, Mode::AddFirst, "y");
  AddNode(tree, nullptr, Mode::AddChildFirst, "z");
  AddNode(tree, nullptr, Mode::Insert, "w");
  EXPECT_EQ(tree.dump(), "z y x w");
}

TEST(NodeCommands, DuplicateCopiesTheSubtreeAsTheLastSibling) {
  Forest f;
  f.tree.AddChild(f.b, "B1");
  DuplicateNode(f.tree, f.a);
  EXPECT_EQ(f.tree.dump(), "A(B(B1) C) D A(B(B1) C)");
  DuplicateNode(f.tree, f.b);
  EXPECT_EQ(f.tree.dump(), "A(B(B1) C B(B1)) D A(B(B1) C)");
  EXPECT_EQ(DuplicateNode(f.tree, nullptr), nullptr);
  EXPECT_TRUE(f.tree.isConsistent());
}

TEST(NodeCommands, MovesGoFromTheSourceAndNeverIntoItsOwnSubtree) {
  Forest f;
  NodeMover mover;
  EXPECT_FALSE(mover.moveTo(f.tree, f.d, Mode::AddChild)) << "no source chosen yet";
  mover.setSource(f.tree, f.a);
  EXPECT_FALSE(mover.moveTo(f.tree, f.b, Mode::AddChild));
  EXPECT_FALSE(mover.moveTo(f.tree, f.c, Mode::Insert));
  EXPECT_FALSE(mover.moveTo(f.tree, f.a, Mode::AddChildFirst));
  EXPECT_EQ(f.tree.dump(), "A(B C) D");
  EXPECT_TRUE(mover.moveTo(f.tree, f.d, Mode::AddChild));
  EXPECT_EQ(f.tree.dump(), "D(A(B C))");
  // The source stays chosen after a move.
  EXPECT_TRUE(mover.moveTo(f.tree, f.d, Mode::Add));
  EXPECT_EQ(f.tree.dump(), "D A(B C)");
  EXPECT_TRUE(f.tree.isConsistent());
}

TEST(NodeCommands, ADeletedSourceIsForgottenAndOtherTreesAreOutOfReach) {
  Forest f;
  Forest other;
  NodeMover mover;
  mover.setSource(f.tree, f.b);
  EXPECT_FALSE(mover.moveTo(other.tree, other.d, Mode::AddChild));
  EXPECT_EQ(other.tree.dump(), "A(B C) D");
  EXPECT_EQ(f.tree.dump(), "A(B C) D");

  f.tree.Delete(f.c);
  EXPECT_EQ(mover.source(), f.b) << "deleting another node keeps the source";
  f.tree.Delete(f.a);
  EXPECT_EQ(mover.source(), nullptr);
  EXPECT_FALSE(mover.moveTo(f.tree, f.d, Mode::AddChild));
  EXPECT_EQ(f.tree.dump(), "D");

  mover.setSource(f.tree, f.d);
  f.tree.Clear();
  EXPECT_EQ(mover.source(), nullptr);
}

} // namespace
