#pragma once
// Windows metafiles (placeable and plain WMF, and EMF) kept as their bytes, with the picture
// size they declare and a player that draws their common records on a Canvas. Records the
// player does not know are skipped; drawing goes over the pixels already there.

#include "raster/RasterTypes.h"

#include <QByteArray>
#include <QString>

namespace corvana {

class Canvas;

class Metafile {
public:
  Metafile() = default;
  // Checks the header and that every record lies inside the file; throws corvana::Error.
  static Metafile fromBytes(const QByteArray &bytes);
  static Metafile load(const QString &path);

  bool isNull() const { return m_data.isEmpty(); }
  bool isEnhanced() const { return m_enhanced; }
  // The picture's size in pixels at 96 pixels per inch.
  int width() const { return m_width; }
  int height() const { return m_height; }

  // Plays the records with the picture's frame stretched over `dest`.
  void draw(Canvas &canvas, const TRect &dest) const;
  void draw(Canvas &canvas, int x, int y) const { draw(canvas, {x, y, x + m_width, y + m_height}); }

  // What the player works from; see MetafilePlayer.cpp.
  struct Frame {
    double left = 0, top = 0, width = 1, height = 1;
  };

private:
  QByteArray m_data;
  bool m_enhanced = false;
  int m_width = 0;
  int m_height = 0;
  size_t m_recordsAt = 0; // first record
  int m_objectCount = 0;  // size of the object table the header asks for
  Frame m_frame;          // logical frame (WMF) or reference-device frame (EMF)
  friend class MetafilePlayer;
};

} // namespace corvana
