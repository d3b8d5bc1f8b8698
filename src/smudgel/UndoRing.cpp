#include "smudgel/UndoRing.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_set>

namespace corvana::smudgel {

namespace {
constexpr int TS = UndoRing::TileSize;
constexpr quint32 WhiteWord = Bitmap::toStored(clWhite);
} // namespace

struct UndoRing::Tile {
  std::array<quint32, TS * TS> px;
};

namespace {

using Tile = UndoRing::Tile;

// Whether the tile holds the image's pixels of its cell and white beyond the image.
bool TileMatches(const Tile &tile, const Bitmap &image, int tx, int ty) {
  const int x0 = tx * TS, y0 = ty * TS;
  const int n = std::clamp(image.width() - x0, 0, TS);
  for (int y = 0; y < TS; ++y) {
    const quint32 *row = tile.px.data() + y * TS;
    const int iy = y0 + y;
    int from = 0;
    if (iy < image.height() && n > 0) {
      if (std::memcmp(row, image.scanLine(iy) + x0, size_t(n) * 4) != 0)
        return false;
      from = n;
    }
    for (int x = from; x < TS; ++x)
      if (row[x] != WhiteWord)
        return false;
  }
  return true;
}

void WriteTile(const Tile &tile, Bitmap &image, int tx, int ty) {
  const int x0 = tx * TS, y0 = ty * TS;
  const int n = std::min(TS, image.width() - x0), rows = std::min(TS, image.height() - y0);
  if (n <= 0 || rows <= 0)
    return;
  for (int y = 0; y < rows; ++y) {
    std::memcpy(image.scanLine(y0 + y) + x0, tile.px.data() + y * TS, size_t(n) * 4);
    image.snapSpan(y0 + y, x0, x0 + n);
  }
}

bool AllWhite(const Tile &tile) {
  return std::all_of(tile.px.begin(), tile.px.end(), [](quint32 w) { return w == WhiteWord; });
}

int TilesFor(int pixels) { return (pixels + TS - 1) / TS; }

} // namespace

UndoRing::UndoRing(int blankWidth, int blankHeight) {
  auto white = std::make_shared<Tile>();
  white->px.fill(WhiteWord);
  m_white = std::move(white);
  Grid blank;
  blank.width = blankWidth;
  blank.height = blankHeight;
  for (int ty = 0; ty < TilesFor(blankHeight); ++ty)
    blank.rows.push_back(std::make_shared<Row>(size_t(TilesFor(blankWidth)), m_white));
  m_slots.fill(blank);
}

UndoRing::~UndoRing() = default;

UndoRing::TilePtr UndoRing::tileFrom(const Bitmap &image, int tx, int ty) const {
  auto tile = std::make_shared<Tile>();
  tile->px.fill(WhiteWord);
  const int x0 = tx * TS, y0 = ty * TS;
  const int n = std::min(TS, image.width() - x0), rows = std::min(TS, image.height() - y0);
  for (int y = 0; y < rows && n > 0; ++y)
    std::memcpy(tile->px.data() + y * TS, image.scanLine(y0 + y) + x0, size_t(n) * 4);
  // blank areas share one tile
  if (AllWhite(*tile))
    return m_white;
  return tile;
}

UndoRing::Grid UndoRing::gridOf(const Bitmap &image) const {
  Grid grid;
  grid.width = image.width();
  grid.height = image.height();
  const bool reuse = m_mirror.width > 0;
  for (int ty = 0; ty < TilesFor(grid.height); ++ty) {
    auto row = std::make_shared<Row>(size_t(TilesFor(grid.width)));
    for (int tx = 0; tx < int(row->size()); ++tx) {
      // keep tiles the image still matches, so snapshots go on sharing them
      if (reuse && ty < int(m_mirror.rows.size()) && tx < m_mirror.columns()) {
        const TilePtr &old = (*m_mirror.rows[size_t(ty)])[size_t(tx)];
        if (TileMatches(*old, image, tx, ty)) {
          (*row)[size_t(tx)] = old;
          continue;
        }
      }
      (*row)[size_t(tx)] = tileFrom(image, tx, ty);
    }
    grid.rows.push_back(std::move(row));
  }
  return grid;
}

void UndoRing::clearDamage() {
  m_dirtyFlags.assign(size_t(m_mirror.columns()) * m_mirror.rows.size(), 0);
  m_allDirty = false;
  m_toggles.clear();
}

void UndoRing::attach(const Bitmap &image) {
  m_mirror = gridOf(image);
  clearDamage();
}

void UndoRing::setTile(Grid &grid, int tx, int ty, TilePtr tile) {
  auto &row = grid.rows[size_t(ty)];
  // a row shared with a snapshot is copied before it changes
  if (row.use_count() > 1)
    row = std::make_shared<Row>(*row);
  (*row)[size_t(tx)] = std::move(tile);
}

void UndoRing::sync(const Bitmap &image) {
  if (image.width() != m_mirror.width || image.height() != m_mirror.height) {
    attach(image);
    return;
  }
  for (const auto &entry : m_toggles)
    mark(m_dirtyFlags, entry.second);
  const int columns = m_mirror.columns();
  for (size_t i = 0; i < m_dirtyFlags.size(); ++i) {
    if (!m_allDirty && !m_dirtyFlags[i])
      continue;
    const int tx = int(i % size_t(columns)), ty = int(i / size_t(columns));
    if (!TileMatches(*(*m_mirror.rows[size_t(ty)])[size_t(tx)], image, tx, ty))
      setTile(m_mirror, tx, ty, tileFrom(image, tx, ty));
  }
  clearDamage();
}

void UndoRing::snapshot(const Bitmap &image) {
  sync(image);
  m_slots[size_t(m_index - 1)] = m_mirror;
  m_index = m_index >= Slots ? 1 : m_index + 1;
}

void UndoRing::undo(Bitmap &image) {
  m_index = m_index <= 1 ? Slots : m_index - 1;
  sync(image);
  const Grid slot = m_slots[size_t(m_index - 1)];
  const bool sameSize = slot.width == image.width() && slot.height == image.height();
  if (!sameSize)
    image.resize(slot.width, slot.height, clWhite);
  std::vector<std::pair<int, int>> written;
  for (int ty = 0; ty < int(slot.rows.size()); ++ty) {
    if (sameSize && slot.rows[size_t(ty)] == m_mirror.rows[size_t(ty)])
      continue;
    for (int tx = 0; tx < slot.columns(); ++tx) {
      const TilePtr &tile = (*slot.rows[size_t(ty)])[size_t(tx)];
      if (sameSize && tile == (*m_mirror.rows[size_t(ty)])[size_t(tx)])
        continue;
      WriteTile(*tile, image, tx, ty);
      written.emplace_back(tx, ty);
    }
  }
  m_mirror = slot;
  clearDamage();
  // a palette image may have snapped what was written
  if (image.hasPalette())
    for (const auto &[tx, ty] : written)
      m_dirtyFlags[size_t(ty) * size_t(m_mirror.columns()) + size_t(tx)] = 1;
}

UndoRing::Grid UndoRing::resized(const Grid &grid, int width, int height) const {
  if (grid.width == width && grid.height == height)
    return grid;
  Grid out;
  out.width = width;
  out.height = height;
  const int keepW = std::min(width, grid.width), keepH = std::min(height, grid.height);
  for (int ty = 0; ty < TilesFor(height); ++ty) {
    auto row = std::make_shared<Row>(size_t(TilesFor(width)), m_white);
    for (int tx = 0; tx < int(row->size()); ++tx) {
      const int x0 = tx * TS, y0 = ty * TS;
      if (x0 >= keepW || y0 >= keepH)
        continue; // all new area: white
      const TilePtr &old = (*grid.rows[size_t(ty)])[size_t(tx)];
      if (x0 + TS <= keepW && y0 + TS <= keepH) {
        (*row)[size_t(tx)] = old;
        continue;
      }
      auto tile = std::make_shared<Tile>();
      tile->px.fill(WhiteWord);
      const int n = std::min(TS, keepW - x0);
      for (int y = 0; y < std::min(TS, keepH - y0); ++y)
        std::memcpy(tile->px.data() + y * TS, old->px.data() + y * TS, size_t(n) * 4);
      (*row)[size_t(tx)] = AllWhite(*tile) ? m_white : TilePtr(std::move(tile));
    }
    out.rows.push_back(std::move(row));
  }
  return out;
}

void UndoRing::resizeSlots(int width, int height, const Bitmap &image) {
  for (Grid &slot : m_slots)
    slot = resized(slot, width, height);
  attach(image);
}

Bitmap UndoRing::slotImage(int slot) const {
  const Grid &grid = m_slots[size_t(std::clamp(slot, 1, Slots) - 1)];
  Bitmap image(grid.width, grid.height);
  for (int ty = 0; ty < int(grid.rows.size()); ++ty)
    for (int tx = 0; tx < grid.columns(); ++tx)
      WriteTile(*(*grid.rows[size_t(ty)])[size_t(tx)], image, tx, ty);
  return image;
}

void UndoRing::markTiles(std::vector<quint8> &flags, qint64 l, qint64 t, qint64 r, qint64 b) const {
  l = std::max<qint64>(l, 0);
  t = std::max<qint64>(t, 0);
  r = std::min<qint64>(r, m_mirror.width);
  b = std::min<qint64>(b, m_mirror.height);
  if (l >= r || t >= b)
    return;
  const size_t columns = size_t(m_mirror.columns());
  for (qint64 ty = t / TS; ty <= (b - 1) / TS; ++ty)
    for (qint64 tx = l / TS; tx <= (r - 1) / TS; ++tx)
      flags[size_t(ty) * columns + size_t(tx)] = 1;
}

void UndoRing::markRect(const TRect &rect) { mark(m_dirtyFlags, {false, rect, {}, {}, 0}); }

void UndoRing::markSegment(TPoint a, TPoint b, int radius) { mark(m_dirtyFlags, {true, {}, a, b, radius}); }

void UndoRing::markRectInto(std::vector<quint8> &flags, const TRect &rect) const {
  markTiles(flags, std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), std::max(rect.left, rect.right),
            std::max(rect.top, rect.bottom));
}

