#pragma once
// A tree view over an OutlineItemModel as the tree tools use it: rows 19 pixels indented, the
// selection kept visible without focus, drops and keys handed to the window, and the hit test
// the drop rules need. The view starts drags of its own only when told to.

#include "outlineview/TreeDrop.h"

#include <QTreeView>
#include <functional>

namespace corvana {

class OutlineItemModel;

class OutlineTreeView : public QTreeView {
  Q_OBJECT

public:
  explicit OutlineTreeView(QWidget *parent = nullptr);

  OutlineItemModel *outlineModel() const;
  OutlineNode *currentNode() const;
  void setCurrentNode(const OutlineNode *node);

  // What lies at a point of the viewport, and the node of the row there.
  TreeHit hitTest(QPoint at, OutlineNode **node) const;
  // Whether a drag comes from a tree view, the only source the drop rules take.
  static bool IsTreeDragSource(QObject *source);
  // A drop at a point of the viewport: moves the tree's selected node by the drop rules and keeps
  // it current. False when nothing moved.
  bool dropSelectedNode(OutlineTree &tree, QObject *source, QPoint at);
  // Ends in-place editing, keeping the typed text; false when nothing was being edited.
  bool endEditing();
  bool editing() const { return state() == EditingState; }
  // Whether pulling a row with the mouse starts a drag of it (off by default).
  void setStartsDrags(bool starts) { m_startsDrags = starts; }
  bool startsDrags() const { return m_startsDrags; }

  // Whether a drag from `source` is taken; the drop itself. Both run guarded by the window.
  std::function<bool(QObject *source)> OnDragOver;
  std::function<void(QObject *source, QPoint at)> OnDragDrop;
  // A key the window takes answers true, and the key goes no further.
  std::function<bool(QKeyEvent *event)> OnKeyPress;

protected:
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;

private:
  bool takesDrag(QDropEvent *event) const;

  bool m_startsDrags = false;
  QPoint m_pressAt;
};

} // namespace corvana
