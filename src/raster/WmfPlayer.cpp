// WMF records: each record family has one handler, and the table at the end of the family
// handlers says which family plays which record. Parameters are 16-bit words; points and
// rectangles come y before x, bottom-right before top-left.

#include "raster/MetafileObjects.h"
#include "raster/MetafilePlayer.h"
#include "raster/MetafileRecords.h"

namespace corvana {

namespace {

using R = WmfRecord;
using Object = MetafilePlayer::Object;
using Coord = MetafilePlayer::Coord;
using Figure = MetafilePlayer::Figure;
using Shape = MetafilePlayer::Shape;

// Also a size: height, then width.
LogicalPoint readPoint(ByteReader &r) {
  const double y = r.i16(), x = r.i16();
  return {x, y};
}

LogicalRect readBox(ByteReader &r) {
  LogicalRect box;
  box.bottom = r.i16();
  box.right = r.i16();
  box.top = r.i16();
  box.left = r.i16();
  return box;
}

class WmfPlayer {
public:
  explicit WmfPlayer(MetafilePlayer &dc) : m_dc(dc) {}

  void mapping(R type, ByteReader &r);
  void state(R type, ByteReader &r);
  void objects(R type, ByteReader &r);
  void lines(R type, ByteReader &r);
  void figures(R type, ByteReader &r);
  void polygons(R type, ByteReader &r);
  void text(R type, ByteReader &r);
  void bitmaps(R type, ByteReader &r);

private:
  MetafilePlayer &m_dc;
};

void WmfPlayer::mapping(R type, ByteReader &r) {
  if (type == R::SetWindowOrg)
    m_dc.setWindowOrg(readPoint(r));
  else if (type == R::SetWindowExt)
    m_dc.setWindowExt(readPoint(r));
  // The map mode and the viewport belong to the player: the window always maps onto the picture.
}

void WmfPlayer::state(R type, ByteReader &r) {
  MetafilePlayer::State &s = m_dc.state();
  switch (type) {
  case R::SetBkColor:
    s.bkColor = ColorRef(r.u32());
    break;
  case R::SetTextColor:
    s.textColor = ColorRef(r.u32());
    break;
  case R::SetBkMode:
    s.bkMode = r.u16();
    break;
  case R::SetRop2:
    s.rop2 = r.u16();
    break;
  case R::SetTextAlign:
    s.textAlign = r.u16();
    break;
  case R::SaveDc:
    m_dc.saveDc();
    break;
  case R::RestoreDc:
    m_dc.restoreDc(r.i16());
    break;
  default:
    break;
  }
}

void WmfPlayer::objects(R type, ByteReader &r) {
  switch (type) {
  case R::CreatePenIndirect:
    m_dc.addObject(ReadWmfPen(r));
    break;
  case R::CreateBrushIndirect:
    m_dc.addObject(ReadWmfBrush(r));
    break;
  case R::CreateFontIndirect:
    m_dc.addObject(ReadWmfFont(r));
    break;
  case R::CreatePalette:
  case R::CreatePatternBrush:
  case R::DibCreatePatternBrush:
  case R::CreateRegion:
    // Not drawn with, but they take a slot that later records count on.
    m_dc.addObject(Object{Object::Other});
    break;
  case R::SelectObject:
    m_dc.selectObject(r.u16());
    break;
  case R::DeleteObject:
    m_dc.deleteObject(r.u16());
    break;
  default:
    break;
  }
}

void WmfPlayer::lines(R type, ByteReader &r) {
  switch (type) {
  case R::MoveTo:
    m_dc.moveTo(readPoint(r));
    break;
  case R::LineTo:
    m_dc.lineTo(readPoint(r));
    break;
  case R::Polyline: {
    const int count = r.i16();
    const std::vector<TPoint> points = m_dc.readPoints(r, count, Coord::Short);
    if (points.size() >= 2)
      m_dc.poly(Shape::Polyline, points);
    break;
  }
  case R::SetPixel: {
    const TColor color = ColorRef(r.u32());
    m_dc.setPixel(readPoint(r), color);
    break;
  }
  default:
    break;
  }
}

void WmfPlayer::figures(R type, ByteReader &r) {
  switch (type) {
  case R::Rectangle:
    m_dc.figure(Figure::Rectangle, readBox(r));
    break;
  case R::Ellipse:
    m_dc.figure(Figure::Ellipse, readBox(r));
    break;
  case R::RoundRect: {
    const LogicalPoint corner = readPoint(r);
    m_dc.figure(Figure::RoundRect, readBox(r), corner);
    break;
  }
  case R::Arc:
  case R::Chord:
  case R::Pie: {
    const LogicalPoint end = readPoint(r), start = readPoint(r);
    const Figure figure = type == R::Arc ? Figure::Arc : type == R::Chord ? Figure::Chord : Figure::Pie;
    m_dc.figure(figure, readBox(r), start, end);
    break;
  }
  default:
    break;
  }
}

void WmfPlayer::polygons(R type, ByteReader &r) {
  if (type == R::Polygon) {
    const int count = r.i16();
    const std::vector<TPoint> points = m_dc.readPoints(r, count, Coord::Short);
    if (points.size() >= 2)
      m_dc.poly(Shape::Polygon, points);
  } else if (type == R::PolyPolygon) {
    const int n = r.u16();
    r.need(size_t(n) * 2);
    std::vector<int> counts;
    for (int i = 0; i < n; ++i)
      counts.push_back(r.u16());
    std::vector<std::vector<TPoint>> rings;
    for (int count : counts)
      rings.push_back(m_dc.readPoints(r, count, Coord::Short));
    m_dc.polyPolygon(rings);
  }
}

void WmfPlayer::text(R type, ByteReader &r) {
  if (type == R::TextOut) {
    const int count = std::max(0, int(r.i16()));
    const QString string = ReadWmfString(r, count);
    r.skip(size_t((count + 1) & ~1)); // padded to a word
    m_dc.text(readPoint(r), string);
  } else if (type == R::ExtTextOut) {
    const LogicalPoint at = readPoint(r);
    const int count = r.i16();
    const int options = r.u16();
    if (options & (gdi::ETO_OPAQUE | gdi::ETO_CLIPPED))
      r.skip(8); // the clipping rectangle
    m_dc.text(at, ReadWmfString(r, count));
  }
}

void WmfPlayer::bitmaps(R type, ByteReader &r) {
  const quint32 rop = r.u32();
  // The two blits also come without a bitmap, as just their fixed words: they paint the brush.
  const size_t bare = type == R::DibBitBlt ? 14 : type == R::DibStretchBlt ? 18 : 0;
  if (bare && r.remaining() == bare) {
    r.skip(bare - 8); // reserved word, source rectangle
    const LogicalPoint size = readPoint(r), at = readPoint(r);
    m_dc.patternBlit(m_dc.rect(LogicalRect::at(at, size)), rop);
    return;
  }
  MetafilePlayer::Source source;
  if (type == R::StretchDib)
    r.u16(); // colour usage
  if (type != R::DibBitBlt) {
    source.height = r.i16();
    source.width = r.i16();
  }
  source.y = r.i16();
  source.x = r.i16();
  const LogicalPoint size = readPoint(r), at = readPoint(r);
  if (type == R::DibBitBlt) {
    source.width = int(size.x);
    source.height = int(size.y);
  }
  source.fromBottom = type == R::StretchDib;
  m_dc.blit(m_dc.rect(LogicalRect::at(at, size)), {r.current(), r.remaining()}, source, rop);
}

using Handler = void (WmfPlayer::*)(R, ByteReader &);
using Row = RecordRow<R, Handler>;

// Which family plays each record; records not listed are skipped.
constexpr Row Rows[] = {
    // window and viewport mapping
    {R::SetMapMode, &WmfPlayer::mapping},
    {R::SetWindowOrg, &WmfPlayer::mapping},
    {R::SetWindowExt, &WmfPlayer::mapping},
    {R::SetViewportOrg, &WmfPlayer::mapping},
    {R::SetViewportExt, &WmfPlayer::mapping},
    // state: colours, modes, saved contexts
    {R::SetBkColor, &WmfPlayer::state},
    {R::SetTextColor, &WmfPlayer::state},
    {R::SetBkMode, &WmfPlayer::state},
    {R::SetRop2, &WmfPlayer::state},
    {R::SetTextAlign, &WmfPlayer::state},
    {R::SaveDc, &WmfPlayer::state},
    {R::RestoreDc, &WmfPlayer::state},
    // objects and their selection
    {R::CreatePenIndirect, &WmfPlayer::objects},
    {R::CreateBrushIndirect, &WmfPlayer::objects},
    {R::CreateFontIndirect, &WmfPlayer::objects},
    {R::CreatePalette, &WmfPlayer::objects},
    {R::CreatePatternBrush, &WmfPlayer::objects},
    {R::DibCreatePatternBrush, &WmfPlayer::objects},
    {R::CreateRegion, &WmfPlayer::objects},
    {R::SelectObject, &WmfPlayer::objects},
    {R::DeleteObject, &WmfPlayer::objects},
    // lines and open curves
    {R::MoveTo, &WmfPlayer::lines},
    {R::LineTo, &WmfPlayer::lines},
    {R::Polyline, &WmfPlayer::lines},
    {R::SetPixel, &WmfPlayer::lines},
    // figures in a box
    {R::Rectangle, &WmfPlayer::figures},
    {R::Ellipse, &WmfPlayer::figures},
    {R::RoundRect, &WmfPlayer::figures},
    {R::Arc, &WmfPlayer::figures},
    {R::Chord, &WmfPlayer::figures},
    {R::Pie, &WmfPlayer::figures},
    // polygons
    {R::Polygon, &WmfPlayer::polygons},
    {R::PolyPolygon, &WmfPlayer::polygons},
    // text
    {R::TextOut, &WmfPlayer::text},
    {R::ExtTextOut, &WmfPlayer::text},
    // bitmaps and blits
    {R::DibBitBlt, &WmfPlayer::bitmaps},
    {R::DibStretchBlt, &WmfPlayer::bitmaps},
    {R::StretchDib, &WmfPlayer::bitmaps},
};

constexpr RecordTable Table(Rows);
static_assert(!Table.hasDuplicates(), "a WMF record has two handlers");

} // namespace

void PlayWmfRecords(MetafilePlayer &player, const QByteArray &data, size_t recordsAt) {
  WmfPlayer wmf(player);
  const uchar *base = reinterpret_cast<const uchar *>(data.constData());
  const size_t end = size_t(data.size());
  ByteReader file(data);
  size_t pos = recordsAt;
  while (pos + 6 <= end) {
    file.seek(pos);
    const size_t length = size_t(file.u32()) * 2;
    const R type = R(file.u16());
    if (type == R::Eof || length < 6 || length > end - pos)
      break;
    if (const Handler handler = Table.find(type)) {
      ByteReader r(base + pos + 6, length - 6);
      (wmf.*handler)(type, r);
    }
    pos += length;
  }
}

} // namespace corvana
