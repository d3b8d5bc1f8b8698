#include "prosel/ProselIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace corvana {

namespace {

const QHash<QString, QString> &ThemeNames() {
  static const QHash<QString, QString> names{
      {"ClearEditor", "document-new"},
      {"LoadEditor", "document-open"},
      {"goSave", "document-save"},
      {"goPrint", "document-print"},
      {"goUndo", "edit-undo"},
      {"ToolButton3", "edit-cut"},
      {"goCopy", "edit-copy"},
      {"goPaste", "edit-paste"},
      {"goFind", "edit-find"},
      {"goReplace", "edit-find-replace"},
      {"rtfBold", "format-text-bold"},
      {"rtfItalic", "format-text-italic"},
      {"rtfUnderline", "format-text-underline"},
      {"rtfFontLarger", "format-font-size-more"},
      {"rtfLeft", "format-justify-left"},
      {"rtfCenter", "format-justify-center"},
      {"rtfRight", "format-justify-right"},
      {"rtfBullets", "format-list-unordered"},
  };
  return names;
}

void page(QPainter &p, const QRectF &r) {
  p.setBrush(Qt::white);
  p.drawRect(r);
}

void lines(QPainter &p, int left, int right, int top, int count, int step, int shortBy, bool centre) {
  for (int i = 0; i < count; ++i) {
    const int cut = (i % 2) ? shortBy : 0;
    const int l = centre ? left + cut / 2 : (right > left && shortBy < 0 ? left - cut : left);
    const int r = centre ? right - cut / 2 : right - cut;
    p.drawLine(l, top + i * step, r, top + i * step);
  }
}

void letter(QPainter &p, const QString &text, bool bold, bool italic, bool underline) {
  QFont f(QStringLiteral("Serif"));
  f.setPixelSize(15);
  f.setBold(bold);
  f.setItalic(italic);
  f.setUnderline(underline);
  p.setFont(f);
  p.drawText(QRect(0, 0, 18, 18), Qt::AlignCenter, text);
}

QPixmap draw(const QString &name) {
  QPixmap pixmap(18, 18);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  if (name == QLatin1String("ClearEditor")) {
    page(p, QRectF(3.5, 1.5, 11, 15));
  } else if (name == QLatin1String("LoadEditor")) {
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(1.5, 4.5, 15, 11));
    p.drawRect(QRectF(1.5, 2.5, 6, 2));
  } else if (name == QLatin1String("goSave")) {
    p.setBrush(QColor(70, 110, 190));
    p.drawRect(QRectF(1.5, 1.5, 15, 15));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 9, 6));
    p.drawRect(QRectF(4.5, 10.5, 9, 6));
  } else if (name == QLatin1String("goPrint")) {
    page(p, QRectF(4.5, 1.5, 9, 6));
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(QRectF(1.5, 7.5, 15, 6));
    page(p, QRectF(4.5, 11.5, 9, 5));
  } else if (name == QLatin1String("goUndo")) {
    QPainterPath arc;
    arc.moveTo(5, 7);
    arc.cubicTo(10, 2, 17, 6, 14, 13);
    p.setPen(QPen(QColor(40, 90, 160), 2));
    p.drawPath(arc);
    p.drawLine(QPointF(5, 7), QPointF(5, 2));
    p.drawLine(QPointF(5, 7), QPointF(10, 7));
  } else if (name == QLatin1String("ToolButton3")) {
    p.drawEllipse(QRectF(2.5, 11.5, 5, 5));
    p.drawEllipse(QRectF(10.5, 11.5, 5, 5));
    p.drawLine(QPointF(6, 12), QPointF(13, 2));
    p.drawLine(QPointF(12, 12), QPointF(5, 2));
  } else if (name == QLatin1String("goCopy")) {
    page(p, QRectF(1.5, 1.5, 9, 11));
    page(p, QRectF(7.5, 5.5, 9, 11));
  } else if (name == QLatin1String("goPaste")) {
    p.setBrush(QColor(200, 160, 100));
    p.drawRect(QRectF(2.5, 2.5, 11, 14));
    page(p, QRectF(7.5, 6.5, 9, 10));
  } else if (name == QLatin1String("goFind") || name == QLatin1String("goReplace")) {
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawEllipse(QRectF(2, 2, 9, 9));
    p.drawLine(QPointF(10, 10), QPointF(16, 16));
    if (name == QLatin1String("goReplace")) {
      p.setPen(QPen(QColor(190, 40, 40), 2));
      p.drawLine(QPointF(11, 3), QPointF(17, 3));
      p.drawLine(QPointF(14, 0.5), QPointF(17, 3));
    }
  } else if (name == QLatin1String("rtfBold")) {
    letter(p, QStringLiteral("B"), true, false, false);
  } else if (name == QLatin1String("rtfItalic")) {
    letter(p, QStringLiteral("I"), false, true, false);
  } else if (name == QLatin1String("rtfUnderline")) {
    letter(p, QStringLiteral("U"), false, false, true);
  } else if (name == QLatin1String("rtfFontLarger")) {
    letter(p, QStringLiteral("A\u207A"), true, false, false);
  } else if (name == QLatin1String("rtfLeft")) {
    lines(p, 2, 16, 3, 5, 3, 5, false);
  } else if (name == QLatin1String("rtfCenter")) {
    lines(p, 2, 16, 3, 5, 3, 6, true);
  } else if (name == QLatin1String("rtfRight")) {
    for (int i = 0; i < 5; ++i)
      p.drawLine(2 + (i % 2) * 5, 3 + i * 3, 16, 3 + i * 3);
  } else if (name == QLatin1String("rtfBullets")) {
    for (int i = 0; i < 3; ++i) {
      p.setBrush(QColor(40, 40, 40));
      p.drawEllipse(QRectF(2, 3 + i * 5, 3, 3));
      p.drawLine(7, 4 + i * 5, 16, 4 + i * 5);
    }
  }
  return pixmap;
}

} // namespace

QIcon ProselButtonIcon(const QString &buttonName) {
  const QIcon themed = QIcon::fromTheme(ThemeNames().value(buttonName));
  return themed.isNull() ? QIcon(draw(buttonName)) : themed;
}

} // namespace corvana
