#include "lexora/LexoraIcons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace corvana {

namespace {

const QHash<QString, QString> &themeNames() {
  static const QHash<QString, QString> names{{"goOpen", "document-open"},   {"goSave", "document-save"},
                                             {"goClose", "document-close"}, {"gpPrint", "document-print"},
                                             {"goUndo", "edit-undo"},       {"goCut", "edit-cut"},
                                             {"goCopy", "edit-copy"},       {"goPaste", "edit-paste"},
                                             {"goFind", "edit-find"},       {"goReplace", "edit-find-replace"}};
  return names;
}

void sheet(QPainter &p, const QRectF &r) {
  p.setPen(QColor(70, 70, 70));
  p.setBrush(Qt::white);
  p.drawRect(r);
  p.setPen(QColor(150, 150, 150));
  for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2.5)
    p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

QPixmap draw(const QString &name) {
  QPixmap pixmap(18, 18);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  if (name == QLatin1String("goOpen")) {
    p.setPen(QColor(120, 90, 20));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(1.5, 5.5, 15, 10));
    p.drawRect(QRectF(1.5, 3.5, 6, 2));
  } else if (name == QLatin1String("goSave")) {
    p.setPen(QColor(30, 50, 110));
    p.setBrush(QColor(70, 100, 180));
    p.drawRect(QRectF(1.5, 1.5, 15, 15));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 9, 6));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 10.5, 9, 6));
  } else if (name == QLatin1String("goClose")) {
    sheet(p, QRectF(2.5, 1.5, 12, 15));
    p.setPen(QPen(QColor(190, 40, 40), 2.2));
    p.drawLine(QPointF(9, 9), QPointF(16, 16));
    p.drawLine(QPointF(16, 9), QPointF(9, 16));
  } else if (name == QLatin1String("gpPrint")) {
    sheet(p, QRectF(4.5, 1.5, 9, 7));
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(1.5, 7.5, 15, 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 12.5, 9, 4));
  } else if (name == QLatin1String("goUndo")) {
    p.setPen(QPen(QColor(40, 80, 160), 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4, 4, 11, 10), 90 * 16, -220 * 16);
    p.setBrush(QColor(40, 80, 160));
    p.drawPolygon(QPolygonF({QPointF(1, 6), QPointF(7, 2), QPointF(7, 10)}));
  } else if (name == QLatin1String("goCut")) {
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.drawLine(QPointF(5, 1), QPointF(12, 12));
    p.drawLine(QPointF(13, 1), QPointF(6, 12));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2, 11, 5, 5));
    p.drawEllipse(QRectF(11, 11, 5, 5));
  } else if (name == QLatin1String("goCopy")) {
    sheet(p, QRectF(1.5, 1.5, 10, 12));
    sheet(p, QRectF(6.5, 4.5, 10, 12));
  } else if (name == QLatin1String("goPaste")) {
    p.setPen(QColor(120, 90, 20));
    p.setBrush(QColor(200, 160, 100));
    p.drawRect(QRectF(1.5, 2.5, 11, 14));
    sheet(p, QRectF(7.5, 6.5, 9, 10));
  } else if (name == QLatin1String("goFind") || name == QLatin1String("goReplace")) {
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2, 2, 9, 9));
    p.drawLine(QPointF(10, 10), QPointF(16, 16));
    if (name == QLatin1String("goReplace")) {
      p.setPen(QPen(QColor(190, 40, 40), 2));
      p.drawLine(QPointF(11, 3), QPointF(17, 3));
      p.drawLine(QPointF(14, 0.5), QPointF(17, 3));
    }
  }
  return pixmap;
}

} // namespace

QIcon LexoraButtonIcon(const QString &buttonName) {
  const QIcon themed = QIcon::fromTheme(themeNames().value(buttonName));
  return themed.isNull() ? QIcon(draw(buttonName)) : themed;
}

} // namespace corvana
