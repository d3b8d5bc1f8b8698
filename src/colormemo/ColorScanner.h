#pragma once
// The colour memo's engine: scans the text of the region a paint covers, collects the coloured
// ranges of the hot spots, tabs, caret-line blanking, rules and selection, and resolves their
// overlaps by priority into runs of equal colour. It knows nothing of widgets: the memo fills
// the region buffer and hands each run to a TRunSink that draws it; tests use a recording sink.

#include "colormemo/ColorRules.h"

#include <QStringView>
#include <functional>
#include <optional>
#include <vector>

namespace corvana {

// Reserved priorities of the memo's own ranges.
enum : quint8 { zoCaretBlank = 0, zoHotSpotText = 252, zoHotSpotMarker = 253, zoSelection = 254, zoTab = 255 };

// Supplies the ranges of dtEventDraw rules: fills A[0 .. ItemsCount-1] with offsets from
// FromPos (the region's first character; the region is zero-terminated) and sets ItemsCount.
using TDrawEvent = std::function<void(TColorRule *Sender, const QChar *FromPos, TKeyDescr *A, int &ItemsCount)>;

class TRunSink {
public:
  virtual ~TRunSink() = default;
  virtual void DrawRun(const TKeyDescr &run) = 0;
};

// The first line to scan: KeyMaxHeight of the first rule - 1 lines above the first painted one.
int ScanStartLine(int firstPaintedLine, const TDrawRules &rules);

// One displayed row of a painted line: its pixel top and its first character.
struct TLineRow {
  int Top = 0;
  qint32 Start = 0;
};

// Where the scanned region ends: at the first character of the first row (of the painted
// lines, in order) that the client area's bottom cuts, else at paintedEnd (after the last
// character of the last painted line). A cut row is not recoloured.
qint32 ScanRegionEnd(const std::vector<TLineRow> &rows, int charHeight, int clientBottom, qint32 paintedEnd);

// The hot-spot text at a character of a line (column 0-based), or nothing when the character
// is on no hot spot: the line's text before the character back to the last BeginChar, then the
// text from the character up to the next EndChar.
std::optional<QString> HotSpotTextAt(const QString &lineText, int column, QChar beginChar, QChar endChar);

struct TScanSettings {
  bool AcceptTabs = true;
  bool RedrawAlways = false;
  qint32 CaretLineStart = 0;
  qint32 SelStart = 0;
  qint32 SelLength = 0;
  TColor FontColor = clWindowText;
  TColor BackColor = clWindow;
  THotSpot HotSpot;
  int ColorLimMax = 0; // size of the array handed to OnDraw; 0: dtEventDraw colours nothing
  TDrawEvent OnDraw;
};

class TColorScanner {
public:
  TColorScanner();
  TColorScanner(const TColorScanner &) = delete;
  TColorScanner &operator=(const TColorScanner &) = delete;

  // Space for the region's text of `length` characters starting at character index
  // regionStart of the whole text; the caller fills it before Collect. The buffer is reused
  // and only grows.
  QChar *BeginRegion(qint32 regionStart, qint32 length);
  // Convenience: BeginRegion and copy.
  void SetRegion(qint32 regionStart, QStringView text);

  // Step one: the ranges, in the memo's order, clipped to the region.
  void Collect(TDrawRules &rules, const TScanSettings &settings);
  // Step two: overlaps resolved into runs (higher ZOrder wins, later wins on ties); the range
  // list then holds the runs.
  void Resolve();
  void Scan(TDrawRules &rules, const TScanSettings &settings) {
    Collect(rules, settings);
    Resolve();
  }
  void Paint(TRunSink &sink) const;

  // Ranges after Collect, runs after Resolve.
  const TKeyDescrList &Ranges() const { return m_ranges; }
  qint32 RegionStart() const { return m_regionStart; }
  qint32 RegionEnd() const { return m_regionStart + m_length; }
  QStringView RegionText() const { return QStringView(m_buffer.data(), m_length); }
  qint32 LowestStart() const { return m_lowest; }
  qint32 HighestEnd() const { return m_highest; }
  // Capacities, to show that buffers are reused rather than reallocated.
  size_t BufferCapacity() const { return m_buffer.size(); }
  size_t AttrCapacity() const { return m_attrs.size(); }

private:
  struct TCharAttr {
    TColor Color = 0;
    quint8 ZOrder = 0;
    bool IsKey = false;
    bool Covered = false;
  };

  // Adds [start, end] (region offsets), clipped to the region; empty ranges are dropped.
  void add(qint64 start, qint64 end, TColor color, quint8 zorder, bool isKey);
  void scanHotSpots(const THotSpot &hotSpot);
  void scanTabs(TColor backColor);
  void scanRule(TColorRule &rule, const TScanSettings &settings);
  void scanKeywords(const TColorRule &rule);
  void scanDelimited(TColorRule &rule, bool toLineEnd);
  void scanEvents(TColorRule &rule, const TScanSettings &settings);
  const QChar *upperText();

  std::vector<QChar> m_buffer;
  std::vector<QChar> m_upper;
  bool m_upperValid = false;
  qint32 m_regionStart = 0;
  qint32 m_length = 0;
  TKeyDescrList m_ranges;
  std::vector<TCharAttr> m_attrs;
  std::vector<TKeyDescr> m_drawArray;
  qint32 m_lowest = -1;
  qint32 m_highest = -1;
};

} // namespace corvana
