#pragma once
// The paint window's own controls: the image control, the colour list, the colour swatch and
// the pattern list. Each only shows and reports; the window decides what a click does.

#include "raster/Bitmap.h"
#include "raster/GdiObjects.h"

#include <QListWidget>
#include <QWidget>
#include <functional>

namespace corvana::smudgel {

// `mypaint`: the bitmap unscaled at the top left, sized like it, with mouse events in image
// pixels. Only the rectangles the window reports as changed are painted again.
class PaintView : public QWidget {
  Q_OBJECT

public:
  PaintView(const Bitmap &bitmap, QWidget *parent);
  // Shows the pixels of `rect` again, following the bitmap's size when it changed.
  void imageChanged(const TRect &rect);

  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> onPress;
  std::function<void(Qt::KeyboardModifiers, int x, int y)> onMove;
  std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> onRelease;

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  const Bitmap &m_bitmap;
};

// `LineColor`: colour swatches, one per entry. A left click or keyboard choice reports
// `chosen`; a right-button release over an entry selects it and reports `rightReleased`.
class ColorListBox : public QListWidget {
  Q_OBJECT

public:
  ColorListBox(int itemHeight, QWidget *parent);
  // The colour an entry shows (its text names it).
  void addColor(const QString &text, TColor color);
  TColor colorAt(int row) const;

signals:
  void chosen(int row);
  void rightReleased(int row);

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  QList<TColor> m_colors;
};

// `shapeflag`: the line colour as a two-pixel outline round the fill colour, in the brush
// style. A press records Shift; the release reports it.
class ColorSwatch : public QWidget {
  Q_OBJECT

public:
  explicit ColorSwatch(QWidget *parent);
  void setColors(TColor line, TColor fill, BrushStyle style);
  TColor lineColor() const { return m_line; }
  TColor fillColor() const { return m_fill; }
  BrushStyle brushStyle() const { return m_style; }

signals:
  void released(bool shift);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  TColor m_line = 0;
  TColor m_fill = 0xFFFFFF;
  BrushStyle m_style = BrushStyle::Solid;
  bool m_shift = false;
};

// `PatList`: entries "0" to "15", each drawn as its tile stretched over the entry.
class PatternListBox : public QListWidget {
  Q_OBJECT

public:
  PatternListBox(int itemHeight, QWidget *parent);
  // What entry i shows; the list asks again whenever it paints.
  std::function<Bitmap(int row)> tileOf;
};

} // namespace corvana::smudgel
