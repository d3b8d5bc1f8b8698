#include "zonella/SizerCtl.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>

namespace corvana {

namespace {
Qt::CursorShape cursorFor(sizer::HitCode code) {
  switch (code) {
  case sizer::Left:
  case sizer::Right:
    return Qt::SizeHorCursor;
  case sizer::Top:
  case sizer::Bottom:
    return Qt::SizeVerCursor;
  case sizer::TopLeft:
  case sizer::BottomRight:
    return Qt::SizeFDiagCursor;
  case sizer::TopRight:
  case sizer::BottomLeft:
    return Qt::SizeBDiagCursor;
  case sizer::Client:
    break;
  }
  return Qt::SizeAllCursor;
}
} // namespace

TSizerControl::TSizerControl(QObject *owner, QWidget *control) : QWidget(control->parentWidget()), m_control(control) {
  setObjectName(QStringLiteral("SizerControl"));
  // Lives with its owner at the longest; usually it goes first, when it loses the focus.
  connect(owner, &QObject::destroyed, this, &QObject::deleteLater);
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setGeometry(sizer::Outer(control->geometry()));
  show();
  raise();
  setFocus(Qt::OtherFocusReason);
}

void TSizerControl::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::black);
  for (int i = 1; i <= 8; ++i)
    painter.drawRect(handle(i).adjusted(0, 0, -1, -1));
}

void TSizerControl::mousePressEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton)
    return QWidget::mousePressEvent(event);
  m_drag = hitTest(event->position().toPoint());
  m_dragging = true;
  m_pressAt = event->globalPosition().toPoint();
  m_startFrame = geometry();
}

void TSizerControl::mouseMoveEvent(QMouseEvent *event) {
  if (!m_dragging) {
    setCursor(cursorFor(hitTest(event->position().toPoint())));
    return;
  }
  setGeometry(sizer::Dragged(m_startFrame, m_drag, event->globalPosition().toPoint() - m_pressAt));
}

void TSizerControl::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton)
    m_dragging = false;
}

void TSizerControl::focusOutEvent(QFocusEvent *event) {
  QWidget::focusOutEvent(event);
  deleteLater();
}

void TSizerControl::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  follow();
}

void TSizerControl::moveEvent(QMoveEvent *event) {
  QWidget::moveEvent(event);
  follow();
}

void TSizerControl::follow() {
  if (!m_control)
    return;
  m_control->setGeometry(sizer::Inner(geometry()));
  emit controlChanged(m_control->geometry());
}

} // namespace corvana
