#include "platform/SuiteIcons.h"

#include <QFile>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <QSvgRenderer>

namespace corvana {

namespace {
const QString suiteName = QStringLiteral("corvana");

QString drawingPath(const QString &name) { return QStringLiteral(":/icons/") + name + QStringLiteral(".svg"); }

QIcon buildIcon(const QString &name) {
  QIcon icon;
  // Pixmaps, not an icon engine plugin: the sizes are known, and nothing is loaded at run time.
  for (int size : IconPixelSizes())
    icon.addPixmap(QPixmap::fromImage(RenderIcon(name, size)));
  return icon;
}

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