void UndoRing::markAll() { m_allDirty = true; }

void UndoRing::markSegmentInto(std::vector<quint8> &flags, TPoint a, TPoint b, int radius) const {
  // clip to the image grown by the radius, so far-away ends cost nothing
  const double grow = double(radius) + 1;
  double x0 = a.x, y0 = a.y;
  const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  double t0 = 0, t1 = 1;
  const auto clip = [&](double p, double q) {
    if (p == 0)
      return q >= 0;
    const double t = q / p;
    if (p < 0) {
      if (t > t1)
        return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0)
        return false;
      t1 = std::min(t1, t);
    }
    return true;
  };
  if (!clip(-dx, x0 + grow) || !clip(dx, m_mirror.width + grow - x0) || !clip(-dy, y0 + grow) ||
      !clip(dy, m_mirror.height + grow - y0))
    return;
  const double ax = x0 + t0 * dx, ay = y0 + t0 * dy, bx = x0 + t1 * dx, by = y0 + t1 * dy;
  const double length = std::max(std::abs(bx - ax), std::abs(by - ay));
  const int steps = std::max(1, int(std::ceil(length / (TS / 2))));
  for (int i = 0; i < steps; ++i) {
    const double s0 = double(i) / steps, s1 = double(i + 1) / steps;
    const double px = ax + s0 * (bx - ax), py = ay + s0 * (by - ay), qx = ax + s1 * (bx - ax), qy = ay + s1 * (by - ay);
    markTiles(flags, qint64(std::floor(std::min(px, qx) - grow)), qint64(std::floor(std::min(py, qy) - grow)),
              qint64(std::ceil(std::max(px, qx) + grow)) + 1, qint64(std::ceil(std::max(py, qy) + grow)) + 1);
  }
}

