#pragma once
// The five undo snapshots of the paint window, kept cheap: every snapshot is a grid of shared,
// immutable 32 x 32 tiles in rows that are themselves shared, so taking one copies a row of
// pointers and only tiles that really changed since the last snapshot get new pixels.
//
// The ring keeps a tiled copy of the image ("mirror") next to it. Drawing code reports what it
// may have touched (markRect, markSegment, markAll); figures drawn with a self-inverse pen mode
// are reported through toggle(), so that a rubber band drawn and erased again costs nothing.
// A snapshot first brings the reported tiles of the mirror up to date, then shares the mirror.

#include "raster/Bitmap.h"

#include <QString>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace corvana::smudgel {

class UndoRing {
public:
  static constexpr int Slots = 5;
  static constexpr int TileSize = 32;

  // What one drawing call may touch: a rectangle, or a segment with a radius round it.
  struct Damage {
    bool segment = false;
    TRect rect;
    TPoint a, b;
    int radius = 0;
  };

  // Five blank (white) snapshots of `blankWidth` x `blankHeight`, slot 1 next.
  UndoRing(int blankWidth = 250, int blankHeight = 250);
  ~UndoRing();
  UndoRing(const UndoRing &) = delete;
  UndoRing &operator=(const UndoRing &) = delete;

  // 1..5: the slot the next snapshot fills.
  int undoIndex() const { return m_index; }

  // Starts following `image` (after it was replaced behind the ring's back).
  void attach(const Bitmap &image);
  // Copies the image into slot undoIndex and moves the index on, wrapping after 5.
  void snapshot(const Bitmap &image);
  // Moves the index back, wrapping below 1, and copies that slot (pixels and size) into image.
  void undo(Bitmap &image);
  // Crops or extends (with white) every slot to width x height, then follows `image`.
  void resizeSlots(int width, int height, const Bitmap &image);

  // The contents of slot 1..5 as a bitmap.
  Bitmap slotImage(int slot) const;

  void markRect(const TRect &rect);
  void markSegment(TPoint a, TPoint b, int radius);
  void markAll();
  // A call with a self-inverse effect: the same key twice cancels out.
  void toggle(const std::string &key, const Damage &damage);

  // Tiles of the mirror that differ from the image although nothing reported them, snapshots
  // of a wrong shape, an index out of range: the first fault found, or empty.
  QString checkConsistency(const Bitmap &image) const;
  bool isConsistent(const Bitmap &image) const { return checkConsistency(image).isEmpty(); }

  // Bytes of pixel tiles held by the mirror and the five slots together (shared tiles once).
  qint64 memoryBytes() const;

  struct Tile;
  using TilePtr = std::shared_ptr<const Tile>;
  using Row = std::vector<TilePtr>;
  struct Grid {
    int width = 0;
    int height = 0;
    std::vector<std::shared_ptr<Row>> rows;
    int columns() const { return (width + TileSize - 1) / TileSize; }
  };

private:
  void sync(const Bitmap &image);
  void markTiles(std::vector<quint8> &flags, qint64 l, qint64 t, qint64 r, qint64 b) const;
  void markRectInto(std::vector<quint8> &flags, const TRect &rect) const;
  void markSegmentInto(std::vector<quint8> &flags, TPoint a, TPoint b, int radius) const;
  void mark(std::vector<quint8> &flags, const Damage &damage) const;
  void setTile(Grid &grid, int tx, int ty, TilePtr tile);
  Grid gridOf(const Bitmap &image) const;
  Grid resized(const Grid &grid, int width, int height) const;
  TilePtr tileFrom(const Bitmap &image, int tx, int ty) const;
  void clearDamage();

  std::array<Grid, Slots> m_slots;
  int m_index = 1;
  Grid m_mirror;
  TilePtr m_white;
  std::vector<quint8> m_dirtyFlags;
  std::vector<int> m_dirty;
  bool m_allDirty = false;
  std::unordered_map<std::string, Damage> m_toggles;
};

} // namespace corvana::smudgel
