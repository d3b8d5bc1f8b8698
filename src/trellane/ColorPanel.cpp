#include "trellane/ColorPanel.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace corvana {

TColorPanel::TColorPanel(QWidget *parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
  setColor(clWhite);
}

void TColorPanel::setColor(TColor color) {
  m_color = color;
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  setPalette(palette);
}

void TColorPanel::mouseReleaseEvent(QMouseEvent *event) {
  QFrame::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
    OnClick();
}

void TColorPanel::keyPressEvent(QKeyEvent *event) {
  if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && OnClick) {
    OnClick();
    return;
  }
  QFrame::keyPressEvent(event);
}

} // namespace corvana
