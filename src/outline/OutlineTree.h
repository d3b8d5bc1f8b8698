#pragma once
// The ordered forest of one-line text nodes that the notebook, the database, the HTML wizard
// and the image-map editor keep their documents in: its structure and the notifications a view
// follows. Nodes and texts live in an OutlineStore; OutlineFile reads and writes the file.
// QtCore only: a tree view mirrors it through OutlineObserver.

#include "outline/OutlineNode.h"
#include "outline/OutlineStore.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace corvana {

// Text given to the tree: bytes as they are, a QString as UTF-8. Views are not copied: the
// tree copies the bytes before it moves any stored text, so another node's text() may be given.
struct OutlineText {
  OutlineText(const QByteArray &bytes) : owned(bytes), bytes(owned) {}
  OutlineText(const char *bytes) : bytes(bytes) {}
  OutlineText(const QString &text) : owned(text.toUtf8()), bytes(owned) {}
  OutlineText(QByteArrayView bytes) : bytes(bytes) {}
  OutlineText(const OutlineText &other) : owned(other.owned), bytes(other.owned.isNull() ? other.bytes : owned) {}
  OutlineText &operator=(const OutlineText &) = delete;
  QByteArray owned;
  QByteArrayView bytes;
};

// What a view follows. Parents are none for the top level; rows count from 0.
class OutlineObserver {
public:
  virtual ~OutlineObserver() = default;
  virtual void nodeAboutToBeInserted(OutlineNode * /*parent*/, qsizetype /*row*/) {}
  virtual void nodeInserted(OutlineNode * /*node*/) {}
  // The node and its subtree are still intact here; handles into it die right after.
  virtual void nodeAboutToBeRemoved(OutlineNode * /*node*/) {}
  virtual void nodeRemoved(OutlineNode * /*parent*/, qsizetype /*row*/) {}
  // `newRow` is counted among the destination's children before the node leaves its place.
  virtual void nodeAboutToBeMoved(OutlineNode * /*node*/, OutlineNode * /*newParent*/, qsizetype /*newRow*/) {}
  virtual void nodeMoved(OutlineNode * /*node*/) {}
  virtual void textChanged(OutlineNode * /*node*/) {}
  // The children of parent (none: the top level) were reordered.
  virtual void childrenAboutToBeSorted(OutlineNode * /*parent*/) {}
  virtual void childrenSorted(OutlineNode * /*parent*/) {}
  // Clear and LoadFromFile rebuild everything between these two.
  virtual void aboutToReset() {}
  virtual void resetDone() {}
  virtual void selectionChanged(OutlineNode * /*node*/) {}
  // BeginUpdate / EndUpdate at the outermost level.
  virtual void updatesSuspended(bool /*suspended*/) {}
};

class OutlineTree {
public:
  enum class SortMode { None, Text };
  // Which siblings the text sort orders: every level, or only the top-level nodes.
  enum class SortScope { AllLevels, TopLevel };
  enum class MoveMode { Add, AddFirst, AddChild, AddChildFirst, Insert };

  OutlineTree();
  ~OutlineTree();
  OutlineTree(const OutlineTree &) = delete;
  OutlineTree &operator=(const OutlineTree &) = delete;

  // Structure
  qsizetype count() const { return m_count; }
  bool isEmpty() const { return m_count == 0; }
  OutlineNode *firstNode() const { return m_root.firstChild(); }
  qsizetype topLevelCount() const { return m_root.childCount(); }
  OutlineNode *topLevelNode(qsizetype index) const { return m_root.child(index); }
  // Pre-order position from 0; -1 for a node of another tree.
  qsizetype absoluteIndex(const OutlineNode *node) const;
  OutlineNode *nodeAt(qsizetype absoluteIndex) const;
  OutlineNode *lastNode() const;

  // Operations; each returns the new node. Texts are cleaned as by setText.
  OutlineNode *Add(OutlineNode *node, OutlineText text);
  OutlineNode *AddChild(OutlineNode *node, OutlineText text);
  OutlineNode *AddFirst(OutlineNode *node, OutlineText text);
  // The first child of node; the first top-level node when node is none.
  OutlineNode *AddChildFirst(OutlineNode *node, OutlineText text);
  // Directly before node; the last top-level node when node is none.
  OutlineNode *Insert(OutlineNode *node, OutlineText text);
  void Delete(OutlineNode *node);
  void Clear();
  // Returns false, changing nothing, when the destination lies inside node's own subtree.
  // A target of none means the top level (Insert then appends there).
  bool MoveTo(OutlineNode *node, OutlineNode *target, MoveMode mode);
  // Line breaks in a text are stored as "~" and NULs dropped, so that a node stays one line.
  void setText(OutlineNode *node, OutlineText text);
  // Copies source's children with their subtrees (texts only) under destination, in order.
  void copyChildren(const OutlineNode *source, OutlineNode *destination);

  // Suspends view updates; calls nest.
  void BeginUpdate();
  void EndUpdate();
  bool updating() const { return m_updateDepth > 0; }

  OutlineNode *selected() const { return m_selected; }
  void setSelected(OutlineNode *node);

  SortMode sortMode() const { return m_sortMode; }
  // Choosing Text sorts at once; while it is on, a node whose text changes is sorted again
  // among its siblings. New nodes stay where they were put.
  void setSortMode(SortMode mode);
  SortScope sortScope() const { return m_sortScope; }
  void setSortScope(SortScope scope) { m_sortScope = scope; }

  // The outline text file. Loading raises "Cannot open file %s" (tree unchanged) or
  // "Invalid level (%d) for item \"%s\"" (the nodes read so far stay); saving raises
  // "Cannot create file %s" and leaves the old file as it was.
  void LoadFromFile(const QString &path);
  void SaveToFile(const QString &path) const;
  // The same format in memory; loading replaces the tree.
  void loadFromBytes(QByteArrayView bytes);
  QByteArray saveToBytes() const;

  void addObserver(OutlineObserver *observer);
  void removeObserver(OutlineObserver *observer);

  // Checks parent links, rows, the node count and the selection.
  bool isConsistent() const;
  // One line: "A(B(C)) D" — children in parentheses, siblings separated by blanks.
  QString dump() const;

private:
  OutlineNode *insertNode(OutlineNode *parent, qsizetype row, QByteArrayView text);
  void detach(OutlineNode *node);
  void attach(OutlineNode *node, OutlineNode *parent, qsizetype row);
  void renumber(OutlineNode *parent, qsizetype from);
  qsizetype destroySubtree(OutlineNode *node);
  void clearNodes();
  void load(OutlineBytes bytes);
  bool sortsChildrenOf(const OutlineNode *parent) const;
  void sortChildren(OutlineNode *parent);
  void sortAll();
  OutlineNode *parentOrRoot(OutlineNode *node) { return node ? node : &m_root; }
  OutlineNode *exposed(OutlineNode *parent) const { return parent == &m_root ? nullptr : parent; }
  template <typename F> void notify(F &&f) const;

  OutlineStore m_store;
  OutlineNode m_root;
  qsizetype m_count = 0;
  OutlineNode *m_selected = nullptr;
  int m_updateDepth = 0;
  SortMode m_sortMode = SortMode::None;
  SortScope m_sortScope = SortScope::AllLevels;
  std::vector<OutlineObserver *> m_observers;
};

// Page text inside a node: every CR LF of the page is stored as one "~".
QString Decode(const QString &text);
QString Encode(const QString &page);
// The decoded text of the node's only child; nothing when it has not exactly one child.
std::optional<QString> PageOf(const OutlineNode *node);

} // namespace corvana
