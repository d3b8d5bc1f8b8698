#pragma once
// A frame of eight black handles put around a control: dragging a handle sizes the control
// from that edge or corner, dragging inside the frame moves it. The frame goes away when it
// loses the focus.

#include "zonella/SizerGeometry.h"

#include <QPointer>
#include <QWidget>

namespace corvana {

class TSizerControl : public QWidget {
  Q_OBJECT

public:
  // Stands over `control`, in its parent, and takes the focus.
  TSizerControl(QObject *owner, QWidget *control);

  QWidget *sizedControl() const { return m_control; }
  QRect handle(int i) const { return sizer::HandleRect(i, width(), height()); }
  sizer::HitCode hitTest(QPoint point) const { return sizer::HitTest(point, width(), height()); }

signals:
  // The sized control has a new place or size.
  void controlChanged(const QRect &bounds);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void moveEvent(QMoveEvent *event) override;

private:
  void follow();
  QPointer<QWidget> m_control;
  sizer::HitCode m_drag = sizer::Client;
  bool m_dragging = false;
  QPoint m_pressAt;
  QRect m_startFrame;
};

} // namespace corvana
