#pragma once
// A node of an outline tree: a handle to read its text and find its neighbours. The tree links
// nodes; its store makes them and places their texts.

#include <QByteArrayView>
#include <QString>

#include <vector>

namespace corvana {

class OutlineTree;
class OutlineStore;

// One node. A node pointer is a stable handle: it stays valid until the node (or an ancestor)
// is deleted, whatever else moves. Nodes are changed only through their tree.
class OutlineNode {
public:
  OutlineNode(const OutlineNode &) = delete;
  OutlineNode &operator=(const OutlineNode &) = delete;

  // The caption as held: 8-bit (UTF-8) bytes without CR or LF. The view stays valid until
  // the tree's next setText or Delete; copy it to keep it longer.
  QByteArrayView text() const { return QByteArrayView(m_text, m_textSize); }
  QString textString() const { return QString::fromUtf8(m_text, m_textSize); }

  // None for a top-level node.
  OutlineNode *parent() const { return m_parent && m_parent->m_parent ? m_parent : nullptr; }
  qsizetype childCount() const { return qsizetype(m_children.size()); }
  OutlineNode *child(qsizetype index) const {
    return index >= 0 && index < childCount() ? m_children[size_t(index)] : nullptr;
  }
  bool hasChildren() const { return !m_children.empty(); }
  OutlineNode *firstChild() const { return m_children.empty() ? nullptr : m_children.front(); }
  OutlineNode *lastChild() const { return m_children.empty() ? nullptr : m_children.back(); }
  // Position among the siblings, from 0.
  qsizetype index() const { return m_row; }
  OutlineNode *nextSibling() const { return m_parent ? m_parent->child(m_row + 1) : nullptr; }
  OutlineNode *prevSibling() const { return m_parent ? m_parent->child(m_row - 1) : nullptr; }
  // Pre-order neighbours over the whole tree (none past either end).
  OutlineNode *nextNode() const;
  OutlineNode *prevNode() const;
  // 0 for a top-level node.
  int level() const;
  bool isTopLevel() const { return m_parent && !m_parent->m_parent; }
  // True when `other` is this node or one of its descendants.
  bool contains(const OutlineNode *other) const;

private:
  friend class OutlineTree;  // links nodes
  friend class OutlineStore; // makes nodes and places their texts
  OutlineNode() = default;

  const char *m_text = nullptr; // in the tree's store
  qsizetype m_textSize = 0;
  OutlineNode *m_parent = nullptr; // the tree's hidden root for top-level nodes
  qsizetype m_row = 0;
  std::vector<OutlineNode *> m_children;
};

} // namespace corvana
