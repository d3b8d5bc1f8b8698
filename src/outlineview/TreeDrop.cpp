#include "outlineview/TreeDrop.h"

namespace corvana {

TreeHit ClassifyTreeHit(int x, const TreeRowParts &row) {
  if (x >= row.labelRight)
    return TreeHit::OnRight;
  if (x >= row.labelLeft)
    return TreeHit::OnLabel;
  if (x >= row.buttonLeft && row.hasButton)
    return TreeHit::OnButton;
  return TreeHit::OnIndent;
}

bool DropSelectedNode(OutlineTree &tree, OutlineNode *target, TreeHit hit) {
  OutlineNode *selected = tree.selected();
  if (!selected)
    return false;
  switch (hit) {
  case TreeHit::Nowhere:
    return tree.MoveTo(selected, nullptr, OutlineTree::MoveMode::Add);
  case TreeHit::OnLabel:
  case TreeHit::OnIcon:
    return tree.MoveTo(selected, target, OutlineTree::MoveMode::Add);
  case TreeHit::OnIndent:
    return target && tree.MoveTo(selected, target, OutlineTree::MoveMode::Insert);
  case TreeHit::OnButton:
  case TreeHit::OnRight:
    break;
  }
  return false;
}

} // namespace corvana
