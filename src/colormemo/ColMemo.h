#pragma once
// TColorMemo: a plain multi-line edit that, after the control has drawn its text, paints the
// visible text again in the colours of its rules, hot spots and selection. The scanning and
// resolving live in TColorScanner; this class gathers the region's text and geometry from the
// control, forwards the triggers and draws the runs.

#include "colormemo/ColorRules.h"
#include "colormemo/ColorScanner.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QTextDocument>
#include <QTextLine>
#include <functional>
#include <optional>
#include <unordered_map>

class QPainter;

namespace corvana {

class TColorMemo : public QPlainTextEdit {
  Q_OBJECT

public:
  using TNotifyEvent = std::function<void(QObject *Sender)>;
  using THotSpotClickEvent = std::function<void(QObject *Sender, const QString &SRC)>;
  using TKeyDrawEvent = std::function<void(QPainter *Canvas, const QString &PKey, const QRect &Rect, TColor KColor)>;

  explicit TColorMemo(QWidget *parent = nullptr);
  ~TColorMemo() override;

  TNotifyEvent OnVScroll;
  TNotifyEvent OnHScroll;
  THotSpotClickEvent OnHotSpotClick;
  TDrawEvent OnDraw;
  TKeyDrawEvent OnDrawKey;

  TDrawRules &ColorRules() { return m_rules; }
  void SetColorRules(const TDrawRules &rules);
  int ColorLimMax() const { return m_colorLimMax; }
  void SetColorLimMax(int value);
  bool RedrawAlways() const { return m_redrawAlways; }
  void SetRedrawAlways(bool value) { m_redrawAlways = value; }
  const THotSpot &HotSpot() const { return m_hotSpot; }
  void SetHotSpot(const THotSpot &hotSpot);

  int CurrentLine() const;
  int CaretColumn() const;
  int TopLine() const;

  // Recolours the visible region, or only around the caret line.
  virtual void RepaintColors(bool OnlyCurrentLine);

  // The scan and resolve of a recolouring, without drawing: the runs are left in Scanner().
  // Returns false when the memo does not colour at present (disabled, hidden, nothing to do).
  bool ComputeColors(bool OnlyCurrentLine);
  bool ComputeColors(int firstLine, int lastLine);
  const TColorScanner &Scanner() const { return m_scanner; }
  bool ColorsActive() const;

  // The hot-spot text under a viewport point, if the point is on a hot spot.
  std::optional<QString> HotSpotAt(const QPoint &pos) const;
  // The colour a TColor shows in this control (system colours from its palette).
  QColor DisplayColor(TColor color) const;

protected:
  void paintEvent(QPaintEvent *event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent *event) override;
  void keyReleaseEvent(QKeyEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;

private:
  // A displayed row of the viewport: characters [Start, End) of the whole text.
  struct TRow {
    qint32 Start = 0;
    qint32 End = 0;
    qint32 ShownStart = 0; // the characters inside the viewport's width (long lines)
    qint32 ShownEnd = 0;
    QTextLine Line;
    QPointF Origin; // the row's layout origin in viewport coordinates
  };
  class Painter;

  void textChangedEvent();
  const QString &blockText(const QTextBlock &block);
  // The displayed rows that meet `area`, each cut to the characters inside its width.
  void buildVisibleRows(const QRect &area);
  // Calls f(block, first character, rectangle in viewport coordinates) for the blocks from b
  // on until f returns false; geometry is accumulated as the control's own paint does.
  template <class F> void walkBlocks(QTextBlock b, F f) const;
  std::optional<int> characterAt(const QPoint &pos) const;

  TDrawRules m_rules{this};
  THotSpot m_hotSpot;
  int m_colorLimMax = 0;
  bool m_redrawAlways = false;
  TColorScanner m_scanner;
  std::vector<TLineRow> m_regionRows;
  std::vector<TRow> m_rows;
  std::unordered_map<int, QString> m_textCache;
  QPointer<QTextDocument> m_textCacheDocument;
  int m_lastLineCount = 0;
  int m_lastLength = 0;
  bool m_overHotSpot = false;
};

} // namespace corvana
