#include "raster/MetafilePlayer.h"

#include "core/Error.h"
#include "raster/MetafileRecords.h"

#include <cmath>

namespace corvana {

namespace {

constexpr size_t MaxSavedStates = 1024;
constexpr size_t MaxObjects = 65536;

} // namespace

MetafilePlayer::MetafilePlayer(const Metafile &metafile, Canvas &canvas, const TRect &dest)
    : m_metafile(metafile), m_canvas(canvas), m_dest(dest) {
  m_state.pen = {Object::PenObj, 0, 0, clBlack};
  m_state.brush = {Object::BrushObj, gdi::BS_SOLID, 0, clWhite};
  m_state.font = {Object::FontObj, 0, 0, clBlack};
  m_state.font.face = QStringLiteral("Arial");
  m_state.font.width = 12;
  if (!metafile.isEnhanced()) {
    const Metafile::Frame &f = metafile.m_frame;
    m_state.winOrgX = f.left;
    m_state.winOrgY = f.top;
    m_state.winExtX = f.width;
    m_state.winExtY = f.height;
    m_state.mapMode = gdi::MM_ANISOTROPIC;
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
      PlayEmfRecords(*this, m_metafile.m_data);
    else
      PlayWmfRecords(*this, m_metafile.m_data, m_metafile.m_recordsAt);
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

// ---- window and viewport

void MetafilePlayer::setWindowOrg(LogicalPoint origin) {
  m_state.winOrgX = origin.x;
  m_state.winOrgY = origin.y;
}

void MetafilePlayer::setWindowExt(LogicalPoint extent) {
  if (extent.x != 0 && extent.y != 0) {
    m_state.winExtX = extent.x;
    m_state.winExtY = extent.y;
  }
}

void MetafilePlayer::setViewportOrg(LogicalPoint origin) {
  m_state.vpOrgX = origin.x;
  m_state.vpOrgY = origin.y;
}

void MetafilePlayer::setViewportExt(LogicalPoint extent) {
  if (extent.x != 0 && extent.y != 0) {
    m_state.vpExtX = extent.x;
    m_state.vpExtY = extent.y;
  }
}

// ---- coordinates

int MetafilePlayer::clampCoord(double v) {
  if (!(v == v))
    return 0;
  return int(std::clamp(std::lround(std::clamp(v, -1e9, 1e9)), -(1L << 30), 1L << 30));
}

// A WMF window always maps onto the whole picture; an EMF window maps onto the viewport in the
// two scaling map modes, and every other mode draws in reference-device pixels.
double MetafilePlayer::scaleX() const {
  const State &s = m_state;
  const double ext = s.winExtX == 0 ? 1 : s.winExtX;
  if (!m_metafile.isEnhanced())
    return m_dest.width() / ext;
  const bool scaling = s.mapMode == gdi::MM_ANISOTROPIC || s.mapMode == gdi::MM_ISOTROPIC;
  const double k = scaling ? s.vpExtX / ext : 1.0;
  return k * m_dest.width() / m_metafile.m_frame.width;
}

double MetafilePlayer::scaleY() const {
  const State &s = m_state;
  const double ext = s.winExtY == 0 ? 1 : s.winExtY;
  if (!m_metafile.isEnhanced())
    return m_dest.height() / ext;
  const bool scaling = s.mapMode == gdi::MM_ANISOTROPIC || s.mapMode == gdi::MM_ISOTROPIC;
  const double k = scaling ? s.vpExtY / ext : 1.0;
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

TRect MetafilePlayer::rect(const LogicalRect &box) const {
  const TPoint a = point(box.left, box.top), b = point(box.right, box.bottom);
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// ---- the point reader

LogicalPoint MetafilePlayer::readPoints(ByteReader &r, qint64 count, Coord coord, std::vector<TPoint> &out) const {
  count = std::max<qint64>(count, 0);
  if (count > MaxPolyPoints)
    throw Error(QStringLiteral("Invalid metafile: too many points"));
  const bool small = coord == Coord::Short;
  r.need(size_t(count) * (small ? 4 : 8));
  out.reserve(out.size() + size_t(count));
  LogicalPoint last;
  for (qint64 i = 0; i < count; ++i) {
    last.x = small ? r.i16() : r.i32();
    last.y = small ? r.i16() : r.i32();
    out.push_back(point(last));
  }
  return last;
}

std::vector<TPoint> MetafilePlayer::readPoints(ByteReader &r, qint64 count, Coord coord) const {
  std::vector<TPoint> out;
  readPoints(r, count, coord, out);
  return out;
}

// ---- the object table and the save stack

// Kept without a search of the table: files of a few hundred kilobytes of object records once
// took seconds to play.
void MetafilePlayer::addObject(const Object &object) {
  if (!m_freed.empty()) {
    m_objects[*m_freed.begin()] = object;
    m_freed.erase(m_freed.begin());
  } else if (m_unused < m_objects.size()) {
    m_objects[m_unused++] = object;
  } else if (m_objects.size() < MaxObjects) {
    m_objects.push_back(object);
    m_unused = m_objects.size();
  }
}

void MetafilePlayer::setObject(quint32 index, const Object &object) {
  if (index == 0 || index >= MaxObjects)
    return;
  if (index >= m_objects.size())
    m_objects.resize(index + 1);
  m_objects[index] = object;
}

void MetafilePlayer::selectObject(quint32 index) {
  if (index < m_objects.size())
    select(m_objects[index]);
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

void MetafilePlayer::deleteObject(quint32 index) {
  if (index >= m_objects.size())
    return;
  if (index < m_unused && m_objects[index].kind != Object::None)
    m_freed.insert(index);
  m_objects[index] = Object{};
}

void MetafilePlayer::saveDc() {
  if (m_saved.size() < MaxSavedStates)
    m_saved.push_back(m_state);
}

void MetafilePlayer::restoreDc(int which) {
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

} // namespace corvana
