#pragma once
// A panel that shows one colour and reports clicks, for picking a colour with the colour
// dialog: the mouse or Space/Enter while it has the focus.

#include "platform/Colors.h"

#include <QFrame>
#include <functional>

namespace corvana {

class TColorPanel : public QFrame {
  Q_OBJECT

public:
  explicit TColorPanel(QWidget *parent = nullptr);

  TColor Color() const { return m_color; }
  void setColor(TColor color);

  std::function<void()> OnClick;

protected:
  void mouseReleaseEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

private:
  TColor m_color = clWhite;
};

} // namespace corvana
