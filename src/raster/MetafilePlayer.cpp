#include "raster/MetafilePlayer.h"

#include "platform/Errors.h"
#include "raster/TextRender.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace corvana {

namespace {

constexpr size_t MaxSavedStates = 1024;
constexpr size_t MaxObjects = 65536;
constexpr quint32 MaxPolyPoints = 1 << 22;

constexpr int MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8;
constexpr int TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24;
constexpr int BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2;
constexpr quint32 PATCOPY = 0x00F00021;

TColor colorRef(quint32 v) { return v & 0xFFFFFF; }

int clampCoord(double v) {
  if (!(v == v))
    return 0;
  return int(std::clamp(std::lround(std::clamp(v, -1e9, 1e9)), -(1L << 30), 1L << 30));
}

PenStyle penStyle(int style) {
  switch (style & 15) {
  case 1:
    return PenStyle::Dash;
  case 2:
    return PenStyle::Dot;
  case 3:
    return PenStyle::DashDot;
  case 4:
    return PenStyle::DashDotDot;
  case 5:
    return PenStyle::Clear;
  case 6:
    return PenStyle::InsideFrame;
  default:
    return PenStyle::Solid;
  }
}

BrushStyle hatchStyle(int hatch) {
  static const BrushStyle styles[6] = {BrushStyle::Horizontal, BrushStyle::Vertical, BrushStyle::FDiagonal,
                                       BrushStyle::BDiagonal,  BrushStyle::Cross,    BrushStyle::DiagCross};
  return hatch >= 0 && hatch < 6 ? styles[hatch] : BrushStyle::Solid;
}

QString wmfString(ByteReader &r, int count) {
  count = std::max(count, 0);
  r.need(size_t(count));
  QByteArray bytes(reinterpret_cast<const char *>(r.current()), count);
  const int nul = bytes.indexOf('\0');
  if (nul >= 0)
    bytes.truncate(nul);
  return QString::fromLatin1(bytes);
}

} // namespace

MetafilePlayer::MetafilePlayer(const Metafile &metafile, Canvas &canvas, const TRect &dest)
    : m_metafile(metafile), m_canvas(canvas), m_dest(dest) {
  m_state.pen = {Object::PenObj, 0, 0, clBlack};
  m_state.brush = {Object::BrushObj, BS_SOLID, 0, clWhite};
  m_state.font = {Object::FontObj, 0, 0, clBlack};
  m_state.font.face = QStringLiteral("Arial");
  m_state.font.width = 12;
  if (!metafile.isEnhanced()) {
    const Metafile::Frame &f = metafile.m_frame;
    m_state.winOrgX = f.left;
    m_state.winOrgY = f.top;
    m_state.winExtX = f.width;
    m_state.winExtY = f.height;
    m_state.mapMode = MM_ANISOTROPIC;
    m_objects.resize(std::min<size_t>(metafile.m_objectCount, MaxObjects));
  } else {
    m_objects.resize(std::min<size_t>(size_t(metafile.m_objectCount) + 1, MaxObjects));
  }
}

