#include "trellane/NodeCommands.h"

namespace corvana {

OutlineNode *AddNode(OutlineTree &tree, OutlineNode *at, OutlineTree::MoveMode place, OutlineText text) {
  using Mode = OutlineTree::MoveMode;
  switch (place) {
  case Mode::Add:
    return tree.Add(at, text);
  case Mode::AddFirst:
    return tree.AddFirst(at, text);
  case Mode::Insert:
    return tree.Insert(at, text);
  case Mode::AddChild:
    return tree.AddChild(at, text);
  case Mode::AddChildFirst:
    return tree.AddChildFirst(at, text);
  }
  return nullptr;
}

OutlineNode *DuplicateNode(OutlineTree &tree, OutlineNode *node) {
  if (!node)
    return nullptr;
  OutlineNode *copy = tree.Add(node, node->text());
  tree.copyChildren(node, copy);
  return copy;
}

NodeMover::~NodeMover() { forget(); }

void NodeMover::forget() {
  if (m_tree)
    m_tree->removeObserver(this);
  m_tree = nullptr;
  m_source = nullptr;
}

void NodeMover::setSource(OutlineTree &tree, OutlineNode *node) {
  forget();
  if (!node)
    return;
  m_tree = &tree;
  m_source = node;
  tree.addObserver(this);
}

bool NodeMover::moveTo(OutlineTree &tree, OutlineNode *target, OutlineTree::MoveMode mode) {
  // A node linked into another tree would be counted and freed by the wrong one.
  if (!m_source || !target || &tree != m_tree)
    return false;
  return tree.MoveTo(m_source, target, mode);
}

void NodeMover::nodeAboutToBeRemoved(OutlineNode *node) {
  if (node->contains(m_source))
    m_source = nullptr;
}

void NodeMover::aboutToReset() { m_source = nullptr; }

} // namespace corvana
