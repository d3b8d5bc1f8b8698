#pragma once
// The node menu's tree edits: adding a node in any of the tree's five places, duplicating a
// node with its subtree, and moving a remembered source node. QtCore only.

#include "outline/OutlineTree.h"

namespace corvana {

// A new node placed relative to `at` as the matching move would place a node (add, add first,
// insert, add child, add child first); with `at` none it goes to the top level.
OutlineNode *AddNode(OutlineTree &tree, OutlineNode *at, OutlineTree::MoveMode place, OutlineText text);
// A copy of `node` as its last sibling, with copies of its children and their subtrees.
OutlineNode *DuplicateNode(OutlineTree &tree, OutlineNode *node);

// The source of the Move commands. It is forgotten when it is deleted or its tree is emptied,
// and it moves only within its own tree.
class NodeMover : private OutlineObserver {
public:
  NodeMover() = default;
  ~NodeMover() override;
  NodeMover(const NodeMover &) = delete;
  NodeMover &operator=(const NodeMover &) = delete;

  void setSource(OutlineTree &tree, OutlineNode *node);
  OutlineNode *source() const { return m_source; }
  // False, changing nothing, without a source, for a target in another tree, or for a target
  // inside the source's own subtree.
  bool moveTo(OutlineTree &tree, OutlineNode *target, OutlineTree::MoveMode mode);

private:
  void forget();
  void nodeAboutToBeRemoved(OutlineNode *node) override;
  void aboutToReset() override;

  OutlineTree *m_tree = nullptr;
  OutlineNode *m_source = nullptr;
};

} // namespace corvana
