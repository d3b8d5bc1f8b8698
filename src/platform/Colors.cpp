#include "platform/Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace corvana {

namespace {

QColor systemColor(int index) {
  const QPalette palette = QGuiApplication::palette();
  switch (index) {
  case 0:  // scroll bar
  case 15: // button face
  case 4:  // menu
  case 11:
    return palette.color(QPalette::Button);
  case 1:  // desktop
  case 12: // MDI workspace
  case 16: // button shadow
    return palette.color(QPalette::Dark);
  case 2:  // active caption
  case 13: // highlight
    return palette.color(QPalette::Highlight);
  case 3: // inactive caption
  case 10:
    return palette.color(QPalette::Inactive, QPalette::Highlight);
  case 5: // window
    return palette.color(QPalette::Base);
  case 6: // window frame
  case 21:
    return palette.color(QPalette::Shadow);
  case 7:
  case 8:
    return palette.color(QPalette::Text);
  case 9:
  case 14:
  case 19:
    return palette.color(QPalette::HighlightedText);
  case 17:
    return palette.color(QPalette::Disabled, QPalette::Text);
  case 18:
    return palette.color(QPalette::ButtonText);
  case 20:
    return palette.color(QPalette::Light);
  case 22:
    return palette.color(QPalette::Midlight);
  case 23:
    return palette.color(QPalette::ToolTipText);
  case 24:
    return palette.color(QPalette::ToolTipBase);
  default:
    return palette.color(QPalette::Window);
  }
}

} // namespace

QColor ToQColor(TColor color) {
  if (IsSystemColor(color))
    return systemColor(int(color & 0xFF));
  return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

TColor FromQColor(const QColor &color) {
  const QColor rgb = color.toRgb();
  return RGB(rgb.red(), rgb.green(), rgb.blue());
}

} // namespace corvana
