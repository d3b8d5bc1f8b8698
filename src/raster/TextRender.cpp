#include "raster/TextRender.h"

#include "raster/Bitmap.h"
#include "raster/GdiObjects.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace corvana {

namespace {
constexpr int MaxPixelSize = 2048; // larger fonts only cost memory
}

QFont ToQFont(const Font &font) {
  QFont f(font.name);
  f.setPixelSize(std::clamp(font.pixelSize(), 1, MaxPixelSize));
  f.setBold(font.style & FontStyle::Bold);
  f.setItalic(font.style & FontStyle::Italic);
  f.setUnderline(font.style & FontStyle::Underline);
  f.setStrikeOut(font.style & FontStyle::StrikeOut);
  f.setStyleStrategy(QFont::NoAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

int TextWidth(const Font &font, const QString &text) { return QFontMetrics(ToQFont(font)).horizontalAdvance(text); }

int TextHeight(const Font &font, const QString &) { return QFontMetrics(ToQFont(font)).height(); }

void DrawText(Bitmap &bitmap, int x, int y, const QString &text, const Font &font, const Brush &brush) {
  if (bitmap.isNull() || text.isEmpty())
    return;
  const QFont qfont = ToQFont(font);
  const QFontMetrics metrics(qfont);
  const qint64 w = metrics.horizontalAdvance(text), h = metrics.height();
  // only the part of the cell on the bitmap is rendered
  const qint64 l = std::max<qint64>(x, 0), t = std::max<qint64>(y, 0);
  const qint64 r = std::min<qint64>(qint64(x) + w, bitmap.width()),
               b = std::min<qint64>(qint64(y) + h, bitmap.height());
  if (l >= r || t >= b)
    return;
  if (!brush.isClear()) {
    const quint32 cell = Bitmap::toStored(bitmap.nearestColor(brush.color()));
    for (qint64 py = t; py < b; ++py)
      std::fill(bitmap.scanLine(int(py)) + l, bitmap.scanLine(int(py)) + r, cell);
  }
  QImage mask(int(r - l), int(b - t), QImage::Format_ARGB32_Premultiplied);
  mask.fill(Qt::transparent);
  {
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(qfont);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(double(x - l), double(y - t + metrics.ascent())), text);
  }
  const quint32 ink = Bitmap::toStored(bitmap.nearestColor(font.color));
  for (int py = 0; py < mask.height(); ++py) {
    const QRgb *in = reinterpret_cast<const QRgb *>(mask.constScanLine(py));
    quint32 *out = bitmap.scanLine(int(t) + py) + l;
    for (int px = 0; px < mask.width(); ++px)
      if (qAlpha(in[px]) >= 128)
        out[px] = ink;
  }
}

} // namespace corvana
