#include "platform/SuiteIcons.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QIcon>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <algorithm>

namespace corvana {

namespace {
const QString suiteName = QStringLiteral("corvana");

QString drawingPath(const QString &name) { return QStringLiteral(":/icons/") + name + QStringLiteral(".svg"); }

// Draws a drawing at the size asked for, the first time it is asked for: windows ask for one or
// two sizes, so drawing every size up front would slow every start. Our own engine, not an
// icon engine plugin: nothing is loaded at run time.
class DrawingIconEngine : public QIconEngine {
public:
  explicit DrawingIconEngine(const QString &name) : m_name(name) {}

  QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    if (side <= 0)
      return {};
    QPixmap &drawn = m_drawn[side];
    if (drawn.isNull())
      drawn = QPixmap::fromImage(RenderIcon(m_name, side));
    if (mode == QIcon::Normal || mode == QIcon::Active || !qobject_cast<QApplication *>(QCoreApplication::instance()))
      return drawn;
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
  }
  void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap picture = pixmap(rect.size() * scale, mode, state);
    picture.setDevicePixelRatio(scale);
    painter->drawPixmap(rect.topLeft(), picture);
  }
  QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    return QSize(side, side);
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (int size : IconPixelSizes())
      sizes.append(QSize(size, size));
    return sizes;
  }
  QString key() const override { return QStringLiteral("corvana-drawing"); }
  QIconEngine *clone() const override { return new DrawingIconEngine(*this); }

private:
  QString m_name;
  QHash<int, QPixmap> m_drawn;
};

QIcon buildIcon(const QString &name) { return QIcon(new DrawingIconEngine(name)); }

QIcon cachedIcon(const QString &name) {
  static QHash<QString, QIcon> icons;
  auto found = icons.find(name);
  if (found == icons.end())
    found = icons.insert(name, buildIcon(name));
  return *found;
}
} // namespace

QList<int> IconPixelSizes() { return {16, 20, 22, 24, 32, 40, 48, 64, 96, 128, 256}; }

bool HasIconDrawing(const QString &name) { return !name.isEmpty() && QFile::exists(drawingPath(name)); }

QString FormIconName(const QString &formName) {
  // Form names are the window's name plus "F" ("ProselF"); the frame is "MainForm".
  if (!formName.endsWith(u'F') || formName.size() < 2)
    return suiteName;
  const QString name = formName.chopped(1).toLower();
  return HasIconDrawing(name) ? name : suiteName;
}

QImage RenderIcon(const QString &name, int size) {
  if (!HasIconDrawing(name) || size <= 0)
    return {};
  QSvgRenderer renderer(drawingPath(name));
  if (!renderer.isValid())
    return {};
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, QRectF(0, 0, size, size));
  return image;
}

QIcon FormIcon(const QString &formName) { return cachedIcon(FormIconName(formName)); }

QIcon SuiteIcon() { return cachedIcon(suiteName); }

} // namespace corvana
