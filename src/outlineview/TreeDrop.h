#pragma once
// Dropping onto a tree view moves its own selected node. Where the drop lands on a row decides
// how: on the label (or on empty space below the rows) the node becomes the target's last
// sibling, on the indent it moves to stand before the target; elsewhere nothing happens.

#include "outline/OutlineTree.h"

namespace corvana {

// The parts of a tree view a point can fall on, as the drop rules tell them apart.
enum class TreeHit { Nowhere, OnLabel, OnIcon, OnIndent, OnButton, OnRight };

// A row's parts along x, in viewport coordinates: the indent runs up to the expand button's
// cell, which ends where the label begins.
struct TreeRowParts {
  int buttonLeft = 0;
  int labelLeft = 0;
  int labelRight = 0;
  bool hasButton = false; // the row's node has children, so its cell shows a button
};

TreeHit ClassifyTreeHit(int x, const TreeRowParts &row);

// Moves the tree's selected node as a drop at `hit` over `target` (none over empty space)
// asks. False when nothing moved: no selection, a part that takes no drop, or a target inside
// the selected node's own subtree.
bool DropSelectedNode(OutlineTree &tree, OutlineNode *target, TreeHit hit);

} // namespace corvana
