#include "codecs/Png.h"

#include "core/Error.h"
#include "raster/Dib.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>

namespace corvana {

namespace {
// Qt's reader says "Unknown error" for most damage; say what it means instead.
Error pngError(const QImageReader &reader) {
  switch (reader.error()) {
  case QImageReader::UnsupportedFormatError:
    return Error(QStringLiteral("Invalid PNG image: the file is not a PNG image"));
  case QImageReader::InvalidDataError:
  case QImageReader::UnknownError:
    return Error(QStringLiteral("Invalid PNG image: the file is damaged or cut short"));
  default:
    return Error(QStringLiteral("Invalid PNG image: %1").arg(reader.errorString()));
  }
}
} // namespace

Bitmap ReadPng(const QByteArray &bytes) {
  QByteArray data = bytes;
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "png");
  const QSize size = reader.size();
  if (!size.isValid())
    throw pngError(reader);
  CheckDecodeSize(size.width(), size.height());
  // Our own limit has been checked; Qt's default one is lower than the largest we accept.
  reader.setAllocationLimit(0);
  QImage image;
  if (!reader.read(&image))
    throw pngError(reader);
  const bool palette = image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
                       image.format() == QImage::Format_MonoLSB;
  QVector<TColor> colors;
  if (palette) {
    for (QRgb rgb : image.colorTable())
      colors.append(RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)));
  }
  if (image.hasAlphaChannel()) {
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    image = flat;
  }
  const Bitmap pixels = Bitmap::fromQImage(image);
  if (!palette || colors.isEmpty() || colors.size() > 256) {
    Bitmap bitmap = pixels;
    bitmap.setPixelFormat(PixelFormat::pf24bit);
    return bitmap;
  }
  // The palette goes in before the pixels, so none is snapped to a default palette first.
  Bitmap bitmap(pixels.width(), pixels.height(),
                colors.size() <= 2    ? PixelFormat::pf1bit
                : colors.size() <= 16 ? PixelFormat::pf4bit
                                      : PixelFormat::pf8bit);
  bitmap.setPalette(colors);
  for (int y = 0; y < bitmap.height(); ++y) {
    std::copy_n(pixels.scanLine(y), bitmap.width(), bitmap.scanLine(y));
    bitmap.snapSpan(y, 0, bitmap.width());
  }
  return bitmap;
}

QByteArray WritePng(const Bitmap &bitmap) {
  if (bitmap.isNull())
    throw Error(QStringLiteral("Cannot write an empty bitmap"));
  QImage image = bitmap.image().convertToFormat(QImage::Format_RGB888);
  if (bitmap.hasPalette()) {
    QList<QRgb> table;
    for (TColor color : bitmap.palette())
      table.append(qRgb(GetRValue(color), GetGValue(color), GetBValue(color)));
    image = image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image))
    throw Error(QStringLiteral("Cannot write the PNG image: %1").arg(writer.errorString()));
  return bytes;
}

} // namespace corvana
