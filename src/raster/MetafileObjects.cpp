#include "raster/MetafileObjects.h"

#include "raster/MetafileRecords.h"

#include <cmath>

namespace corvana {

using Object = MetafilePlayer::Object;

// ---- WMF

Object ReadWmfPen(ByteReader &r) {
  Object o{Object::PenObj};
  o.style = r.u16();
  o.width = r.i16();
  r.i16();
  o.color = ColorRef(r.u32());
  return o;
}

Object ReadWmfBrush(ByteReader &r) {
  Object o{Object::BrushObj};
  o.style = r.u16();
  o.color = ColorRef(r.u32());
  o.hatch = r.u16();
  return o;
}

Object ReadWmfFont(ByteReader &r) {
  Object o{Object::FontObj};
  o.width = std::fabs(double(r.i16()));
  r.skip(6); // width, escapement, orientation
  o.weight = r.i16();
  o.italic = r.u8();
  o.underline = r.u8();
  o.strikeOut = r.u8();
  r.skip(5); // character set, precisions, quality, pitch and family
  o.face = ReadWmfString(r, int(std::min<size_t>(r.remaining(), 32)));
  return o;
}

QString ReadWmfString(ByteReader &r, int count) {
  count = std::max(count, 0);
  r.need(size_t(count));
  QByteArray bytes(reinterpret_cast<const char *>(r.current()), count);
  const int nul = bytes.indexOf('\0');
  if (nul >= 0)
    bytes.truncate(nul);
  return QString::fromLatin1(bytes);
}

// ---- EMF

Object ReadEmfPen(ByteReader &r) {
  Object o{Object::PenObj};
  o.style = int(r.u32());
  o.width = r.i32();
  r.i32();
  o.color = ColorRef(r.u32());
  return o;
}

Object ReadEmfExtPen(ByteReader &r) {
  r.skip(16); // the pattern's bitmap, unused
  Object o{Object::PenObj};
  o.style = int(r.u32());
  o.width = r.u32() & 0x7FFFFFFF;
  const quint32 brushStyle = r.u32();
  o.color = ColorRef(r.u32());
  if (brushStyle == gdi::BS_NULL)
    o.style = gdi::PS_NULL;
  return o;
}

Object ReadEmfBrush(ByteReader &r) {
  Object o{Object::BrushObj};
  o.style = int(r.u32());
  o.color = ColorRef(r.u32());
  o.hatch = int(r.u32());
  return o;
}

Object ReadEmfFont(ByteReader &r) {
  Object o{Object::FontObj};
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
  return o;
}

Object StockObject(quint32 index) {
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

} // namespace corvana
