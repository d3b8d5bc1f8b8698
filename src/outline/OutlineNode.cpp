#include "outline/OutlineNode.h"

namespace corvana {

OutlineNode *OutlineNode::nextNode() const {
  if (!m_children.empty())
    return m_children.front();
  for (const OutlineNode *node = this; node && node->m_parent; node = node->m_parent)
    if (OutlineNode *next = node->nextSibling())
      return next;
  return nullptr;
}

OutlineNode *OutlineNode::prevNode() const {
  OutlineNode *node = prevSibling();
  if (!node)
    return parent();
  while (!node->m_children.empty())
    node = node->m_children.back();
  return node;
}

int OutlineNode::level() const {
  int level = 0;
  for (const OutlineNode *node = m_parent; node && node->m_parent; node = node->m_parent)
    ++level;
  return level;
}

bool OutlineNode::contains(const OutlineNode *other) const {
  for (; other; other = other->m_parent)
    if (other == this)
      return true;
  return false;
}

} // namespace corvana
