#include "outlineview/OutlineTreeView.h"

#include "outline/OutlineItemModel.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace corvana {

namespace {
// Room the item delegate leaves on either side of a caption.
constexpr int kLabelMargin = 4;
} // namespace

OutlineTreeView::OutlineTreeView(QWidget *parent) : QTreeView(parent) {
  setHeaderHidden(true);
  setIndentation(19);
  setUniformRowHeights(true);
  setEditTriggers(NoEditTriggers);
  setDragEnabled(false);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(false);
  QPalette colours = palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
    colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
  setPalette(colours);
}

OutlineItemModel *OutlineTreeView::outlineModel() const { return qobject_cast<OutlineItemModel *>(model()); }

OutlineNode *OutlineTreeView::currentNode() const {
  OutlineItemModel *m = outlineModel();
  return m ? m->nodeOf(currentIndex()) : nullptr;
}

void OutlineTreeView::setCurrentNode(const OutlineNode *node) {
  if (OutlineItemModel *m = outlineModel())
    setCurrentIndex(m->indexOf(node));
}

TreeHit OutlineTreeView::hitTest(QPoint at, OutlineNode **node) const {
  *node = nullptr;
  const QModelIndex index = indexAt(at);
  if (!index.isValid())
    return TreeHit::Nowhere;
  *node = outlineModel()->nodeOf(index);
  const QRect cell = visualRect(index);
  TreeRowParts row;
  row.labelLeft = cell.left();
  row.buttonLeft = cell.left() - indentation();
  row.labelRight = cell.left() + fontMetrics().horizontalAdvance(index.data().toString()) + 2 * kLabelMargin;
  row.hasButton = model()->hasChildren(index);
  return ClassifyTreeHit(at.x(), row);
}

bool OutlineTreeView::IsTreeDragSource(QObject *source) { return qobject_cast<QTreeView *>(source) != nullptr; }

bool OutlineTreeView::dropSelectedNode(OutlineTree &tree, QObject *source, QPoint at) {
  OutlineNode *moved = tree.selected();
  if (!IsTreeDragSource(source) || !moved)
    return false;
  OutlineNode *target = nullptr;
  const TreeHit hit = hitTest(at, &target);
  if (!DropSelectedNode(tree, target, hit))
    return false;
  setCurrentNode(moved);
  return true;
}

bool OutlineTreeView::endEditing() {
  if (!editing())
    return false;
  QWidget *editor = indexWidget(currentIndex());
  if (!editor)
    return false;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
  return true;
}

bool OutlineTreeView::takesDrag(QDropEvent *event) const { return OnDragOver && OnDragOver(event->source()); }

void OutlineTreeView::dragEnterEvent(QDragEnterEvent *event) {
  if (takesDrag(event))
    event->acceptProposedAction();
  else
    event->ignore();
}

void OutlineTreeView::dragMoveEvent(QDragMoveEvent *event) {
  if (takesDrag(event))
    event->acceptProposedAction();
  else
    event->ignore();
}

void OutlineTreeView::dropEvent(QDropEvent *event) {
  if (!takesDrag(event)) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  if (OnDragDrop)
    OnDragDrop(event->source(), event->position().toPoint());
}

void OutlineTreeView::keyPressEvent(QKeyEvent *event) {
  if (OnKeyPress && OnKeyPress(event)) {
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

void OutlineTreeView::mousePressEvent(QMouseEvent *event) {
  m_pressAt = event->position().toPoint();
  QTreeView::mousePressEvent(event);
}

// The model's rows carry no drag data: the drag only says which view it came from, and the drop
// moves that view's selected node.
void OutlineTreeView::mouseMoveEvent(QMouseEvent *event) {
  const bool pulling = m_startsDrags && (event->buttons() & Qt::LeftButton) && !editing() && currentIndex().isValid() &&
                       (event->position().toPoint() - m_pressAt).manhattanLength() >= QApplication::startDragDistance();
  if (!pulling) {
    QTreeView::mouseMoveEvent(event);
    return;
  }
  auto *drag = new QDrag(this);
  drag->setMimeData(new QMimeData);
  drag->exec(Qt::MoveAction);
}

} // namespace corvana