void MetafilePlayer::play() {
  const Pen pen = m_canvas.pen;
  const Brush brush = m_canvas.brush;
  const Font font = m_canvas.font;
  const CopyMode copyMode = m_canvas.copyMode;
  const TPoint pos = m_canvas.penPos();
  auto restore = [&] {
    m_canvas.pen = pen;
    m_canvas.brush = brush;
    m_canvas.font = font;
    m_canvas.copyMode = copyMode;
    m_canvas.MoveTo(pos.x, pos.y);
  };
  try {
    if (m_metafile.isEnhanced())
      playEmf();
    else
      playWmf();
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

// ---- coordinates

double MetafilePlayer::scaleX() const {
  const State &s = m_state;
  const double ext = s.winExtX == 0 ? 1 : s.winExtX;
  if (!m_metafile.isEnhanced())
    return m_dest.width() / ext;
  const double k = s.mapMode == MM_ANISOTROPIC || s.mapMode == MM_ISOTROPIC ? s.vpExtX / ext : 1.0;
  return k * m_dest.width() / m_metafile.m_frame.width;
}

double MetafilePlayer::scaleY() const {
  const State &s = m_state;
  const double ext = s.winExtY == 0 ? 1 : s.winExtY;
  if (!m_metafile.isEnhanced())
    return m_dest.height() / ext;
  const double k = s.mapMode == MM_ANISOTROPIC || s.mapMode == MM_ISOTROPIC ? s.vpExtY / ext : 1.0;
  return k * m_dest.height() / m_metafile.m_frame.height;
}

TPoint MetafilePlayer::point(double x, double y) const {
  const State &s = m_state;
  const Metafile::Frame &f = m_metafile.m_frame;
  if (!m_metafile.isEnhanced())
    return {clampCoord(m_dest.left + (x - s.winOrgX) * scaleX()), clampCoord(m_dest.top + (y - s.winOrgY) * scaleY())};
  const double kx = m_dest.width() / f.width, ky = m_dest.height() / f.height;
  const double dx = (x - s.winOrgX) * (scaleX() / kx) + s.vpOrgX;
  const double dy = (y - s.winOrgY) * (scaleY() / ky) + s.vpOrgY;
  return {clampCoord(m_dest.left + (dx - f.left) * kx), clampCoord(m_dest.top + (dy - f.top) * ky)};
}

TRect MetafilePlayer::rect(double left, double top, double right, double bottom) const {
  const TPoint a = point(left, top), b = point(right, bottom);
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// ---- device context

void MetafilePlayer::applyPen() {
  Pen &p = m_canvas.pen;
  p.color = m_state.pen.color;
  p.style = penStyle(m_state.pen.style);
  const double w = std::fabs(m_state.pen.width * scaleX());
  p.width = std::clamp(int(std::lround(w)), 1, 1000);
  p.mode = PenMode(std::clamp(m_state.rop2, 1, 16));
}

void MetafilePlayer::applyBrush() {
  Brush &b = m_canvas.brush;
  b.clearPattern();
  const Object &o = m_state.brush;
  b.setStyle(BrushStyle::Solid);
  b.setColor(o.color);
  if (o.style == BS_NULL)
    b.setStyle(BrushStyle::Clear);
  else if (o.style == BS_HATCHED)
    b.setStyle(hatchStyle(o.hatch));
}

void MetafilePlayer::addObject(const Object &object) {
  for (Object &slot : m_objects)
    if (slot.kind == Object::None) {
      slot = object;
      return;
    }
  if (m_objects.size() < MaxObjects)
    m_objects.push_back(object);
}

void MetafilePlayer::setObject(quint32 index, const Object &object) {
  if (index == 0 || index >= MaxObjects)
    return;
  if (index >= m_objects.size())
    m_objects.resize(index + 1);
  m_objects[index] = object;
}

void MetafilePlayer::select(const Object &object) {
  switch (object.kind) {
  case Object::PenObj:
    m_state.pen = object;
    break;
  case Object::BrushObj:
    m_state.brush = object;
    break;
  case Object::FontObj:
    m_state.font = object;
    break;
  default:
    break;
  }
}

MetafilePlayer::Object MetafilePlayer::stockObject(quint32 index) {
  Object o;
  switch (index) {
  case 0:
  case 1:
  case 2:
  case 3:
  case 4: {
    static const TColor greys[5] = {clWhite, RGB(192, 192, 192), RGB(128, 128, 128), RGB(64, 64, 64), clBlack};
    o = {Object::BrushObj, BS_SOLID, 0, greys[index]};
    break;
  }
  case 5:
    o = {Object::BrushObj, BS_NULL, 0, clBlack};
    break;
  case 6:
  case 7:
    o = {Object::PenObj, 0, 0, index == 6 ? clWhite : clBlack};
    break;
  case 8:
    o = {Object::PenObj, 5, 0, clBlack};
    break;
  case 10:
  case 11:
  case 12:
  case 13:
  case 14:
  case 16:
  case 17:
    o = {Object::FontObj, 0, 12, clBlack};
    o.face = index == 10 || index == 11 || index == 16 ? QStringLiteral("Courier New") : QStringLiteral("Arial");
    break;
  default:
    break;
  }
  return o;
}

void MetafilePlayer::saveDc() {
  if (m_saved.size() < MaxSavedStates)
    m_saved.push_back(m_state);
}

void MetafilePlayer::restoreDc(int which) {
  // Negative: that many levels back; positive: the state saved at that depth.
  size_t keep;
  if (which < 0) {
    if (size_t(-qint64(which)) > m_saved.size())
      return;
    keep = m_saved.size() - size_t(-qint64(which));
  } else {
    if (which == 0 || size_t(which) > m_saved.size())
      return;
    keep = size_t(which) - 1;
  }
  m_state = m_saved[keep];
  m_saved.resize(keep);
}

void MetafilePlayer::text(double x, double y, const QString &string) {
  if (string.isEmpty())
    return;
  const State &s = m_state;
  Font f;
  f.name = s.font.face.isEmpty() ? QStringLiteral("Arial") : s.font.face;
  const double height = std::fabs(s.font.width * scaleY());
  f.size = -std::clamp(int(std::lround(height)), 1, 2000);
  f.style = quint8((s.font.weight >= 600 ? fsBold : 0) | (s.font.italic ? fsItalic : 0) |
                   (s.font.underline ? fsUnderline : 0) | (s.font.strikeOut ? fsStrikeOut : 0));
  f.color = s.textColor;
  const bool updateCp = s.textAlign & TA_UPDATECP;
  TPoint at = updateCp ? point(s.posX, s.posY) : point(x, y);
  const int width = TextWidth(f, string);
  if ((s.textAlign & TA_CENTER) == TA_CENTER)
    at.x -= width / 2;
  else if (s.textAlign & TA_RIGHT)
    at.x -= width;
  if ((s.textAlign & TA_BASELINE) == TA_BASELINE)
    at.y -= QFontMetrics(ToQFont(f)).ascent();
  else if (s.textAlign & TA_BOTTOM)
    at.y -= TextHeight(f, string);
  const Brush saved = m_canvas.brush;
  m_canvas.brush.clearPattern();
  m_canvas.brush.setStyle(BrushStyle::Solid);
  m_canvas.brush.setColor(s.bkColor);
  if (s.bkMode == 1)
    m_canvas.brush.setStyle(BrushStyle::Clear);
  m_canvas.font = f;
  m_canvas.TextOut(at.x, at.y, string);
  m_canvas.brush = saved;
  if (updateCp && scaleX() != 0)
    m_state.posX += width / scaleX();
}

void MetafilePlayer::blit(const TRect &dest, const uchar *info, size_t infoSize, const uchar *bits, size_t bitsSize,
                          int srcX, int srcY, int srcW, int srcH, bool bottomUpOrigin, quint32 rop) {
  ByteReader r(info, infoSize);
  const DibHeader header = ReadDibHeader(r);
  if (!bits) {
    bits = r.current();
    bitsSize = r.remaining();
  }
  const Bitmap picture = DecodeDib(header, bits, bitsSize);
  qint64 x = srcX, y = srcY, w = srcW, h = srcH;
  if (w < 0) {
    x += w;
    w = -w;
  }
  if (h < 0) {
    y += h;
    h = -h;
  }
  // StretchDIBits counts rows of a bottom-up picture from its bottom line.
  if (bottomUpOrigin && !header.topDown)
    y = picture.height() - y - h;
  auto clip = [](qint64 v) { return int(std::clamp<qint64>(v, -(qint64(1) << 30), qint64(1) << 30)); };
  m_canvas.copyMode = rop;
  applyBrush();
  m_canvas.CopyRect(dest, picture, {clip(x), clip(y), clip(x + w), clip(y + h)});
}

void MetafilePlayer::patternBlit(const TRect &dest, quint32 rop) {
  applyBrush();
  if (rop == PATCOPY) {
    m_canvas.FillRect(dest);
    return;
  }
  const Bitmap dummy(1, 1, PixelFormat::pf24bit, clBlack);
  m_canvas.copyMode = rop;
  m_canvas.CopyRect(dest, dummy, {0, 0, 1, 1});
}

// ---- figures

enum PolyKind { Polyline, Polygon, Bezier };

void MetafilePlayer::poly(int kind, const std::vector<TPoint> &points) {
  applyPen();
  applyBrush();
  if (kind == Polygon)
    m_canvas.Polygon(points);
  else if (kind == Bezier)
    m_canvas.PolyBezier(points);
  else
    m_canvas.Polyline(points);
}

void MetafilePlayer::polyPolygon(const std::vector<std::vector<TPoint>> &polygons) {
  // One even-odd fill over all rings, joined through their first points (each bridge is
  // crossed twice, so it cancels), then each ring outlined on its own.
  std::vector<TPoint> joined;
  for (const auto &ring : polygons) {
    if (ring.empty())
      continue;
    joined.insert(joined.end(), ring.begin(), ring.end());
    joined.push_back(ring.front());
  }
  for (auto it = polygons.rbegin(); it != polygons.rend(); ++it)
    if (!it->empty())
      joined.push_back(it->front());
  if (joined.size() < 3)
    return;
  applyPen();
  applyBrush();
  const Pen pen = m_canvas.pen;
  m_canvas.pen.style = PenStyle::Clear;
  m_canvas.Polygon(joined);
  m_canvas.pen = pen;
  const Brush brush = m_canvas.brush;
  m_canvas.brush.setStyle(BrushStyle::Clear);
  for (const auto &ring : polygons) {
    if (ring.size() < 2)
      continue;
    std::vector<TPoint> closed = ring;
    closed.push_back(ring.front());
    closed.push_back(ring.front()); // the last point of a polyline is left out
    m_canvas.Polyline(closed);
  }
  m_canvas.brush = brush;
}

// ---- WMF

void MetafilePlayer::playWmf() {
  const QByteArray &data = m_metafile.m_data;
  const uchar *base = reinterpret_cast<const uchar *>(data.constData());
  ByteReader file(data);
  size_t pos = m_metafile.m_recordsAt;
  while (!m_done && pos + 6 <= size_t(data.size())) {
    file.seek(pos);
    const size_t length = size_t(file.u32()) * 2;
    const quint16 function = file.u16();
    if (function == 0 || length < 6 || length > size_t(data.size()) - pos)
      break;
    ByteReader r(base + pos + 6, length - 6);
    wmfRecord(function, r);
    pos += length;
  }
}

void MetafilePlayer::wmfRecord(quint16 function, ByteReader &r) {
  State &s = m_state;
  auto points = [&](int count) {
    count = std::max(count, 0);
    r.need(size_t(count) * 4);
    std::vector<TPoint> out;
    out.reserve(count);
    for (int i = 0; i < count; ++i) {
      const int x = r.i16(), y = r.i16();
      out.push_back(point(x, y));
    }
    return out;
  };
  auto box = [&](double &l, double &t, double &rr, double &b) {
    b = r.i16();
    rr = r.i16();
    t = r.i16();
    l = r.i16();
  };
  switch (function) {
  case 0x0103: // the map mode belongs to the player: the window always maps onto the picture
  case 0x020D:
  case 0x020E:
    break;
  case 0x020B:
    s.winOrgY = r.i16();
    s.winOrgX = r.i16();
    break;
  case 0x020C: {
    const double y = r.i16(), x = r.i16();
    if (x != 0 && y != 0) {
      s.winExtX = x;
      s.winExtY = y;
    }
    break;
  }
  case 0x0201:
    s.bkColor = colorRef(r.u32());
    break;
  case 0x0209:
    s.textColor = colorRef(r.u32());
    break;
  case 0x0102:
    s.bkMode = r.u16();
    break;
  case 0x0104:
    s.rop2 = r.u16();
    break;
  case 0x012E:
    s.textAlign = r.u16();
    break;
  case 0x001E:
    saveDc();
    break;
  case 0x0127:
    restoreDc(r.i16());
    break;
  case 0x0214:
    s.posY = r.i16();
    s.posX = r.i16();
    break;
  case 0x0213: {
    const double y = r.i16(), x = r.i16();
    applyPen();
    const TPoint from = point(s.posX, s.posY), to = point(x, y);
    m_canvas.MoveTo(from.x, from.y);
    m_canvas.LineTo(to.x, to.y);
    s.posX = x;
    s.posY = y;
    break;
  }
  case 0x0325:
  case 0x0324: {
    const int count = r.i16();
    const std::vector<TPoint> pts = points(count);
    if (pts.size() >= 2)
      poly(function == 0x0324 ? Polygon : Polyline, pts);
    break;
  }
  case 0x0538: {
    const int n = r.u16();
    r.need(size_t(n) * 2);
    std::vector<int> counts;
    for (int i = 0; i < n; ++i)
      counts.push_back(r.u16());
    std::vector<std::vector<TPoint>> rings;
    for (int c : counts)
      rings.push_back(points(c));
    polyPolygon(rings);
    break;
  }
  case 0x041B:
  case 0x0418: {
    double l, t, rr, b;
    box(l, t, rr, b);
    applyPen();
    applyBrush();
    const TRect rc = rect(l, t, rr, b);
    if (function == 0x041B)
      m_canvas.Rectangle(rc);
    else
      m_canvas.Ellipse(rc);
    break;
  }
  case 0x061C: {
    const double h = r.i16(), w = r.i16();
    double l, t, rr, b;
    box(l, t, rr, b);
    applyPen();
    applyBrush();
    const TRect rc = rect(l, t, rr, b);
    m_canvas.RoundRect(rc.left, rc.top, rc.right, rc.bottom, clampCoord(std::fabs(w * scaleX())),
                       clampCoord(std::fabs(h * scaleY())));
    break;
  }
  case 0x0817:
  case 0x0830:
  case 0x081A: {
    const double ye = r.i16(), xe = r.i16(), ys = r.i16(), xs = r.i16();
    double l, t, rr, b;
    box(l, t, rr, b);
    applyPen();
    applyBrush();
    const TRect rc = rect(l, t, rr, b);
    const TPoint p1 = point(xs, ys), p2 = point(xe, ye);
    if (function == 0x0817)
      m_canvas.Arc(rc.left, rc.top, rc.right, rc.bottom, p1.x, p1.y, p2.x, p2.y);
    else if (function == 0x0830)
      m_canvas.Chord(rc.left, rc.top, rc.right, rc.bottom, p1.x, p1.y, p2.x, p2.y);
    else
      m_canvas.Pie(rc.left, rc.top, rc.right, rc.bottom, p1.x, p1.y, p2.x, p2.y);
    break;
  }
  case 0x041F: {
    const TColor c = colorRef(r.u32());
    const double y = r.i16(), x = r.i16();
    const TPoint p = point(x, y);
    m_canvas.SetPixel(p.x, p.y, c);
    break;
  }
  case 0x0521: {
    const int count = std::max(0, int(r.i16()));
    const QString string = wmfString(r, count);
    r.skip(size_t((count + 1) & ~1));
    const double y = r.i16(), x = r.i16();
    text(x, y, string);
    break;
  }
  case 0x0A32: {
    const double y = r.i16(), x = r.i16();
    const int count = r.i16();
    const int options = r.u16();
    if (options & 6)
      r.skip(8);
    text(x, y, wmfString(r, count));
    break;
  }
  case 0x02FA: {
    Object o{Object::PenObj};
    o.style = r.u16();
    o.width = r.i16();
    r.i16();
    o.color = colorRef(r.u32());
    addObject(o);
    break;
  }
  case 0x02FC: {
    Object o{Object::BrushObj};
    o.style = r.u16();
    o.color = colorRef(r.u32());
    o.hatch = r.u16();
    addObject(o);
    break;
  }
  case 0x02FB: {
    Object o{Object::FontObj};
    o.width = std::fabs(double(r.i16()));
    r.skip(6);
    o.weight = r.i16();
    o.italic = r.u8();
    o.underline = r.u8();
    o.strikeOut = r.u8();
    r.skip(5);
    o.face = wmfString(r, int(std::min<size_t>(r.remaining(), 32)));
    addObject(o);
    break;
  }
  case 0x00F7:
  case 0x01F9:
  case 0x0142:
  case 0x06FF:
    addObject(Object{Object::Other});
    break;
  case 0x012D: {
    const quint16 index = r.u16();
    if (index < m_objects.size())
      select(m_objects[index]);
    break;
  }
  case 0x01F0: {
    const quint16 index = r.u16();
    if (index < m_objects.size())
      m_objects[index] = Object{};
    break;
  }
  case 0x0940: { // DIBBITBLT
    const quint32 rop = r.u32();
    if (r.remaining() == 14) {
      r.skip(6);
      const double h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
      patternBlit(rect(x, y, x + w, y + h), rop);
      break;
    }
    const int ySrc = r.i16(), xSrc = r.i16();
    const double h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
    blit(rect(x, y, x + w, y + h), r.current(), r.remaining(), nullptr, 0, xSrc, ySrc, int(w), int(h), false, rop);
    break;
  }
  case 0x0B41: { // DIBSTRETCHBLT
    const quint32 rop = r.u32();
    if (r.remaining() == 18) {
      r.skip(10);
      const double h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
      patternBlit(rect(x, y, x + w, y + h), rop);
      break;
    }
    const int srcH = r.i16(), srcW = r.i16(), ySrc = r.i16(), xSrc = r.i16();
    const double h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
    blit(rect(x, y, x + w, y + h), r.current(), r.remaining(), nullptr, 0, xSrc, ySrc, srcW, srcH, false, rop);
    break;
  }
  case 0x0F43: { // STRETCHDIB
    const quint32 rop = r.u32();
    r.u16(); // colour usage
    const int srcH = r.i16(), srcW = r.i16(), ySrc = r.i16(), xSrc = r.i16();
    const double h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
    blit(rect(x, y, x + w, y + h), r.current(), r.remaining(), nullptr, 0, xSrc, ySrc, srcW, srcH, true, rop);
    break;
  }
  default:
    break; // unknown records are skipped
  }
}

// ---- EMF

void MetafilePlayer::playEmf() {
  const QByteArray &data = m_metafile.m_data;
  const uchar *base = reinterpret_cast<const uchar *>(data.constData());
  ByteReader file(data);
  size_t pos = 0;
  while (!m_done && pos + 8 <= size_t(data.size())) {
    file.seek(pos);
    const quint32 type = file.u32(), size = file.u32();
    if (size < 8 || size > size_t(data.size()) - pos)
      break;
    ByteReader r(base + pos, size);
    r.seek(8);
    emfRecord(type, r, pos);
    pos += size;
  }
}

void MetafilePlayer::emfRecord(quint32 type, ByteReader &r, size_t) {
  State &s = m_state;
  auto readPoints = [&](quint32 count, bool small) {
    if (count > MaxPolyPoints)
      throw Error(QStringLiteral("Invalid metafile: too many points"));
    r.need(size_t(count) * (small ? 4 : 8));
    std::vector<TPoint> out;
    out.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
      const double x = small ? r.i16() : r.i32();
      const double y = small ? r.i16() : r.i32();
      out.push_back(point(x, y));
    }
    return out;
  };
  auto rectl = [&] {
    const double l = r.i32(), t = r.i32(), rr = r.i32(), b = r.i32();
    return rect(l, t, rr, b);
  };
  // A DIB inside this record: offsets count from the record's start.
  auto part = [&](quint32 offset, quint32 size, const uchar *&at) {
    if (size == 0 || offset > r.size() || size > r.size() - offset)
      return false;
    at = r.data() + offset;
    return true;
  };
  switch (type) {
  case 2:
  case 3:
  case 4:
  case 85:
  case 86:
  case 87: {
    r.skip(16);
    const bool small = type >= 85;
    const std::vector<TPoint> pts = readPoints(r.u32(), small);
    const int kind = type == 2 || type == 85 ? Bezier : type == 3 || type == 86 ? Polygon : Polyline;
    if (pts.size() >= 2)
      poly(kind, pts);
    break;
  }
  case 5:
  case 6:
  case 88:
  case 89: {
    r.skip(16);
    const bool small = type >= 88;
    const quint32 count = r.u32();
    if (count == 0 || count > MaxPolyPoints)
      break;
    r.need(size_t(count) * (small ? 4 : 8));
    std::vector<TPoint> pts{point(s.posX, s.posY)};
    double lastX = s.posX, lastY = s.posY;
    for (quint32 i = 0; i < count; ++i) {
      lastX = small ? r.i16() : r.i32();
      lastY = small ? r.i16() : r.i32();
      pts.push_back(point(lastX, lastY));
    }
    if (type == 5 || type == 88) {
      poly(Bezier, pts);
    } else {
      pts.push_back(pts.back()); // the end point is drawn too
      poly(Polyline, pts);
    }
    s.posX = lastX;
    s.posY = lastY;
    break;
  }
  case 7:
  case 8:
  case 90:
  case 91: {
    r.skip(16);
    const bool small = type >= 90;
    const quint32 n = r.u32(), total = r.u32();
    if (n > MaxPolyPoints || total > MaxPolyPoints)
      throw Error(QStringLiteral("Invalid metafile: too many points"));
    r.need(size_t(n) * 4);
    std::vector<quint32> counts;
    quint64 sum = 0;
    for (quint32 i = 0; i < n; ++i) {
      counts.push_back(r.u32());
      sum += counts.back();
    }
    if (sum > total)
      throw Error(QStringLiteral("Invalid metafile: bad point counts"));
    std::vector<std::vector<TPoint>> rings;
    for (quint32 c : counts)
      rings.push_back(readPoints(c, small));
    if (type == 8 || type == 91) {
      polyPolygon(rings);
    } else {
      for (const auto &ring : rings)
        if (ring.size() >= 2)
          poly(Polyline, ring);
    }
    break;
  }
  case 9:
  case 11: {
    const double x = r.i32(), y = r.i32();
    if (x != 0 && y != 0) {
      (type == 9 ? s.winExtX : s.vpExtX) = x;
      (type == 9 ? s.winExtY : s.vpExtY) = y;
    }
    break;
  }
  case 10:
    s.winOrgX = r.i32();
    s.winOrgY = r.i32();
    break;
  case 12:
    s.vpOrgX = r.i32();
    s.vpOrgY = r.i32();
    break;
  case 14:
    m_done = true;
    break;
  case 17:
    s.mapMode = int(r.u32());
    break;
  case 18:
    s.bkMode = int(r.u32());
    break;
  case 20:
    s.rop2 = int(r.u32());
    break;
  case 22:
    s.textAlign = int(r.u32());
    break;
  case 24:
    s.textColor = colorRef(r.u32());
    break;
  case 25:
    s.bkColor = colorRef(r.u32());
    break;
  case 27:
    s.posX = r.i32();
    s.posY = r.i32();
    break;
  case 33:
    saveDc();
    break;
  case 34:
    restoreDc(r.i32());
    break;
  case 37: {
    const quint32 index = r.u32();
    if (index & 0x80000000u)
      select(stockObject(index & 0x7FFFFFFF));
    else if (index < m_objects.size())
      select(m_objects[index]);
    break;
  }
  case 38: {
    const quint32 index = r.u32();
    Object o{Object::PenObj};
    o.style = int(r.u32());
    o.width = r.i32();
    r.i32();
    o.color = colorRef(r.u32());
    setObject(index, o);
    break;
  }
  case 95: {
    const quint32 index = r.u32();
    r.skip(16);
    Object o{Object::PenObj};
    o.style = int(r.u32());
    o.width = r.u32() & 0x7FFFFFFF;
    const quint32 brushStyle = r.u32();
    o.color = colorRef(r.u32());
    if (brushStyle == BS_NULL)
      o.style = 5;
    setObject(index, o);
    break;
  }
  case 39: {
    const quint32 index = r.u32();
    Object o{Object::BrushObj};
    o.style = int(r.u32());
    o.color = colorRef(r.u32());
    o.hatch = int(r.u32());
    setObject(index, o);
    break;
  }
  case 49:
  case 93:
  case 94:
    setObject(r.u32(), Object{Object::Other});
    break;
  case 40: {
    const quint32 index = r.u32();
    if (index < m_objects.size())
      m_objects[index] = Object{};
    break;
  }
  case 42:
  case 43: {
    const TRect rc = rectl();
    applyPen();
    applyBrush();
    if (type == 42)
      m_canvas.Ellipse(rc);
    else
      m_canvas.Rectangle(rc);
    break;
  }
  case 44: {
    const TRect rc = rectl();
    const double w = r.i32(), h = r.i32();
    applyPen();
    applyBrush();
    m_canvas.RoundRect(rc.left, rc.top, rc.right, rc.bottom, clampCoord(std::fabs(w * scaleX())),
                       clampCoord(std::fabs(h * scaleY())));
    break;
  }
  case 45:
  case 46:
  case 47: {
    const TRect rc = rectl();
    const double xs = r.i32(), ys = r.i32(), xe = r.i32(), ye = r.i32();
    const TPoint p1 = point(xs, ys), p2 = point(xe, ye);
    applyPen();
    applyBrush();
    if (type == 45)
      m_canvas.Arc(rc.left, rc.top, rc.right, rc.bottom, p1.x, p1.y, p2.x, p2.y);
    else if (type == 46)
      m_canvas.Chord(rc.left, rc.top, rc.right, rc.bottom, p1.x, p1.y, p2.x, p2.y);
    else
      m_canvas.Pie(rc.left, rc.top, rc.right, rc.bottom, p1.x, p1.y, p2.x, p2.y);
    break;
  }
  case 54: {
    const double x = r.i32(), y = r.i32();
    applyPen();
    const TPoint from = point(s.posX, s.posY), to = point(x, y);
    m_canvas.MoveTo(from.x, from.y);
    m_canvas.LineTo(to.x, to.y);
    s.posX = x;
    s.posY = y;
    break;
  }
  case 82: {
    const quint32 index = r.u32();
    Object o{Object::FontObj};
    o.width = std::fabs(double(r.i32()));
    r.skip(12);
    o.weight = r.i32();
    o.italic = r.u8();
    o.underline = r.u8();
    o.strikeOut = r.u8();
    r.skip(5);
    const size_t chars = std::min<size_t>(r.remaining() / 2, 32);
    QString face;
    for (size_t i = 0; i < chars; ++i) {
      const quint16 ch = r.u16();
      if (ch == 0)
        break;
      face.append(QChar(ch));
    }
    o.face = face;
    setObject(index, o);
    break;
  }
  case 83:
  case 84: {
    r.skip(16 + 12);
    const double x = r.i32(), y = r.i32();
    const quint32 count = r.u32(), offset = r.u32();
    const quint32 bytes = type == 84 ? 2 : 1;
    if (count > r.size() || offset > r.size() || quint64(count) * bytes > r.size() - offset)
      throw Error(QStringLiteral("Invalid metafile: text outside its record"));
    ByteReader str(r.data() + offset, size_t(count) * bytes);
    QString string;
    for (quint32 i = 0; i < count; ++i)
      string.append(type == 84 ? QChar(str.u16()) : QChar(str.u8()));
    text(x, y, string);
    break;
  }
  case 81: { // STRETCHDIBITS
    r.skip(16);
    const double x = r.i32(), y = r.i32();
    const int xSrc = r.i32(), ySrc = r.i32(), cxSrc = r.i32(), cySrc = r.i32();
    const quint32 offBmi = r.u32(), cbBmi = r.u32(), offBits = r.u32(), cbBits = r.u32();
    r.u32();
    const quint32 rop = r.u32();
    const double cx = r.i32(), cy = r.i32();
    const uchar *bmi = nullptr, *bits = nullptr;
    if (part(offBmi, cbBmi, bmi) && part(offBits, cbBits, bits))
      blit(rect(x, y, x + cx, y + cy), bmi, cbBmi, bits, cbBits, xSrc, ySrc, cxSrc, cySrc, true, rop);
    else
      patternBlit(rect(x, y, x + cx, y + cy), rop);
    break;
  }
  case 76:
  case 77: { // BITBLT, STRETCHBLT
    r.skip(16);
    const double x = r.i32(), y = r.i32(), cx = r.i32(), cy = r.i32();
    const quint32 rop = r.u32();
    const int xSrc = r.i32(), ySrc = r.i32();
    r.skip(24 + 4 + 4);
    const quint32 offBmi = r.u32(), cbBmi = r.u32(), offBits = r.u32(), cbBits = r.u32();
    int cxSrc = int(cx), cySrc = int(cy);
    if (type == 77) {
      cxSrc = r.i32();
      cySrc = r.i32();
    }
    const uchar *bmi = nullptr, *bits = nullptr;
    if (part(offBmi, cbBmi, bmi) && part(offBits, cbBits, bits))
      blit(rect(x, y, x + cx, y + cy), bmi, cbBmi, bits, cbBits, xSrc, ySrc, cxSrc, cySrc, false, rop);
    else
      patternBlit(rect(x, y, x + cx, y + cy), rop);
    break;
  }
  default:
    break; // unknown records are skipped
  }
}

} // namespace corvana
