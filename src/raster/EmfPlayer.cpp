// EMF records: each record family has one handler, and the table at the end of the family
// handlers says which family plays which record. The reader of a record spans the whole
// record, so that the offsets inside it count from its start; handlers begin after the type
// and size words. Most drawing records open with a bounds rectangle the player does not need.

#include "raster/MetafilePlayer.h"
#include "raster/MetafileRecords.h"

#include "platform/Errors.h"

#include <cmath>

namespace corvana {

namespace {

using R = EmfRecord;
using Object = MetafilePlayer::Object;
using Coord = MetafilePlayer::Coord;
using Figure = MetafilePlayer::Figure;
using Shape = MetafilePlayer::Shape;
using Rings = std::vector<std::vector<TPoint>>;

constexpr size_t BoundsSize = 16;
constexpr quint32 StockObjectFlag = 0x80000000u;

// Also a size: width, then height.
LogicalPoint readPoint(ByteReader &r) {
  const double x = r.i32(), y = r.i32();
  return {x, y};
}

LogicalRect readBox(ByteReader &r) {
  LogicalRect box;
  box.left = r.i32();
  box.top = r.i32();
  box.right = r.i32();
  box.bottom = r.i32();
  return box;
}

// The "16" records carry 16-bit points.
Coord coordOf(R type) { return type >= R::PolyBezier16 && type <= R::PolyPolygon16 ? Coord::Short : Coord::Long; }

// `size` bytes at `offset` from the record's start, when they lie inside it.
bool recordPart(const ByteReader &r, quint32 offset, quint32 size, const uchar *&at) {
  if (size == 0 || offset > r.size() || size > r.size() - offset)
    return false;
  at = r.data() + offset;
  return true;
}

// Where a record keeps its bitmap's header and bits: offsets from its start, and sizes.
void readDibParts(ByteReader &r, quint32 &offBmi, quint32 &cbBmi, quint32 &offBits, quint32 &cbBits) {
  offBmi = r.u32();
  cbBmi = r.u32();
  offBits = r.u32();
  cbBits = r.u32();
}

Object stockObject(quint32 index) {
  Object o;
  switch (index) {
  case 0: // white, light grey, grey, dark grey and black brushes
  case 1:
  case 2:
  case 3:
  case 4: {
    static const TColor greys[5] = {clWhite, RGB(192, 192, 192), RGB(128, 128, 128), RGB(64, 64, 64), clBlack};
    o = {Object::BrushObj, gdi::BS_SOLID, 0, greys[index]};
    break;
  }
  case 5:
    o = {Object::BrushObj, gdi::BS_NULL, 0, clBlack};
    break;
  case 6:
  case 7:
    o = {Object::PenObj, 0, 0, index == 6 ? clWhite : clBlack};
    break;
  case 8:
    o = {Object::PenObj, gdi::PS_NULL, 0, clBlack};
    break;
  case 10: // the fixed and variable system fonts
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

class EmfPlayer {
public:
  explicit EmfPlayer(MetafilePlayer &dc) : m_dc(dc) {}

  void mapping(R type, ByteReader &r);
  void state(R type, ByteReader &r);
  void objects(R type, ByteReader &r);
  void lines(R type, ByteReader &r);
  void figures(R type, ByteReader &r);
  void polygons(R type, ByteReader &r);
  void text(R type, ByteReader &r);
  void bitmaps(R type, ByteReader &r);

private:
  Rings readRings(ByteReader &r, Coord coord);

  MetafilePlayer &m_dc;
};

void EmfPlayer::mapping(R type, ByteReader &r) {
  switch (type) {
  case R::SetMapMode:
    m_dc.state().mapMode = int(r.u32());
    break;
  case R::SetWindowExtEx:
    m_dc.setWindowExt(readPoint(r));
    break;
  case R::SetWindowOrgEx:
    m_dc.setWindowOrg(readPoint(r));
    break;
  case R::SetViewportExtEx:
    m_dc.setViewportExt(readPoint(r));
    break;
  case R::SetViewportOrgEx:
    m_dc.setViewportOrg(readPoint(r));
    break;
  default:
    break;
  }
}

void EmfPlayer::state(R type, ByteReader &r) {
  MetafilePlayer::State &s = m_dc.state();
  switch (type) {
  case R::SetBkColor:
    s.bkColor = ColorRef(r.u32());
    break;
  case R::SetTextColor:
    s.textColor = ColorRef(r.u32());
    break;
  case R::SetBkMode:
    s.bkMode = int(r.u32());
    break;
  case R::SetRop2:
    s.rop2 = int(r.u32());
    break;
  case R::SetTextAlign:
    s.textAlign = int(r.u32());
    break;
  case R::SaveDc:
    m_dc.saveDc();
    break;
  case R::RestoreDc:
    m_dc.restoreDc(r.i32());
    break;
  default:
    break;
  }
}

void EmfPlayer::objects(R type, ByteReader &r) {
  const quint32 index = r.u32();
  Object o;
  switch (type) {
  case R::SelectObject:
    if (index & StockObjectFlag)
      m_dc.select(stockObject(index & ~StockObjectFlag));
    else
      m_dc.selectObject(index);
    return;
  case R::DeleteObject:
    m_dc.deleteObject(index);
    return;
  case R::CreatePen:
    o.kind = Object::PenObj;
    o.style = int(r.u32());
    o.width = r.i32();
    r.i32();
    o.color = ColorRef(r.u32());
    break;
  case R::ExtCreatePen: {
    r.skip(16); // the pattern's bitmap, unused
    o.kind = Object::PenObj;
    o.style = int(r.u32());
    o.width = r.u32() & 0x7FFFFFFF;
    const quint32 brushStyle = r.u32();
    o.color = ColorRef(r.u32());
    if (brushStyle == gdi::BS_NULL)
      o.style = gdi::PS_NULL;
    break;
  }
  case R::CreateBrushIndirect:
    o.kind = Object::BrushObj;
    o.style = int(r.u32());
    o.color = ColorRef(r.u32());
    o.hatch = int(r.u32());
    break;
  case R::ExtCreateFontIndirectW: {
    o.kind = Object::FontObj;
    o.width = std::fabs(double(r.i32()));
    r.skip(12); // width, escapement, orientation
    o.weight = r.i32();
    o.italic = r.u8();
    o.underline = r.u8();
    o.strikeOut = r.u8();
    r.skip(5); // character set, precisions, quality, pitch and family
    const size_t chars = std::min<size_t>(r.remaining() / 2, 32);
    for (size_t i = 0; i < chars; ++i) {
      const quint16 ch = r.u16();
      if (ch == 0)
        break;
      o.face.append(QChar(ch));
    }
    break;
  }
  default:
    // Palettes and pattern brushes: not drawn with, but their slot is taken.
    o.kind = Object::Other;
    break;
  }
  m_dc.setObject(index, o);
}

void EmfPlayer::lines(R type, ByteReader &r) {
  switch (type) {
  case R::MoveToEx:
    m_dc.moveTo(readPoint(r));
    break;
  case R::LineTo:
    m_dc.lineTo(readPoint(r));
    break;
  case R::Polyline:
  case R::Polyline16:
  case R::PolyBezier:
  case R::PolyBezier16: {
    r.skip(BoundsSize);
    const quint32 count = r.u32();
    const std::vector<TPoint> points = m_dc.readPoints(r, count, coordOf(type));
    const bool polyline = type == R::Polyline || type == R::Polyline16;
    if (points.size() >= 2)
      m_dc.poly(polyline ? Shape::Polyline : Shape::Bezier, points);
    break;
  }
  case R::PolylineTo:
  case R::PolylineTo16:
  case R::PolyBezierTo:
  case R::PolyBezierTo16: {
    // From the current position, which moves to the last point.
    r.skip(BoundsSize);
    const quint32 count = r.u32();
    if (count == 0 || count > MetafilePlayer::MaxPolyPoints)
      break;
    const MetafilePlayer::State &s = m_dc.state();
    std::vector<TPoint> points{m_dc.point(s.posX, s.posY)};
    const LogicalPoint last = m_dc.readPoints(r, count, coordOf(type), points);
    if (type == R::PolyBezierTo || type == R::PolyBezierTo16) {
      m_dc.poly(Shape::Bezier, points);
    } else {
      points.push_back(points.back()); // the end point is drawn too
      m_dc.poly(Shape::Polyline, points);
    }
    m_dc.moveTo(last);
    break;
  }
  case R::PolyPolyline:
  case R::PolyPolyline16:
    for (const auto &ring : readRings(r, coordOf(type)))
      if (ring.size() >= 2)
        m_dc.poly(Shape::Polyline, ring);
    break;
  default:
    break;
  }
}

void EmfPlayer::figures(R type, ByteReader &r) {
  const LogicalRect box = readBox(r);
  switch (type) {
  case R::Rectangle:
    m_dc.figure(Figure::Rectangle, box);
    break;
  case R::Ellipse:
    m_dc.figure(Figure::Ellipse, box);
    break;
  case R::RoundRect:
    m_dc.figure(Figure::RoundRect, box, readPoint(r));
    break;
  case R::Arc:
  case R::Chord:
  case R::Pie: {
    const LogicalPoint start = readPoint(r), end = readPoint(r);
    const Figure figure = type == R::Arc ? Figure::Arc : type == R::Chord ? Figure::Chord : Figure::Pie;
    m_dc.figure(figure, box, start, end);
    break;
  }
  default:
    break;
  }
}

void EmfPlayer::polygons(R type, ByteReader &r) {
  if (type == R::Polygon || type == R::Polygon16) {
    r.skip(BoundsSize);
    const quint32 count = r.u32();
    const std::vector<TPoint> points = m_dc.readPoints(r, count, coordOf(type));
    if (points.size() >= 2)
      m_dc.poly(Shape::Polygon, points);
  } else {
    m_dc.polyPolygon(readRings(r, coordOf(type)));
  }
}

// Bounds, the number of rings, the total of points, each ring's count, then all points.
Rings EmfPlayer::readRings(ByteReader &r, Coord coord) {
  r.skip(BoundsSize);
  const quint32 n = r.u32(), total = r.u32();
  if (n > MetafilePlayer::MaxPolyPoints || total > MetafilePlayer::MaxPolyPoints)
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
  Rings rings;
  for (quint32 count : counts)
    rings.push_back(m_dc.readPoints(r, count, coord));
  return rings;
}

void EmfPlayer::text(R type, ByteReader &r) {
  r.skip(BoundsSize + 12); // and the graphics mode and scales
  const LogicalPoint at = readPoint(r);
  const quint32 count = r.u32(), offset = r.u32();
  const bool wide = type == R::ExtTextOutW;
  const quint32 bytes = wide ? 2 : 1;
  if (count > r.size() || offset > r.size() || quint64(count) * bytes > r.size() - offset)
    throw Error(QStringLiteral("Invalid metafile: text outside its record"));
  ByteReader chars(r.data() + offset, size_t(count) * bytes);
  QString string;
  for (quint32 i = 0; i < count; ++i)
    string.append(wide ? QChar(chars.u16()) : QChar(chars.u8()));
  m_dc.text(at, string);
}

void EmfPlayer::bitmaps(R type, ByteReader &r) {
  r.skip(BoundsSize);
  LogicalPoint at, size;
  MetafilePlayer::Source source;
  quint32 rop = 0, offBmi = 0, cbBmi = 0, offBits = 0, cbBits = 0;
  if (type == R::StretchDiBits) {
    at = readPoint(r);
    source.x = r.i32();
    source.y = r.i32();
    source.width = r.i32();
    source.height = r.i32();
    readDibParts(r, offBmi, cbBmi, offBits, cbBits);
    r.u32(); // colour usage
    rop = r.u32();
    size = readPoint(r);
    source.fromBottom = true;
  } else { // BitBlt, StretchBlt
    at = readPoint(r);
    size = readPoint(r);
    rop = r.u32();
    source.x = r.i32();
    source.y = r.i32();
    r.skip(24 + 4 + 4); // source transform, background colour, colour usage
    readDibParts(r, offBmi, cbBmi, offBits, cbBits);
    source.width = int(size.x);
    source.height = int(size.y);
    if (type == R::StretchBlt) {
      source.width = r.i32();
      source.height = r.i32();
    }
  }
  const TRect dest = m_dc.rect(LogicalRect::at(at, size));
  MetafilePlayer::Dib dib{nullptr, cbBmi, nullptr, cbBits};
  if (recordPart(r, offBmi, cbBmi, dib.info) && recordPart(r, offBits, cbBits, dib.bits))
    m_dc.blit(dest, dib, source, rop);
  else
    m_dc.patternBlit(dest, rop);
}

using Handler = void (EmfPlayer::*)(R, ByteReader &);
using Row = RecordRow<R, Handler>;

// Which family plays each record; records not listed are skipped.
constexpr Row Rows[] = {
    {R::SetMapMode, &EmfPlayer::mapping},
    {R::SetWindowExtEx, &EmfPlayer::mapping},
    {R::SetWindowOrgEx, &EmfPlayer::mapping},
    {R::SetViewportExtEx, &EmfPlayer::mapping},
    {R::SetViewportOrgEx, &EmfPlayer::mapping},

    {R::SetBkColor, &EmfPlayer::state},
    {R::SetTextColor, &EmfPlayer::state},
    {R::SetBkMode, &EmfPlayer::state},
    {R::SetRop2, &EmfPlayer::state},
    {R::SetTextAlign, &EmfPlayer::state},
    {R::SaveDc, &EmfPlayer::state},
    {R::RestoreDc, &EmfPlayer::state},

    {R::CreatePen, &EmfPlayer::objects},
    {R::ExtCreatePen, &EmfPlayer::objects},
    {R::CreateBrushIndirect, &EmfPlayer::objects},
    {R::ExtCreateFontIndirectW, &EmfPlayer::objects},
    {R::CreatePalette, &EmfPlayer::objects},
    {R::CreateMonoBrush, &EmfPlayer::objects},
    {R::CreateDibPatternBrushPt, &EmfPlayer::objects},
    {R::SelectObject, &EmfPlayer::objects},
    {R::DeleteObject, &EmfPlayer::objects},

    {R::MoveToEx, &EmfPlayer::lines},
    {R::LineTo, &EmfPlayer::lines},
    {R::Polyline, &EmfPlayer::lines},
    {R::Polyline16, &EmfPlayer::lines},
    {R::PolylineTo, &EmfPlayer::lines},
    {R::PolylineTo16, &EmfPlayer::lines},
    {R::PolyPolyline, &EmfPlayer::lines},
    {R::PolyPolyline16, &EmfPlayer::lines},
    {R::PolyBezier, &EmfPlayer::lines},
    {R::PolyBezier16, &EmfPlayer::lines},
    {R::PolyBezierTo, &EmfPlayer::lines},
    {R::PolyBezierTo16, &EmfPlayer::lines},

    {R::Rectangle, &EmfPlayer::figures},
    {R::Ellipse, &EmfPlayer::figures},
    {R::RoundRect, &EmfPlayer::figures},
    {R::Arc, &EmfPlayer::figures},
    {R::Chord, &EmfPlayer::figures},
    {R::Pie, &EmfPlayer::figures},

    {R::Polygon, &EmfPlayer::polygons},
    {R::Polygon16, &EmfPlayer::polygons},
    {R::PolyPolygon, &EmfPlayer::polygons},
    {R::PolyPolygon16, &EmfPlayer::polygons},

    {R::ExtTextOutA, &EmfPlayer::text},
    {R::ExtTextOutW, &EmfPlayer::text},

    {R::BitBlt, &EmfPlayer::bitmaps},
    {R::StretchBlt, &EmfPlayer::bitmaps},
    {R::StretchDiBits, &EmfPlayer::bitmaps},
};

constexpr RecordTable Table(Rows);
static_assert(!Table.hasDuplicates(), "an EMF record has two handlers");

} // namespace

void PlayEmfRecords(MetafilePlayer &player, const QByteArray &data) {
  EmfPlayer emf(player);
  const uchar *base = reinterpret_cast<const uchar *>(data.constData());
  const size_t end = size_t(data.size());
  ByteReader file(data);
  size_t pos = 0;
  while (pos + 8 <= end) {
    file.seek(pos);
    const R type = R(file.u32());
    const quint32 size = file.u32();
    if (size < 8 || size > end - pos || type == R::Eof)
      break;
    if (const Handler handler = Table.find(type)) {
      ByteReader r(base + pos, size);
      r.seek(8);
      (emf.*handler)(type, r);
    }
    pos += size;
  }
}

} // namespace corvana
