#pragma once
// The device context behind Metafile::draw, shared by both formats: pen, brush, font, colours,
// modes, window and viewport, the object table and the save stack, with the point reader and
// the drawing steps their records have in common. WmfPlayer.cpp and EmfPlayer.cpp read the
// records and dispatch them from a table keyed by record type.

#include "raster/Canvas.h"
#include "raster/Dib.h"
#include "raster/Metafile.h"

#include <algorithm>
#include <array>
#include <set>
#include <vector>

namespace corvana {

// A metafile's own coordinates, before the window and viewport map them to pixels.
struct LogicalPoint {
  double x = 0, y = 0;
};
struct LogicalRect {
  double left = 0, top = 0, right = 0, bottom = 0;
  static LogicalRect at(LogicalPoint topLeft, LogicalPoint size) {
    return {topLeft.x, topLeft.y, topLeft.x + size.x, topLeft.y + size.y};
  }
};

class MetafilePlayer {
public:
  MetafilePlayer(const Metafile &metafile, Canvas &canvas, const TRect &dest);
  MetafilePlayer(const MetafilePlayer &) = delete;
  MetafilePlayer &operator=(const MetafilePlayer &) = delete;
  // Plays every record; the canvas's pen, brush, font, copy mode and pen position are put
  // back afterwards, also when a record raises corvana::Error.
  void play();

  static constexpr quint32 MaxPolyPoints = 1 << 22;

  struct Object {
    enum Kind { None, PenObj, BrushObj, FontObj, Other } kind = None;
    int style = 0;
    double width = 0; // pen width or font height, logical units
    TColor color = clBlack;
    int hatch = 0;
    int weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    QString face;
  };

  struct State {
    Object pen, brush, font;
    TColor textColor = clBlack;
    TColor bkColor = clWhite;
    int bkMode = 2; // opaque
    int textAlign = 0;
    int rop2 = 13; // copy
    int mapMode = 1;
    double winOrgX = 0, winOrgY = 0, winExtX = 1, winExtY = 1;
    double vpOrgX = 0, vpOrgY = 0, vpExtX = 1, vpExtY = 1;
    double posX = 0, posY = 0; // logical
  };

  State &state() { return m_state; }

  // ---- window and viewport; a zero extent is ignored
  void setWindowOrg(LogicalPoint origin);
  void setWindowExt(LogicalPoint extent);
  void setViewportOrg(LogicalPoint origin);
  void setViewportExt(LogicalPoint extent);

  // ---- logical units to canvas pixels
  TPoint point(double x, double y) const;
  TPoint point(LogicalPoint p) const { return point(p.x, p.y); }
  TRect rect(const LogicalRect &box) const;
  double scaleX() const;
  double scaleY() const;

  // The width of one coordinate in a record's point list.
  enum class Coord { Short, Long };
  // Reads `count` (x, y) pairs and appends them to `out` in pixels; returns the last one in
  // logical units. A negative count reads none; more than MaxPolyPoints, or more than the
  // record holds, raises corvana::Error.
  LogicalPoint readPoints(ByteReader &r, qint64 count, Coord coord, std::vector<TPoint> &out) const;
  std::vector<TPoint> readPoints(ByteReader &r, qint64 count, Coord coord) const;

  // ---- the object table and the save stack
  void addObject(const Object &object);                // WMF: the lowest free slot
  void setObject(quint32 index, const Object &object); // EMF: a numbered slot (0 is the file's own)
  void selectObject(quint32 index);                    // slots outside the table are ignored
  void select(const Object &object);
  void deleteObject(quint32 index);
  void saveDc();
  // Negative: that many levels back; positive: the state saved at that depth.
  void restoreDc(int which);

  // ---- drawing, shared by both formats
  enum class Shape { Polyline, Polygon, Bezier };
  enum class Figure { Rectangle, Ellipse, RoundRect, Arc, Chord, Pie };
  void moveTo(LogicalPoint to);
  // From the current position, end point excluded, with the pen and its mode.
  void lineTo(LogicalPoint to);
  void poly(Shape shape, const std::vector<TPoint> &points);
  // One even-odd fill over all rings, each ring outlined on its own.
  void polyPolygon(const std::vector<std::vector<TPoint>> &rings);
  // Outlined with the pen, filled with the brush. `a` and `b` are the radials' points of Arc,
  // Chord and Pie; `a` is the corner ellipse's width and height of RoundRect.
  void figure(Figure figure, const LogicalRect &box, LogicalPoint a = {}, LogicalPoint b = {});
  void setPixel(LogicalPoint at, TColor color);
  void text(LogicalPoint at, const QString &text);

  // A packed DIB inside a record; `bits` null: they follow the header in `info`.
  struct Dib {
    const uchar *info = nullptr;
    size_t infoSize = 0;
    const uchar *bits = nullptr;
    size_t bitsSize = 0;
  };
  // The part of the picture a blit copies; negative sizes flip it. `fromBottom`: rows of a
  // bottom-up picture count from its bottom line.
  struct Source {
    int x = 0, y = 0, width = 0, height = 0;
    bool fromBottom = false;
  };
  void blit(const TRect &dest, const Dib &dib, const Source &source, quint32 rop);
  // A blit without a bitmap: the brush through the raster operation.
  void patternBlit(const TRect &dest, quint32 rop);

private:
  void applyPen();
  void applyBrush();
  // NaN counts as 0; anything else is held within +-2^30.
  static int clampCoord(double v);

  const Metafile &m_metafile;
  Canvas &m_canvas;
  TRect m_dest;
  State m_state;
  std::vector<State> m_saved;
  std::vector<Object> m_objects;
  // For addObject: slots below m_unused are taken unless DeleteObject freed them.
  std::set<size_t> m_freed;
  size_t m_unused = 0;
};

inline TColor ColorRef(quint32 value) { return value & 0xFFFFFF; }

// Each format's records, played in file order (WmfPlayer.cpp, EmfPlayer.cpp).
void PlayWmfRecords(MetafilePlayer &player, const QByteArray &data, size_t recordsAt);
void PlayEmfRecords(MetafilePlayer &player, const QByteArray &data);

// One row of a format's dispatch table.
template <typename Record, typename Handler> struct RecordRow {
  Record type;
  Handler handler;
};

// Handlers keyed by record type. Rows are written grouped by family; the table keeps them
// sorted by type and finds a record's handler by binary search (null: the record is skipped).
template <typename Record, typename Handler, size_t N> class RecordTable {
public:
  using Row = RecordRow<Record, Handler>;
  constexpr explicit RecordTable(const RecordRow<Record, Handler> (&rows)[N]) {
    std::copy(rows, rows + N, m_rows.begin());
    std::ranges::sort(m_rows, {}, &Row::type);
  }
  constexpr bool hasDuplicates() const { return std::ranges::adjacent_find(m_rows, {}, &Row::type) != m_rows.end(); }
  constexpr Handler find(Record type) const {
    const auto it = std::ranges::lower_bound(m_rows, type, {}, &Row::type);
    return it != m_rows.end() && it->type == type ? it->handler : nullptr;
  }

private:
  std::array<Row, N> m_rows{};
};

} // namespace corvana