void UndoRing::mark(std::vector<quint8> &flags, const Damage &damage) const {
  if (damage.segment)
    markSegmentInto(flags, damage.a, damage.b, damage.radius);
  else
    markRectInto(flags, damage.rect);
}

void UndoRing::toggle(const std::string &key, const Damage &damage) {
  const auto it = m_toggles.find(key);
  if (it != m_toggles.end())
    m_toggles.erase(it);
  else
    m_toggles.emplace(key, damage);
}

QString UndoRing::checkConsistency(const Bitmap &image) const {
  if (m_index < 1 || m_index > Slots)
    return QStringLiteral("undo index %1 out of range").arg(m_index);
  const auto checkGrid = [](const Grid &grid, const QString &name) -> QString {
    if (grid.width <= 0 || grid.height <= 0)
      return name + QStringLiteral(" has no size");
    if (int(grid.rows.size()) != TilesFor(grid.height))
      return name + QStringLiteral(" has %1 rows of tiles").arg(grid.rows.size());
    for (const auto &row : grid.rows) {
      if (!row || int(row->size()) != grid.columns())
        return name + QStringLiteral(" has a row of the wrong length");
      for (const TilePtr &tile : *row)
        if (!tile)
          return name + QStringLiteral(" has a missing tile");
    }
    Bitmap pixels(grid.width, grid.height);
    for (int ty = 0; ty < int(grid.rows.size()); ++ty)
      for (int tx = 0; tx < grid.columns(); ++tx) {
        const Tile &tile = *(*grid.rows[size_t(ty)])[size_t(tx)];
        WriteTile(tile, pixels, tx, ty);
        if (!TileMatches(tile, pixels, tx, ty))
          return name + QStringLiteral(" tile (%1, %2) is not white beyond the image").arg(tx).arg(ty);
      }
    return {};
  };
  for (int i = 0; i < Slots; ++i)
    if (const QString fault = checkGrid(m_slots[size_t(i)], QStringLiteral("slot %1").arg(i + 1)); !fault.isEmpty())
      return fault;
  if (const QString fault = checkGrid(m_mirror, QStringLiteral("mirror")); !fault.isEmpty())
    return fault;
  if (image.width() != m_mirror.width || image.height() != m_mirror.height)
    return QStringLiteral("image %1 x %2 changed size behind the ring (%3 x %4)")
        .arg(image.width())
        .arg(image.height())
        .arg(m_mirror.width)
        .arg(m_mirror.height);
  if (m_allDirty)
    return {};
  // tiles under a pending toggle may differ too
  std::vector<quint8> allowed = m_dirtyFlags;
  for (const auto &entry : m_toggles)
    mark(allowed, entry.second);
  const int columns = m_mirror.columns();
  for (size_t i = 0; i < allowed.size(); ++i) {
    const int tx = int(i % size_t(columns)), ty = int(i / size_t(columns));
    if (!allowed[i] && !TileMatches(*(*m_mirror.rows[size_t(ty)])[size_t(tx)], image, tx, ty))
      return QStringLiteral("tile (%1, %2) changed without being reported").arg(tx).arg(ty);
  }
  return {};
}

qint64 UndoRing::memoryBytes() const {
  std::unordered_set<const void *> tiles, rows;
  qint64 bytes = 0;
  const auto add = [&](const Grid &grid) {
    for (const auto &row : grid.rows) {
      if (rows.insert(row.get()).second)
        bytes += qint64(row->size() * sizeof(TilePtr));
      for (const TilePtr &tile : *row)
        if (tiles.insert(tile.get()).second)
          bytes += qint64(sizeof(Tile));
    }
  };
  add(m_mirror);
  for (const Grid &slot : m_slots)
    add(slot);
  return bytes;
}

} // namespace corvana::smudgel
