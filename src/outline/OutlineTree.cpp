#include "outline/OutlineTree.h"

#include "outline/OutlineFile.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <cstring>

namespace corvana {

namespace {

// Node texts never hold a line break (it would split the node in the file) or a NUL (it would
// end the file there): line breaks become "~" like page breaks, NULs are dropped.
QByteArrayView cleanText(QByteArrayView text, QByteArray &scratch) {
  const char *data = text.data();
  const qsizetype n = text.size();
  qsizetype i = 0;
  while (i < n && data[i] != '\r' && data[i] != '\n' && data[i] != '\0')
    ++i;
  if (i == n)
    return text;
  scratch.clear();
  scratch.reserve(n);
  scratch.append(data, i);
  for (; i < n; ++i) {
    const char c = data[i];
    if (c == '\r') {
      if (i + 1 < n && data[i + 1] == '\n')
        ++i;
      scratch.append('~');
    } else if (c == '\n') {
      scratch.append('~');
    } else if (c != '\0') {
      scratch.append(c);
    }
  }
  return scratch;
}

} // namespace

// ---- OutlineTree: structure

OutlineTree::OutlineTree() = default;

OutlineTree::~OutlineTree() { clearNodes(); }

template <typename F> void OutlineTree::notify(F &&f) const {
  for (OutlineObserver *observer : m_observers)
    f(observer);
}

void OutlineTree::addObserver(OutlineObserver *observer) { m_observers.push_back(observer); }

void OutlineTree::removeObserver(OutlineObserver *observer) {
  m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

qsizetype OutlineTree::absoluteIndex(const OutlineNode *node) const {
  qsizetype index = 0;
  for (const OutlineNode *n = firstNode(); n; n = n->nextNode(), ++index)
    if (n == node)
      return index;
  return -1;
}

OutlineNode *OutlineTree::nodeAt(qsizetype absoluteIndex) const {
  if (absoluteIndex < 0 || absoluteIndex >= m_count)
    return nullptr;
  OutlineNode *node = firstNode();
  for (qsizetype i = 0; i < absoluteIndex && node; ++i)
    node = node->nextNode();
  return node;
}

OutlineNode *OutlineTree::lastNode() const {
  OutlineNode *node = m_root.lastChild();
  while (node && node->hasChildren())
    node = node->lastChild();
  return node;
}

void OutlineTree::renumber(OutlineNode *parent, qsizetype from) {
  for (qsizetype i = from; i < parent->childCount(); ++i)
    parent->m_children[size_t(i)]->m_row = i;
}

void OutlineTree::detach(OutlineNode *node) {
  OutlineNode *parent = node->m_parent;
  parent->m_children.erase(parent->m_children.begin() + node->m_row);
  renumber(parent, node->m_row);
  node->m_parent = nullptr;
}

void OutlineTree::attach(OutlineNode *node, OutlineNode *parent, qsizetype row) {
  node->m_parent = parent;
  if (row >= parent->childCount()) {
    node->m_row = parent->childCount();
    parent->m_children.push_back(node);
  } else {
    parent->m_children.insert(parent->m_children.begin() + row, node);
    renumber(parent, row);
  }
}

OutlineNode *OutlineTree::insertNode(OutlineNode *parent, qsizetype row, QByteArrayView text) {
  row = std::clamp<qsizetype>(row, 0, parent->childCount());
  notify([&](OutlineObserver *o) { o->nodeAboutToBeInserted(exposed(parent), row); });
  QByteArray scratch;
  OutlineNode *node = m_store.newNode(cleanText(text, scratch));
  attach(node, parent, row);
  ++m_count;
  notify([&](OutlineObserver *o) { o->nodeInserted(node); });
  return node;
}

qsizetype OutlineTree::destroySubtree(OutlineNode *node) {
  // Iterative so that very deep trees cannot overflow the stack.
  qsizetype destroyed = 0;
  std::vector<OutlineNode *> stack{node};
  while (!stack.empty()) {
    OutlineNode *n = stack.back();
    stack.pop_back();
    stack.insert(stack.end(), n->m_children.begin(), n->m_children.end());
    m_store.freeNode(n);
    ++destroyed;
  }
  return destroyed;
}

OutlineNode *OutlineTree::Add(OutlineNode *node, OutlineText text) {
  OutlineNode *parent = node ? node->m_parent : &m_root;
  return insertNode(parent, parent->childCount(), text.bytes);
}

OutlineNode *OutlineTree::AddChild(OutlineNode *node, OutlineText text) {
  OutlineNode *parent = parentOrRoot(node);
  return insertNode(parent, parent->childCount(), text.bytes);
}

OutlineNode *OutlineTree::AddFirst(OutlineNode *node, OutlineText text) {
  return insertNode(node ? node->m_parent : &m_root, 0, text.bytes);
}

OutlineNode *OutlineTree::AddChildFirst(OutlineNode *node, OutlineText text) {
  return insertNode(parentOrRoot(node), 0, text.bytes);
}

OutlineNode *OutlineTree::Insert(OutlineNode *node, OutlineText text) {
  if (!node)
    return insertNode(&m_root, m_root.childCount(), text.bytes);
  return insertNode(node->m_parent, node->m_row, text.bytes);
}

void OutlineTree::Delete(OutlineNode *node) {
  if (!node)
    return;
  OutlineNode *parent = node->m_parent;
  const qsizetype row = node->m_row;
  const bool selectionGoes = node->contains(m_selected);
  if (selectionGoes)
    setSelected(nullptr);
  notify([&](OutlineObserver *o) { o->nodeAboutToBeRemoved(node); });
  detach(node);
  m_count -= destroySubtree(node);
  if (m_count == 0)
    clearNodes();
  else
    m_store.reclaimGaps(firstNode());
  notify([&](OutlineObserver *o) { o->nodeRemoved(exposed(parent), row); });
}

void OutlineTree::clearNodes() {
  // With every node gone the chunks go as a whole; only the nodes' own parts need freeing.
  std::vector<OutlineNode *> stack(m_root.m_children.begin(), m_root.m_children.end());
  while (!stack.empty()) {
    OutlineNode *n = stack.back();
    stack.pop_back();
    stack.insert(stack.end(), n->m_children.begin(), n->m_children.end());
    n->~OutlineNode();
  }
  m_root.m_children = {};
  m_count = 0;
  m_store.clear();
}

void OutlineTree::Clear() {
  OutlineNode *wasSelected = m_selected;
  notify([](OutlineObserver *o) { o->aboutToReset(); });
  m_selected = nullptr;
  clearNodes();
  notify([](OutlineObserver *o) { o->resetDone(); });
  if (wasSelected)
    notify([](OutlineObserver *o) { o->selectionChanged(nullptr); });
}

bool OutlineTree::MoveTo(OutlineNode *node, OutlineNode *target, MoveMode mode) {
  if (!node)
    return false;
  OutlineNode *parent = nullptr;
  qsizetype row = 0;
  switch (mode) {
  case MoveMode::Add:
    parent = target ? target->m_parent : &m_root;
    row = parent->childCount();
    break;
  case MoveMode::AddFirst:
    parent = target ? target->m_parent : &m_root;
    break;
  case MoveMode::AddChild:
    parent = parentOrRoot(target);
    row = parent->childCount();
    break;
  case MoveMode::AddChildFirst:
    parent = parentOrRoot(target);
    break;
  case MoveMode::Insert:
    parent = target ? target->m_parent : &m_root;
    row = target ? target->m_row : parent->childCount();
    break;
  }
  if (node->contains(parent))
    return false;
  notify([&](OutlineObserver *o) { o->nodeAboutToBeMoved(node, exposed(parent), row); });
  const bool sameParent = node->m_parent == parent;
  const qsizetype oldRow = node->m_row;
  detach(node);
  if (sameParent && oldRow < row)
    --row;
  attach(node, parent, row);
  notify([&](OutlineObserver *o) { o->nodeMoved(node); });
  return true;
}

void OutlineTree::setText(OutlineNode *node, OutlineText text) {
  if (!node)
    return;
  QByteArray scratch;
  m_store.setText(node, cleanText(text.bytes, scratch));
  m_store.reclaimGaps(firstNode());
  notify([&](OutlineObserver *o) { o->textChanged(node); });
  if (m_sortMode == SortMode::Text && sortsChildrenOf(node->m_parent))
    sortChildren(node->m_parent);
}

void OutlineTree::copyChildren(const OutlineNode *source, OutlineNode *destination) {
  if (!source || !destination)
    return;
  // Flattened first, so that copying into the source's own subtree cannot feed itself.
  struct Item {
    int depth;
    QByteArray text;
  };
  std::vector<Item> items;
  std::vector<std::pair<const OutlineNode *, int>> stack;
  for (qsizetype i = source->childCount() - 1; i >= 0; --i)
    stack.emplace_back(source->child(i), 0);
  while (!stack.empty()) {
    auto [node, depth] = stack.back();
    stack.pop_back();
    items.push_back({depth, node->text().toByteArray()});
    for (qsizetype i = node->childCount() - 1; i >= 0; --i)
      stack.emplace_back(node->child(i), depth + 1);
  }
  std::vector<OutlineNode *> parents{destination};
  for (Item &item : items) {
    parents.resize(size_t(item.depth) + 1);
    OutlineNode *parent = parents.back();
    parents.push_back(insertNode(parent, parent->childCount(), item.text));
  }
}

// ---- updates, selection, sorting

void OutlineTree::BeginUpdate() {
  if (m_updateDepth++ == 0)
    notify([](OutlineObserver *o) { o->updatesSuspended(true); });
}

void OutlineTree::EndUpdate() {
  if (m_updateDepth > 0 && --m_updateDepth == 0)
    notify([](OutlineObserver *o) { o->updatesSuspended(false); });
}

void OutlineTree::setSelected(OutlineNode *node) {
  if (node == m_selected)
    return;
  m_selected = node;
  notify([&](OutlineObserver *o) { o->selectionChanged(node); });
}

void OutlineTree::setSortMode(SortMode mode) {
  m_sortMode = mode;
  if (mode == SortMode::Text)
    sortAll();
}

bool OutlineTree::sortsChildrenOf(const OutlineNode *parent) const {
  return m_sortScope == SortScope::AllLevels || parent == &m_root;
}

void OutlineTree::sortChildren(OutlineNode *parent) {
  if (parent->childCount() < 2)
    return;
  QCollator collator{QLocale()};
  collator.setCaseSensitivity(Qt::CaseSensitive);
  std::vector<std::pair<QString, OutlineNode *>> keyed;
  keyed.reserve(parent->m_children.size());
  for (OutlineNode *child : parent->m_children)
    keyed.emplace_back(child->textString(), child);
  notify([&](OutlineObserver *o) { o->childrenAboutToBeSorted(exposed(parent)); });
  std::stable_sort(keyed.begin(), keyed.end(),
                   [&](const auto &a, const auto &b) { return collator.compare(a.first, b.first) < 0; });
  for (size_t i = 0; i < keyed.size(); ++i)
    parent->m_children[i] = keyed[i].second;
  renumber(parent, 0);
  notify([&](OutlineObserver *o) { o->childrenSorted(exposed(parent)); });
}

void OutlineTree::sortAll() {
  sortChildren(&m_root);
  if (m_sortScope == SortScope::TopLevel)
    return;
  for (OutlineNode *node = firstNode(); node; node = node->nextNode())
    sortChildren(node);
}

// ---- checks

bool OutlineTree::isConsistent() const {
  qsizetype seen = 0;
  qsizetype live = 0;
  bool selectionFound = m_selected == nullptr;
  std::vector<const OutlineNode *> stack{&m_root};
  while (!stack.empty()) {
    const OutlineNode *node = stack.back();
    stack.pop_back();
    for (qsizetype i = 0; i < node->childCount(); ++i) {
      const OutlineNode *child = node->m_children[size_t(i)];
      if (!child || child->m_parent != node || child->m_row != i)
        return false;
      if (child->text().contains('\r') || child->text().contains('\n') ||
          (child->m_textSize > 0) != bool(child->m_text))
        return false;
      live += child->m_textSize;
      if (child == m_selected)
        selectionFound = true;
      ++seen;
      stack.push_back(child);
    }
  }
  return m_root.m_parent == nullptr && seen == m_count && selectionFound && live == m_store.liveTextBytes() &&
         live <= m_store.storedTextBytes();
}

QString OutlineTree::dump() const {
  QByteArray out;
  const OutlineNode *node = firstNode();
  while (node) {
    out += node->text();
    if (node->hasChildren()) {
      out += '(';
      node = node->firstChild();
      continue;
    }
    // Close every subtree that ends here, then go on with the next sibling.
    while (node && !node->nextSibling()) {
      node = node->parent();
      if (node)
        out += ')';
    }
    if (node) {
      out += ' ';
      node = node->nextSibling();
    }
  }
  return QString::fromUtf8(out);
}

// ---- the outline text file

namespace {

// Restores the view once a load ends, also when it ends with an error.
struct ResetScope {
  explicit ResetScope(OutlineTree &tree, const std::vector<OutlineObserver *> &observers)
      : tree(tree), observers(observers) {
    tree.BeginUpdate();
    for (OutlineObserver *o : observers)
      o->aboutToReset();
  }
  ~ResetScope() {
    for (OutlineObserver *o : observers)
      o->resetDone();
    tree.EndUpdate();
  }
  OutlineTree &tree;
  const std::vector<OutlineObserver *> &observers;
};

} // namespace

void OutlineTree::loadFromBytes(QByteArrayView bytes) {
  const QByteArrayView text = outlineTextPart(bytes);
  OutlineBytes copy{allocateOutlineBlock(text.size()), text.size()};
  if (!text.isEmpty())
    std::memcpy(copy.block.get(), text.data(), size_t(text.size()));
  load(std::move(copy));
}

void OutlineTree::LoadFromFile(const QString &path) { load(readOutlineFile(path)); }

// The file's bytes become the store of the texts read from it: no copy per node.
void OutlineTree::load(OutlineBytes bytes) {
  OutlineNode *wasSelected = m_selected;
  {
    ResetScope scope(*this, m_observers);
    m_selected = nullptr;
    clearNodes();
    OutlineReader reader(m_store.adopt(std::move(bytes)));
    std::vector<OutlineNode *> path; // the last node read at each level
    OutlineReader::Line line;
    while (reader.next(line)) {
      OutlineNode *parent = line.level == 0 ? &m_root : path[size_t(line.level) - 1];
      OutlineNode *node = m_store.newNodeOver(line.text);
      node->m_parent = parent;
      node->m_row = parent->childCount();
      parent->m_children.push_back(node);
      ++m_count;
      path.resize(size_t(line.level));
      path.push_back(node);
    }
  }
  if (wasSelected)
    notify([](OutlineObserver *o) { o->selectionChanged(nullptr); });
}

QByteArray OutlineTree::saveToBytes() const {
  // A level or so of TABs per line besides CR LF.
  return writeOutlineBytes(firstNode(), m_store.liveTextBytes() + 3 * m_count);
}

void OutlineTree::SaveToFile(const QString &path) const { writeOutlineFile(path, firstNode()); }

// ---- pages

QString Decode(const QString &text) {
  QString page = text;
  page.replace(u'~', QStringLiteral("\r\n"));
  return page;
}

QString Encode(const QString &page) {
  // Lone CR and LF are line breaks too: left in a node they would split it in the file.
  QString text;
  text.reserve(page.size());
  for (qsizetype i = 0; i < page.size(); ++i) {
    const QChar c = page.at(i);
    if (c == u'\r') {
      if (i + 1 < page.size() && page.at(i + 1) == u'\n')
        ++i;
      text += u'~';
    } else if (c == u'\n') {
      text += u'~';
    } else {
      text += c;
    }
  }
  return text;
}

std::optional<QString> PageOf(const OutlineNode *node) {
  if (!node || node->childCount() != 1)
    return std::nullopt;
  return Decode(node->firstChild()->textString());
}

} // namespace corvana
