#include "controls/ButtonIcons.h"

#include "platform/DeferredIconEngine.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace corvana {

namespace {

void sheet(QPainter &p, const QRectF &r) {
  p.setPen(QColor(70, 70, 70));
  p.setBrush(Qt::white);
  p.drawRect(r);
  p.setPen(QColor(150, 150, 150));
  for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2.5)
    p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void lines(QPainter &p, Qt::Alignment align) {
  for (int i = 0; i < 5; ++i) {
    const int cut = (i % 2) ? 6 : 0;
    int left = 2, right = 16;
    if (align == Qt::AlignHCenter)
      left += cut / 2, right -= cut / 2;
    else if (align == Qt::AlignRight)
      left += cut;
    else
      right -= cut;
    p.drawLine(left, 3 + i * 3, right, 3 + i * 3);
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

void magnifier(QPainter &p) {
  p.setPen(QPen(QColor(40, 40, 40), 2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(2, 2, 9, 9));
  p.drawLine(QPointF(10, 10), QPointF(16, 16));
}

constexpr int kButtonSide = 18;

QPixmap draw(const QString &name) {
  QPixmap pixmap(kButtonSide, kButtonSide);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  if (name == u"document-new") {
    sheet(p, QRectF(3.5, 1.5, 11, 15));
  } else if (name == u"document-open") {
    p.setPen(QColor(120, 90, 20));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(1.5, 5.5, 15, 10));
    p.drawRect(QRectF(1.5, 3.5, 6, 2));
  } else if (name == u"folder") {
    p.setPen(QColor(120, 90, 20));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(1.5, 3.5, 6, 2));
    p.drawRect(QRectF(1.5, 5.5, 15, 10));
  } else if (name == u"folder-open") {
    p.setPen(QColor(120, 90, 20));
    p.setBrush(QColor(220, 175, 70));
    p.drawRect(QRectF(1.5, 3.5, 6, 2));
    p.drawRect(QRectF(1.5, 5.5, 13, 10));
    p.setBrush(QColor(250, 215, 110));
    p.drawPolygon(QPolygonF({QPointF(4.5, 8.5), QPointF(17, 8.5), QPointF(14.5, 15.5), QPointF(1.5, 15.5)}));
  } else if (name == u"document-save") {
    p.setPen(QColor(30, 50, 110));
    p.setBrush(QColor(70, 100, 180));
    p.drawRect(QRectF(1.5, 1.5, 15, 15));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 9, 6));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 10.5, 9, 6));
  } else if (name == u"document-close") {
    sheet(p, QRectF(2.5, 1.5, 12, 15));
    p.setPen(QPen(QColor(190, 40, 40), 2.2));
    p.drawLine(QPointF(9, 9), QPointF(16, 16));
    p.drawLine(QPointF(16, 9), QPointF(9, 16));
  } else if (name == u"document-print") {
    sheet(p, QRectF(4.5, 1.5, 9, 7));
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(1.5, 7.5, 15, 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 12.5, 9, 4));
  } else if (name == u"edit-undo") {
    QPainterPath arc;
    arc.moveTo(5, 7);
    arc.cubicTo(10, 2, 17, 6, 14, 13);
    p.setPen(QPen(QColor(40, 90, 160), 2));
    p.drawPath(arc);
    p.drawLine(QPointF(5, 7), QPointF(5, 2));
    p.drawLine(QPointF(5, 7), QPointF(10, 7));
  } else if (name == u"edit-cut") {
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.drawLine(QPointF(5, 1), QPointF(12, 12));
    p.drawLine(QPointF(13, 1), QPointF(6, 12));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2, 11, 5, 5));
    p.drawEllipse(QRectF(11, 11, 5, 5));
  } else if (name == u"edit-copy") {
    sheet(p, QRectF(1.5, 1.5, 10, 12));
    sheet(p, QRectF(6.5, 4.5, 10, 12));
  } else if (name == u"edit-paste") {
    p.setPen(QColor(120, 90, 20));
    p.setBrush(QColor(200, 160, 100));
    p.drawRect(QRectF(1.5, 2.5, 11, 14));
    sheet(p, QRectF(7.5, 6.5, 9, 10));
  } else if (name == u"edit-find") {
    magnifier(p);
  } else if (name == u"edit-find-replace") {
    magnifier(p);
    p.setPen(QPen(QColor(190, 40, 40), 2));
    p.drawLine(QPointF(11, 3), QPointF(17, 3));
    p.drawLine(QPointF(14, 0.5), QPointF(17, 3));
  } else if (name == u"format-text-bold") {
    letter(p, QStringLiteral("B"), true, false, false);
  } else if (name == u"format-text-italic") {
    letter(p, QStringLiteral("I"), false, true, false);
  } else if (name == u"format-text-underline") {
    letter(p, QStringLiteral("U"), false, false, true);
  } else if (name == u"format-font-size-more") {
    letter(p, QStringLiteral("A\u207A"), true, false, false);
  } else if (name == u"format-justify-left") {
    lines(p, Qt::AlignLeft);
  } else if (name == u"format-justify-center") {
    lines(p, Qt::AlignHCenter);
  } else if (name == u"format-justify-right") {
    lines(p, Qt::AlignRight);
  } else if (name == u"text-x-generic") {
    sheet(p, QRectF(3.5, 1.5, 11, 15));
  } else if (name == u"text-html") {
    sheet(p, QRectF(3.5, 1.5, 11, 15));
    p.setPen(QPen(QColor(30, 90, 170), 1.5));
    p.drawPolyline(QPolygonF({QPointF(8, 6), QPointF(5.5, 9), QPointF(8, 12)}));
    p.drawPolyline(QPolygonF({QPointF(10, 6), QPointF(12.5, 9), QPointF(10, 12)}));
  } else if (name == u"image-x-generic") {
    p.setPen(QColor(70, 70, 70));
    p.setBrush(QColor(170, 210, 250));
    p.drawRect(QRectF(1.5, 3.5, 15, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 150, 60));
    p.drawPolygon(QPolygonF({QPointF(2, 14), QPointF(7, 8), QPointF(11, 12), QPointF(13, 10), QPointF(16, 14)}));
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QRectF(11, 5, 3, 3));
  } else if (name == u"list-add") {
    p.setPen(QPen(QColor(30, 140, 30), 3));
    p.drawLine(QPointF(9, 3), QPointF(9, 15));
    p.drawLine(QPointF(3, 9), QPointF(15, 9));
  } else if (name == u"list-remove") {
    p.setPen(QPen(QColor(190, 40, 40), 3));
    p.drawLine(QPointF(3, 9), QPointF(15, 9));
  } else if (name == u"document-edit") {
    sheet(p, QRectF(2.5, 1.5, 10, 14));
    p.setPen(QPen(QColor(160, 110, 20), 2.5));
    p.drawLine(QPointF(8, 15), QPointF(16, 5));
  } else if (name == u"media-playback-start") {
    p.setPen(QColor(20, 90, 20));
    p.setBrush(QColor(80, 180, 80));
    p.drawPolygon(QPolygonF({QPointF(4, 2.5), QPointF(15, 9), QPointF(4, 15.5)}));
  } else if (name == u"dialog-ok") {
    p.setPen(QPen(QColor(20, 120, 20), 2.5));
    p.drawPolyline(QPolygonF({QPointF(2.5, 9), QPointF(7, 14), QPointF(15.5, 3.5)}));
  } else if (name == u"zoom-fit-best") {
    p.setPen(QColor(70, 70, 70));
    p.drawRect(QRectF(1.5, 1.5, 15, 15));
    p.setPen(QPen(QColor(30, 60, 160), 1.5));
    for (const QPointF &corner : {QPointF(4, 4), QPointF(14, 4), QPointF(4, 14), QPointF(14, 14)})
      p.drawLine(corner, QPointF(9 + (corner.x() - 9) * 0.3, 9 + (corner.y() - 9) * 0.3));
  } else if (name == u"format-list-unordered") {
    for (int i = 0; i < 3; ++i) {
      p.setBrush(QColor(40, 40, 40));
      p.drawEllipse(QRectF(2, 3 + i * 5, 3, 3));
      p.drawLine(7, 4 + i * 5, 16, 4 + i * 5);
    }
  }
  return pixmap;
}

// Draws the picture the first time it is shown, then answers as an icon made from the drawing
// would. A window's command table names a hundred pictures and shows a dozen; drawing each at
// once was a good part of every window's creation.
class DeferredDrawingEngine : public DeferredIconEngine {
public:
  explicit DeferredDrawingEngine(const QString &name) : m_name(name) {}

  void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal scale = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    painter->drawPixmap(rect, pixmap(rect.size() * scale, mode, state));
  }
  // The drawing's size is known without drawing it.
  QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override {
    QSize actual(kButtonSide, kButtonSide);
    if (actual.width() > size.width() || actual.height() > size.height())
      actual.scale(size, Qt::KeepAspectRatio);
    return actual;
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(kButtonSide, kButtonSide)}; }
  QString key() const override { return QStringLiteral("corvana-button"); }
  QIconEngine *clone() const override { return new DeferredDrawingEngine(*this); }

protected:
  QIcon make() override { return QIcon(draw(m_name)); }

private:
  QString m_name;
};

} // namespace

QIcon ButtonIcon(const QString &themeName) {
  const QIcon themed = QIcon::fromTheme(themeName);
  return themed.isNull() ? QIcon(new DeferredDrawingEngine(themeName)) : themed;
}

} // namespace corvana
