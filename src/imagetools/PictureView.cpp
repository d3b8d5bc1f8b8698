#include "imagetools/PictureView.h"

#include <QPaintEvent>
#include <QPainter>

namespace corvana {

PictureView::PictureView(QWidget *parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  resize(0, 0);
}

QSize PictureView::sizeHint() const { return {m_bitmap.width(), m_bitmap.height()}; }

void PictureView::setBitmap(Bitmap bitmap) {
  m_bitmap = std::move(bitmap);
  resize(sizeHint());
  update();
}

void PictureView::showPartial(const Bitmap &bitmap) {
  m_bitmap = bitmap;
  resize(sizeHint());
  ++m_partialPaints;
  repaint();
}

void PictureView::paintEvent(QPaintEvent *event) {
  if (m_bitmap.isNull())
    return;
  QPainter painter(this);
  const QRect area = event->rect() & QRect(0, 0, m_bitmap.width(), m_bitmap.height());
  painter.drawImage(area.topLeft(), m_bitmap.image(), area);
}

} // namespace corvana
