// EMF records: each record family has one handler, and the table at the end of the family
// handlers says which family plays which record. The reader of a record spans the whole
// record, so that the offsets inside it count from its start; handlers begin after the type
// and size words. Most drawing records open with a bounds rectangle the player does not need.

#include "core/Error.h"
#include "raster/MetafileObjects.h"
#include "raster/MetafilePlayer.h"
#include "raster/MetafileRecords.h"

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
  const double left = r.i32(), top = r.i32(), right = r.i32(), bottom = r.i32();
  return {left, top, right, bottom};
}

// The "16" records carry 16-bit points.
Coord coordOf(R type) { return type >= R::PolyBezier16 && type <= R::PolyPolygon16 ? Coord::Short : Coord::Long; }

// Where a record keeps its bitmap: offset from the record's start and size of the header,
// then of the bits. `dib` stays empty unless both lie inside the record.
void readDib(ByteReader &r, MetafilePlayer::Dib &dib) {
  const quint32 offBmi = r.u32(), cbBmi = r.u32(), offBits = r.u32(), cbBits = r.u32();
  auto inside = [&](quint32 offset, quint32 size) {
    return size != 0 && offset <= r.size() && size <= r.size() - offset;
  };
  if (inside(offBmi, cbBmi) && inside(offBits, cbBits))
    dib = {r.data() + offBmi, cbBmi, r.data() + offBits, cbBits};
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
  std::vector<TPoint> readPoly(ByteReader &r, R type);
  Rings readRings(ByteReader &r, Coord coord);

  MetafilePlayer &m_dc;
};

void EmfPlayer::mapping(R type, ByteReader &r) {
  if (type == R::SetMapMode)
    m_dc.state().mapMode = int(r.u32());
  else if (type == R::SetWindowExtEx)
    m_dc.setWindowExt(readPoint(r));
  else if (type == R::SetWindowOrgEx)
    m_dc.setWindowOrg(readPoint(r));
  else if (type == R::SetViewportExtEx)
    m_dc.setViewportExt(readPoint(r));
  else if (type == R::SetViewportOrgEx)
    m_dc.setViewportOrg(readPoint(r));
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
  switch (type) {
  case R::SelectObject:
    if (index & StockObjectFlag)
      m_dc.select(StockObject(index & ~StockObjectFlag));
    else
      m_dc.selectObject(index);
    break;
  case R::DeleteObject:
    m_dc.deleteObject(index);
    break;
  case R::CreatePen:
    m_dc.setObject(index, ReadEmfPen(r));
    break;
  case R::ExtCreatePen:
    m_dc.setObject(index, ReadEmfExtPen(r));
    break;
  case R::CreateBrushIndirect:
    m_dc.setObject(index, ReadEmfBrush(r));
    break;
  case R::ExtCreateFontIndirectW:
    m_dc.setObject(index, ReadEmfFont(r));
    break;
  default:
    // Palettes and pattern brushes: not drawn with, but their slot is taken.
    m_dc.setObject(index, Object{Object::Other});
    break;
  }
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
    const std::vector<TPoint> points = readPoly(r, type);
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
    const std::vector<TPoint> points = readPoly(r, type);
    if (points.size() >= 2)
      m_dc.poly(Shape::Polygon, points);
  } else {
    m_dc.polyPolygon(readRings(r, coordOf(type)));
  }
}

// Bounds, the number of points, then the points.
std::vector<TPoint> EmfPlayer::readPoly(ByteReader &r, R type) {
  r.skip(BoundsSize);
  const quint32 count = r.u32();
  return m_dc.readPoints(r, count, coordOf(type));
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
  MetafilePlayer::Dib dib;
  quint32 rop = 0;
  if (type == R::StretchDiBits) {
    at = readPoint(r);
    source.x = r.i32();
    source.y = r.i32();
    source.width = r.i32();
    source.height = r.i32();
    readDib(r, dib);
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
    readDib(r, dib);
    source.width = int(size.x);
    source.height = int(size.y);
    if (type == R::StretchBlt) {
      source.width = r.i32();
      source.height = r.i32();
    }
  }
  const TRect dest = m_dc.rect(LogicalRect::at(at, size));
  if (dib.info)
    m_dc.blit(dest, dib, source, rop);
  else
    m_dc.patternBlit(dest, rop);
}

using Handler = void (EmfPlayer::*)(R, ByteReader &);
using Row = RecordRow<R, Handler>;

// Which family plays each record; records not listed are skipped.
constexpr Row Rows[] = {
    // window and viewport mapping
    {R::SetMapMode, &EmfPlayer::mapping},
    {R::SetWindowExtEx, &EmfPlayer::mapping},
    {R::SetWindowOrgEx, &EmfPlayer::mapping},
    {R::SetViewportExtEx, &EmfPlayer::mapping},
    {R::SetViewportOrgEx, &EmfPlayer::mapping},
    // state: colours, modes, saved contexts
    {R::SetBkColor, &EmfPlayer::state},
    {R::SetTextColor, &EmfPlayer::state},
    {R::SetBkMode, &EmfPlayer::state},
    {R::SetRop2, &EmfPlayer::state},
    {R::SetTextAlign, &EmfPlayer::state},
    {R::SaveDc, &EmfPlayer::state},
    {R::RestoreDc, &EmfPlayer::state},
    // objects and their selection
    {R::CreatePen, &EmfPlayer::objects},
    {R::ExtCreatePen, &EmfPlayer::objects},
    {R::CreateBrushIndirect, &EmfPlayer::objects},
    {R::ExtCreateFontIndirectW, &EmfPlayer::objects},
    {R::CreatePalette, &EmfPlayer::objects},
    {R::CreateMonoBrush, &EmfPlayer::objects},
    {R::CreateDibPatternBrushPt, &EmfPlayer::objects},
    {R::SelectObject, &EmfPlayer::objects},
    {R::DeleteObject, &EmfPlayer::objects},
    // lines and open curves
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
    // figures in a box
    {R::Rectangle, &EmfPlayer::figures},
    {R::Ellipse, &EmfPlayer::figures},
    {R::RoundRect, &EmfPlayer::figures},
    {R::Arc, &EmfPlayer::figures},
    {R::Chord, &EmfPlayer::figures},
    {R::Pie, &EmfPlayer::figures},
    // polygons
    {R::Polygon, &EmfPlayer::polygons},
    {R::Polygon16, &EmfPlayer::polygons},
    {R::PolyPolygon, &EmfPlayer::polygons},
    {R::PolyPolygon16, &EmfPlayer::polygons},
    // text
    {R::ExtTextOutA, &EmfPlayer::text},
    {R::ExtTextOutW, &EmfPlayer::text},
    // bitmaps and blits
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
