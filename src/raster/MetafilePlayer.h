#pragma once
// The drawing state machine behind Metafile::draw: the device context (pen, brush, font,
// colours, modes, window and viewport), the object table and the save stack, fed one record
// at a time.

#include "raster/Canvas.h"
#include "raster/Dib.h"
#include "raster/Metafile.h"

#include <vector>

namespace corvana {

class MetafilePlayer {
public:
  MetafilePlayer(const Metafile &metafile, Canvas &canvas, const TRect &dest);
  void play();

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

private:
  void playWmf();
  void playEmf();
  void wmfRecord(quint16 function, ByteReader &r);
  void emfRecord(quint32 type, ByteReader &r, size_t recordStart);

  // Logical to canvas pixels.
  TPoint point(double x, double y) const;
  double scaleX() const;
  double scaleY() const;
  TRect rect(double left, double top, double right, double bottom) const;
  void applyPen();
  void applyBrush();
  void addObject(const Object &object);
  void setObject(quint32 index, const Object &object);
  void select(const Object &object);
  void saveDc();
  void restoreDc(int which);
  void text(double x, double y, const QString &text);
  // `bits` null: they follow the header in `info`.
  void blit(const TRect &dest, const uchar *info, size_t infoSize, const uchar *bits, size_t bitsSize, int srcX,
            int srcY, int srcW, int srcH, bool bottomUpOrigin, quint32 rop);
  void polyPolygon(const std::vector<std::vector<TPoint>> &polygons);
  void poly(int kind, const std::vector<TPoint> &points);
  void patternBlit(const TRect &dest, quint32 rop);
  static Object stockObject(quint32 index);

  const Metafile &m_metafile;
  Canvas &m_canvas;
  TRect m_dest;
  State m_state;
  std::vector<State> m_saved;
  std::vector<Object> m_objects;
  bool m_done = false;
};

} // namespace corvana
