#include "outline/OutlineItemModel.h"

namespace corvana {

OutlineItemModel::OutlineItemModel(OutlineTree &tree, QObject *parent) : QAbstractItemModel(parent), m_tree(tree) {
  m_tree.addObserver(this);
}

OutlineItemModel::~OutlineItemModel() { m_tree.removeObserver(this); }

OutlineNode *OutlineItemModel::nodeOf(const QModelIndex &index) const {
  return index.isValid() ? static_cast<OutlineNode *>(index.internalPointer()) : nullptr;
}

QModelIndex OutlineItemModel::indexOf(const OutlineNode *node) const {
  return node ? createIndex(int(node->index()), 0, const_cast<OutlineNode *>(node)) : QModelIndex();
}

QModelIndex OutlineItemModel::index(int row, int column, const QModelIndex &parent) const {
  if (column != 0 || row < 0)
    return {};
  const OutlineNode *p = nodeOf(parent);
  OutlineNode *node = p ? p->child(row) : m_tree.topLevelNode(row);
  return node ? createIndex(row, 0, node) : QModelIndex();
}

QModelIndex OutlineItemModel::parent(const QModelIndex &child) const {
  const OutlineNode *node = nodeOf(child);
  return node ? indexOf(node->parent()) : QModelIndex();
}

int OutlineItemModel::rowCount(const QModelIndex &parent) const {
  if (parent.column() > 0)
    return 0;
  const OutlineNode *node = nodeOf(parent);
  return int(node ? node->childCount() : m_tree.topLevelCount());
}

int OutlineItemModel::columnCount(const QModelIndex &) const { return 1; }

bool OutlineItemModel::hasChildren(const QModelIndex &parent) const {
  const OutlineNode *node = nodeOf(parent);
  return node ? node->hasChildren() : m_tree.topLevelCount() > 0;
}

QVariant OutlineItemModel::data(const QModelIndex &index, int role) const {
  const OutlineNode *node = nodeOf(index);
  if (!node || (role != Qt::DisplayRole && role != Qt::EditRole))
    return {};
  return node->textString();
}

bool OutlineItemModel::setData(const QModelIndex &index, const QVariant &value, int role) {
  OutlineNode *node = nodeOf(index);
  if (!node || role != Qt::EditRole)
    return false;
  m_tree.setText(node, value.toString());
  return true;
}

Qt::ItemFlags OutlineItemModel::flags(const QModelIndex &index) const {
  Qt::ItemFlags flags = QAbstractItemModel::flags(index);
  if (index.isValid() && m_editable)
    flags |= Qt::ItemIsEditable;
  return flags;
}

void OutlineItemModel::nodeAboutToBeInserted(OutlineNode *parent, qsizetype row) {
  beginInsertRows(indexOf(parent), int(row), int(row));
}

void OutlineItemModel::nodeInserted(OutlineNode *) { endInsertRows(); }

void OutlineItemModel::nodeAboutToBeRemoved(OutlineNode *node) {
  beginRemoveRows(indexOf(node->parent()), int(node->index()), int(node->index()));
}

void OutlineItemModel::nodeRemoved(OutlineNode *, qsizetype) { endRemoveRows(); }

void OutlineItemModel::nodeAboutToBeMoved(OutlineNode *node, OutlineNode *newParent, qsizetype newRow) {
  const int row = int(node->index());
  m_moves.push_back(beginMoveRows(indexOf(node->parent()), row, row, indexOf(newParent), int(newRow)));
}

void OutlineItemModel::nodeMoved(OutlineNode *) {
  const bool begun = !m_moves.empty() && m_moves.back();
  if (!m_moves.empty())
    m_moves.pop_back();
  if (begun)
    endMoveRows();
}

void OutlineItemModel::textChanged(OutlineNode *node) {
  const QModelIndex index = indexOf(node);
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
}

namespace {
// The parents a layout change names; the whole model for the top level.
QList<QPersistentModelIndex> parents(const QModelIndex &parent) {
  if (!parent.isValid())
    return {};
  return {QPersistentModelIndex(parent)};
}
} // namespace

void OutlineItemModel::childrenAboutToBeSorted(OutlineNode *parent) {
  emit layoutAboutToBeChanged(parents(indexOf(parent)), QAbstractItemModel::VerticalSortHint);
}

void OutlineItemModel::childrenSorted(OutlineNode *parent) {
  // Indexes name their node; only their rows have changed.
  const QModelIndexList persistent = persistentIndexList();
  QModelIndexList moved;
  for (const QModelIndex &index : persistent)
    moved.append(indexOf(nodeOf(index)));
  changePersistentIndexList(persistent, moved);
  emit layoutChanged(parents(indexOf(parent)), QAbstractItemModel::VerticalSortHint);
}

void OutlineItemModel::aboutToReset() { beginResetModel(); }

void OutlineItemModel::resetDone() { endResetModel(); }

} // namespace corvana
