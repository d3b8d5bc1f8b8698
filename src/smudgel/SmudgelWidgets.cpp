#include "smudgel/SmudgelWidgets.h"

#include "platform/Colors.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <cmath>

namespace corvana::smudgel {

namespace {

// Entries drawn by a function of their row, at a fixed height.
class DrawnItems : public QStyledItemDelegate {
public:
  DrawnItems(int height, std::function<void(QPainter &, const QRect &, int)> draw, QObject *parent)
      : QStyledItemDelegate(parent), m_height(height), m_draw(std::move(draw)) {}

  QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override { return {16, m_height}; }

  void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
    painter->save();
    m_draw(*painter, option.rect, index.row());
    if (option.state & QStyle::State_Selected) {
      // a frame in both colours stays visible over any swatch
      painter->setBrush(Qt::NoBrush);
      painter->setPen(QPen(Qt::black, 1));
      painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
      painter->setPen(QPen(Qt::white, 1, Qt::DotLine));
      painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
    }
    painter->restore();
  }

private:
  int m_height;
  std::function<void(QPainter &, const QRect &, int)> m_draw;
};

Qt::BrushStyle QtBrushStyle(BrushStyle style) {
  switch (style) {
  case BrushStyle::Solid:
    return Qt::SolidPattern;
  case BrushStyle::Clear:
    return Qt::NoBrush;
  case BrushStyle::Horizontal:
    return Qt::HorPattern;
  case BrushStyle::Vertical:
    return Qt::VerPattern;
  case BrushStyle::FDiagonal:
    return Qt::FDiagPattern;
  case BrushStyle::BDiagonal:
    return Qt::BDiagPattern;
  case BrushStyle::Cross:
    return Qt::CrossPattern;
  case BrushStyle::DiagCross:
    return Qt::DiagCrossPattern;
  }
  return Qt::SolidPattern;
}

QPoint ImagePoint(const QMouseEvent *event) {
  const QPointF p = event->position();
  return {int(std::floor(p.x())), int(std::floor(p.y()))};
}

} // namespace

// ---- PaintView ------------------------------------------------------------------------------

PaintView::PaintView(const Bitmap &bitmap, QWidget *parent) : QWidget(parent), m_bitmap(bitmap) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
  setFixedSize(bitmap.width(), bitmap.height());
}

void PaintView::imageChanged(const TRect &rect) {
  if (size() != QSize(m_bitmap.width(), m_bitmap.height())) {
    setFixedSize(m_bitmap.width(), m_bitmap.height());
    update();
    return;
  }
  if (rect.right > rect.left && rect.bottom > rect.top)
    update(rect.left, rect.top, rect.width(), rect.height());
}

void PaintView::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  const QRect area = event->rect() & QRect(0, 0, m_bitmap.width(), m_bitmap.height());
  if (!area.isEmpty())
    painter.drawImage(area, m_bitmap.image(), area);
}

void PaintView::mousePressEvent(QMouseEvent *event) {
  const QPoint p = ImagePoint(event);
  if (onPress)
    onPress(event->button(), event->modifiers(), p.x(), p.y());
}

void PaintView::mouseMoveEvent(QMouseEvent *event) {
  const QPoint p = ImagePoint(event);
  if (onMove)
    onMove(event->modifiers(), p.x(), p.y());
}

void PaintView::mouseReleaseEvent(QMouseEvent *event) {
  const QPoint p = ImagePoint(event);
  if (onRelease)
    onRelease(event->button(), event->modifiers(), p.x(), p.y());
}

// ---- ColorListBox ---------------------------------------------------------------------------

ColorListBox::ColorListBox(int itemHeight, QWidget *parent) : QListWidget(parent) {
  setItemDelegate(new DrawnItems(
      itemHeight, [this](QPainter &p, const QRect &r, int row) { p.fillRect(r, ToQColor(colorAt(row))); }, this));
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(this, &QListWidget::clicked, this, [this](const QModelIndex &index) { emit chosen(index.row()); });
  // the keyboard moves the current entry; the mouse reports through clicked
  connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
      emit chosen(row);
  });
}

void ColorListBox::addColor(const QString &text, TColor color) {
  m_colors.append(color);
  addItem(text);
}

TColor ColorListBox::colorAt(int row) const { return row >= 0 && row < m_colors.size() ? m_colors[row] : clBlack; }

void ColorListBox::mousePressEvent(QMouseEvent *event) {
  // the right button acts on release only
  if (event->button() == Qt::RightButton)
    return;
  QListWidget::mousePressEvent(event);
}

void ColorListBox::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() != Qt::RightButton) {
    QListWidget::mouseReleaseEvent(event);
    return;
  }
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!index.isValid())
    return;
  {
    const QSignalBlocker quiet(this);
    setCurrentRow(index.row());
  }
  viewport()->update();
  emit rightReleased(index.row());
}

// ---- ColorSwatch ----------------------------------------------------------------------------

ColorSwatch::ColorSwatch(QWidget *parent) : QWidget(parent) { setFixedSize(23, 23); }

void ColorSwatch::setColors(TColor line, TColor fill, BrushStyle style) {
  if (line == m_line && fill == m_fill && style == m_style)
    return;
  m_line = line;
  m_fill = fill;
  m_style = style;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  const QRect inside = rect().adjusted(1, 1, -1, -1);
  p.setPen(Qt::NoPen);
  p.setBrush(QBrush(ToQColor(m_fill), QtBrushStyle(m_style)));
  p.drawRect(inside);
  p.setBrush(Qt::NoBrush);
  QPen outline(ToQColor(m_line), 2);
  outline.setJoinStyle(Qt::MiterJoin);
  p.setPen(outline);
  p.drawRect(inside);
}

void ColorSwatch::mousePressEvent(QMouseEvent *event) { m_shift = event->modifiers() & Qt::ShiftModifier; }

void ColorSwatch::mouseReleaseEvent(QMouseEvent *) { emit released(m_shift); }

// ---- PatternListBox -------------------------------------------------------------------------

PatternListBox::PatternListBox(int itemHeight, QWidget *parent) : QListWidget(parent) {
  setItemDelegate(new DrawnItems(
      itemHeight,
      [this](QPainter &p, const QRect &r, int row) {
        if (!tileOf)
          return;
        // pixel replication keeps the tile's pixels sharp
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        const Bitmap tile = tileOf(row);
        p.drawImage(r, tile.toQImage());
      },
      this));
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int i = 0; i < 16; ++i)
    addItem(QString::number(i));
}

} // namespace corvana::smudgel
