#pragma once
// The outline tree as an item model, so a tree view shows the one tree a window keeps instead
// of a copy: every change to the tree reaches the view as it happens, and captions edited in
// the view are written to the tree. QtCore only.

#include "outline/OutlineTree.h"

#include <QAbstractItemModel>
#include <vector>

namespace corvana {

class OutlineItemModel : public QAbstractItemModel, private OutlineObserver {
  Q_OBJECT

public:
  explicit OutlineItemModel(OutlineTree &tree, QObject *parent = nullptr);
  ~OutlineItemModel() override;

  OutlineTree &tree() const { return m_tree; }
  OutlineNode *nodeOf(const QModelIndex &index) const;
  QModelIndex indexOf(const OutlineNode *node) const;
  // Whether captions may be edited in the view (written back through the tree).
  void setEditable(bool editable) { m_editable = editable; }

  QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
  QModelIndex parent(const QModelIndex &child) const override;
  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  bool hasChildren(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
  void nodeAboutToBeInserted(OutlineNode *parent, qsizetype row) override;
  void nodeInserted(OutlineNode *node) override;
  void nodeAboutToBeRemoved(OutlineNode *node) override;
  void nodeRemoved(OutlineNode *parent, qsizetype row) override;
  void nodeAboutToBeMoved(OutlineNode *node, OutlineNode *newParent, qsizetype newRow) override;
  void nodeMoved(OutlineNode *node) override;
  void textChanged(OutlineNode *node) override;
  void childrenAboutToBeSorted(OutlineNode *parent) override;
  void childrenSorted(OutlineNode *parent) override;
  void aboutToReset() override;
  void resetDone() override;

  OutlineTree &m_tree;
  bool m_editable = false;
  // Moves Qt takes as no move at all (to the place the node already has) are not ended.
  std::vector<bool> m_moves;
};

} // namespace corvana
