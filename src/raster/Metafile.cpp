#include "raster/Metafile.h"

#include "core/Error.h"
#include "core/TextFiles.h"
#include "raster/Dib.h"
#include "raster/MetafilePlayer.h"
#include "raster/MetafileRecords.h"

#include <cmath>

namespace corvana {

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr quint32 EmfSignature = 0x464D4520;

[[noreturn]] void invalid(const QString &why) { throw Error(QStringLiteral("Invalid metafile: %1").arg(why)); }

void setSize(int &width, int &height, double w, double h) {
  if (!(std::isfinite(w) && std::isfinite(h)) || w < 0.5 || h < 0.5 || w > Bitmap::MaxSide || h > Bitmap::MaxSide)
    invalid(QStringLiteral("bad picture size"));
  width = int(std::lround(w));
  height = int(std::lround(h));
  CheckDecodeSize(width, height);
}

} // namespace

Metafile Metafile::fromBytes(const QByteArray &bytes) {
  Metafile m;
  ByteReader r(bytes);
  if (bytes.size() < 18)
    invalid(QStringLiteral("file too short"));
  const quint32 first = r.u32();
  if (first == 1 && bytes.size() >= 88) {
    r.seek(40);
    if (r.u32() == EmfSignature) {
      m.m_enhanced = true;
      r.seek(8);
      const qint32 bl = r.i32(), bt = r.i32(), br = r.i32(), bb = r.i32();
      const qint32 fl = r.i32(), ft = r.i32(), fr = r.i32(), fb = r.i32();
      r.seek(56);
      m.m_objectCount = r.u16();
      r.seek(72);
      const qint32 devX = r.i32(), devY = r.i32(), mmX = r.i32(), mmY = r.i32();
      // The frame is in hundredths of a millimetre; the records draw in reference-device pixels.
      const double fw = double(fr) - fl, fh = double(fb) - ft;
      if (mmX > 0 && mmY > 0 && devX > 0 && devY > 0 && fw > 0 && fh > 0) {
        const double kx = double(devX) / (mmX * 100.0), ky = double(devY) / (mmY * 100.0);
        m.m_frame = {fl * kx, ft * ky, fw * kx, fh * ky};
        setSize(m.m_width, m.m_height, fw * 96 / 2540, fh * 96 / 2540);
      } else {
        const double w = double(br) - bl + 1, h = double(bb) - bt + 1;
        m.m_frame = {double(bl), double(bt), w, h};
        setSize(m.m_width, m.m_height, w, h);
      }
      // Walk the records so that the player never meets a size that lies.
      size_t pos = 0;
      for (;;) {
        r.seek(pos);
        if (r.remaining() < 8)
          invalid(QStringLiteral("missing end of file record"));
        const auto type = EmfRecord(r.u32());
        const quint32 size = r.u32();
        if (size < 8 || size % 4 != 0 || size > r.remaining() + 8)
          invalid(QStringLiteral("bad record size"));
        if (pos == 0 && type != EmfRecord::Header)
          invalid(QStringLiteral("bad header"));
        pos += size;
        if (type == EmfRecord::Eof)
          break;
      }
      m.m_recordsAt = 0;
      m.m_data = bytes;
      return m;
    }
  }
  // WMF, with or without the placeable header.
  size_t headerAt = 0;
  bool placeable = false;
  double left = 0, top = 0, right = 0, bottom = 0, inch = 1440;
  if (first == PlaceableKey) {
    placeable = true;
    r.seek(6);
    left = r.i16();
    top = r.i16();
    right = r.i16();
    bottom = r.i16();
    const int units = r.u16();
    if (units > 0)
      inch = units;
    headerAt = 22;
  }
  r.seek(headerAt);
  const quint16 type = r.u16(), headerWords = r.u16();
  if ((type != 1 && type != 2) || headerWords != 9)
    invalid(QStringLiteral("bad header"));
  r.seek(headerAt + 10);
  m.m_objectCount = r.u16();
  m.m_recordsAt = headerAt + 18;
  // Walk the records: sizes must hold, and a plain file takes its frame from the window.
  bool haveExt = false, haveOrg = false;
  double orgX = 0, orgY = 0, extX = 0, extY = 0;
  size_t pos = m.m_recordsAt;
  for (;;) {
    r.seek(pos);
    if (r.remaining() < 6) {
      if (r.remaining() == 0)
        break; // some writers leave out the end record
      invalid(QStringLiteral("truncated record"));
    }
    const quint32 words = r.u32();
    const auto function = WmfRecord(r.u16());
    if (words < 3 || qint64(words) * 2 > qint64(r.remaining()) + 6)
      invalid(QStringLiteral("bad record size"));
    if (function == WmfRecord::SetWindowExt && !haveExt && words >= 5) {
      extY = r.i16();
      extX = r.i16();
      haveExt = true;
    } else if (function == WmfRecord::SetWindowOrg && !haveOrg && words >= 5) {
      orgY = r.i16();
      orgX = r.i16();
      haveOrg = true;
    }
    pos += size_t(words) * 2;
    if (function == WmfRecord::Eof)
      break;
  }
  if (placeable) {
    if (right == left || bottom == top)
      invalid(QStringLiteral("empty bounding box"));
    m.m_frame = {left, top, right - left, bottom - top};
    setSize(m.m_width, m.m_height, std::fabs(right - left) * 96 / inch, std::fabs(bottom - top) * 96 / inch);
  } else {
    if (!haveExt || extX == 0 || extY == 0)
      invalid(QStringLiteral("no picture size"));
    m.m_frame = {orgX, orgY, extX, extY};
    setSize(m.m_width, m.m_height, std::fabs(extX), std::fabs(extY));
  }
  m.m_data = bytes;
  return m;
}

Metafile Metafile::load(const QString &path) { return fromBytes(ReadFileBytes(path)); }

void Metafile::draw(Canvas &canvas, const TRect &dest) const {
  if (isNull() || dest.width() == 0 || dest.height() == 0)
    return;
  MetafilePlayer(*this, canvas, dest).play();
}

} // namespace corvana
