#include "smudgel/PaintEffects.h"

#include "raster/Canvas.h"
#include "smudgel/PaintSurface.h"

#include <algorithm>
#include <climits>

namespace corvana::smudgel {

namespace {
// A mask is a temporary bitmap; anything beyond this is refused rather than allocated.
constexpr qint64 MaxMaskPixels = qint64(1) << 26;
} // namespace

TRect Normalised(const TRect &r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right), std::max(r.top, r.bottom)};
}

Bitmap SelectionMask(const Bitmap &image, const TRect &rect, TColor key) {
  const qint64 w = qint64(rect.right) - rect.left, h = qint64(rect.bottom) - rect.top;
  if (w <= 0 || h <= 0 || w > Bitmap::MaxSide || h > Bitmap::MaxSide || w * h > MaxMaskPixels)
    return {};
  Bitmap copy{int(w), int(h)};
  Canvas canvas(copy);
  canvas.CopyRect(copy.rect(), image, rect);
  for (int y = 0; y < copy.height(); ++y) {
    quint32 *line = copy.scanLine(y);
    for (int x = 0; x < copy.width(); ++x)
      line[x] = Bitmap::toStored(Bitmap::fromStored(line[x]) == (key & 0xFFFFFF) ? clWhite : clBlack);
  }
  return copy;
}

void PasteSelection(PaintSurface &surface, const TRect &clip, TPoint at) {
  const TRect source = Normalised(clip);
  if (source.width() <= 0 || source.height() <= 0)
    return;
  surface.CopyRect({at.x, at.y, int(std::min<qint64>(qint64(at.x) + source.width(), INT_MAX)),
                    int(std::min<qint64>(qint64(at.y) + source.height(), INT_MAX))},
                   surface.bitmap(), source);
}

void PasteSelectionMask(PaintSurface &surface, const TRect &clip, TPoint at, TColor key) {
  const Bitmap mask = SelectionMask(surface.bitmap(), Normalised(clip), key);
  if (mask.isNull())
    return;
  surface.CopyRect({at.x, at.y, int(std::min<qint64>(qint64(at.x) + mask.width(), INT_MAX)),
                    int(std::min<qint64>(qint64(at.y) + mask.height(), INT_MAX))},
                   mask, mask.rect());
}

void MaskClip(PaintSurface &surface, const TRect &clip, TColor key) {
  const TRect rect = Normalised(clip);
  PasteSelectionMask(surface, rect, {rect.left, rect.top}, key);
}

void PasteColor(PaintSurface &surface, const TRect &clip, TPoint at, TColor key, bool inverted) {
  const Bitmap &image = surface.bitmap();
  // pixels beyond the image never match the key, so the loops keep to the image
  const int top = std::max(clip.top, 0), bottom = std::min(clip.bottom, image.height() - 1);
  const int left = std::max(clip.left, 0), right = std::min(clip.right, image.width() - 1);
  key &= 0xFFFFFF;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      if (surface.Pixel(x, y) != key)
        continue;
      const qint64 dx = qint64(at.x) + x - clip.left, dy = qint64(at.y) + y - clip.top;
      if (dx < 0 || dy < 0 || dx >= image.width() || dy >= image.height())
        continue;
      surface.SetPixel(int(dx), int(dy), inverted ? surface.Pixel(int(dx), int(dy)) ^ key : key);
    }
}

void Spray(PaintSurface &surface, TPoint p, const RandomSource &random) {
  const TColor color = surface.canvas().brush.color();
  for (int i = 0; i < 10; ++i) {
    const int dx = random(30) - 15;
    const int dy = random(30) - 15;
    surface.SetPixel(p.x + dx, p.y + dy, color);
  }
}

void PaintTextAt(PaintSurface &surface, TPoint p, const QString &text, const Font &font) {
  surface.canvas().font = font;
  surface.TextOut(p.x, p.y, text);
}

void ShadowText(PaintSurface &surface, TPoint p, const QString &text, const Font &font, TColor shadow, int dx, int dy) {
  Font f = font;
  f.color = shadow;
  surface.canvas().font = f;
  surface.TextOut(p.x, p.y, text);
  surface.canvas().font.color = font.color;
  surface.TextOut(int(std::clamp<qint64>(qint64(p.x) + dx, INT_MIN, INT_MAX)),
                  int(std::clamp<qint64>(qint64(p.y) + dy, INT_MIN, INT_MAX)), text);
}

} // namespace corvana::smudgel
