#include "colormemo/ColMemo.h"

#include <QAbstractTextDocumentLayout>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace corvana {

TColorMemo::TColorMemo(QWidget *parent) : QPlainTextEdit(parent) {
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  connect(this, &QPlainTextEdit::textChanged, this, &TColorMemo::textChangedEvent);
}

TColorMemo::~TColorMemo() = default;

void TColorMemo::SetColorRules(const TDrawRules &rules) {
  m_rules.Assign(rules);
  viewport()->update();
}

void TColorMemo::SetColorLimMax(int value) { m_colorLimMax = std::max(value, 0); }

void TColorMemo::SetHotSpot(const THotSpot &hotSpot) {
  m_hotSpot.Assign(hotSpot);
  viewport()->update();
}

int TColorMemo::CurrentLine() const { return document()->findBlock(textCursor().selectionStart()).blockNumber(); }

int TColorMemo::CaretColumn() const {
  const int start = textCursor().selectionStart();
  return start - document()->findBlock(start).position();
}

int TColorMemo::TopLine() const { return firstVisibleBlock().blockNumber(); }

bool TColorMemo::ColorsActive() const {
  return isEnabled() && isVisible() && (m_rules.Count() > 0 || m_hotSpot.Active);
}

QColor TColorMemo::DisplayColor(TColor color) const {
  if (color == clWindow)
    return palette().color(QPalette::Base);
  if (color == clWindowText)
    return palette().color(QPalette::Text);
  return ToQColor(color);
}

void TColorMemo::RepaintColors(bool OnlyCurrentLine) {
  if (!ColorsActive())
    return;
  // Drawing happens in the paint that follows: the control repaints the area first, so the
  // colours never pile up on stale text. Only the caret line is dirtied; that paint still scans
  // the whole region, so a range begun above the line keeps its colour.
  if (OnlyCurrentLine) {
    const QTextBlock block = document()->findBlock(textCursor().selectionStart());
    const QRectF r = blockBoundingGeometry(block).translated(contentOffset());
    viewport()->update(QRect(0, int(r.top()), viewport()->width(), int(r.height()) + 1));
  } else {
    viewport()->update();
  }
}

bool TColorMemo::ComputeColors(bool OnlyCurrentLine) {
  if (OnlyCurrentLine)
    return ComputeColors(CurrentLine(), CurrentLine());
  return ComputeColors(TopLine(), document()->blockCount() - 1);
}

template <class F> void TColorMemo::walkBlocks(QTextBlock b, F f) const {
  if (!b.isValid())
    return;
  const QAbstractTextDocumentLayout *layout = document()->documentLayout();
  const QRectF first = blockBoundingGeometry(b).translated(contentOffset());
  qreal top = first.top();
  qint32 pos = b.position();
  for (; b.isValid(); b = b.next()) {
    const QRectF r = layout->blockBoundingRect(b);
    if (!f(b, pos, QRectF(first.left(), top, r.width(), r.height())))
      return;
    top += r.height();
    pos += b.length();
  }
}

bool TColorMemo::ComputeColors(int firstLine, int lastLine) {
  if (!ColorsActive())
    return false;
  const QTextDocument *doc = document();
  firstLine = std::clamp(firstLine, 0, doc->blockCount() - 1);
  lastLine = std::clamp(lastLine, firstLine, doc->blockCount() - 1);

  // The region: KeyMaxHeight - 1 lines above the painted ones, down to the last fully
  // visible row.
  const QTextBlock startBlock = doc->findBlockByNumber(ScanStartLine(firstLine, m_rules));
  const QTextBlock firstBlock = doc->findBlockByNumber(firstLine);
  const int clientBottom = viewport()->height();
  m_regionRows.clear();
  qint32 paintedEnd = 0;
  int line = firstLine;
  walkBlocks(firstBlock, [&](const QTextBlock &b, qint32 pos, const QRectF &r) {
    paintedEnd = pos + b.length() - 1;
    if (b.isVisible()) {
      const QTextLayout *layout = b.layout();
      const int lines = layout ? layout->lineCount() : 0;
      if (lines == 0)
        m_regionRows.push_back({int(r.top()), pos});
      for (int i = 0; i < lines; ++i) {
        const QTextLine row = layout->lineAt(i);
        m_regionRows.push_back({int(r.top() + layout->position().y() + row.y()), pos + row.textStart()});
      }
    }
    // Rows below the client area are cut anyway.
    return ++line <= lastLine && r.top() < clientBottom;
  });
  const qint32 regionStart = startBlock.position();
  const qint32 regionEnd =
      std::max(regionStart, ScanRegionEnd(m_regionRows, fontMetrics().height(), clientBottom, paintedEnd));

  // Only the region's text is copied: the cost of a paint does not depend on the text's size.
  const qint32 length = regionEnd - regionStart;
  QChar *buffer = m_scanner.BeginRegion(regionStart, length);
  qint32 filled = 0;
  for (QTextBlock b = startBlock; b.isValid() && filled < length; b = b.next()) {
    if (b != startBlock)
      buffer[filled++] = QChar(u'\n');
    const QString &text = blockText(b);
    const qint32 n = std::min<qint32>(qint32(text.size()), length - filled);
    std::copy_n(text.constData(), n, buffer + filled);
    filled += n;
  }

  const QTextCursor cursor = textCursor();
  TScanSettings settings;
  settings.AcceptTabs = !tabChangesFocus();
  settings.RedrawAlways = m_redrawAlways;
  settings.CaretLineStart = cursor.block().position();
  if (cursor.hasSelection())
    settings.CaretLineStart = doc->findBlock(cursor.selectionStart()).position();
  settings.SelStart = cursor.selectionStart();
  settings.SelLength = cursor.selectionEnd() - cursor.selectionStart();
  settings.FontColor = FromQColor(palette().color(QPalette::Text));
  settings.BackColor = FromQColor(palette().color(QPalette::Base));
  settings.HotSpot = m_hotSpot;
  settings.ColorLimMax = m_colorLimMax;
  settings.OnDraw = OnDraw;
  m_scanner.Scan(m_rules, settings);
  return true;
}

const QString &TColorMemo::blockText(const QTextBlock &block) {
  // Reading a block's text walks the document's piece tree, which is deep in a big text; the
  // texts of the blocks on screen are kept until the next change.
  if (m_textCacheDocument != document()) {
    m_textCache.clear();
    m_textCacheDocument = document();
    connect(document(), &QTextDocument::contentsChange, this, [this] { m_textCache.clear(); });
  }
  auto it = m_textCache.find(block.fragmentIndex());
  if (it == m_textCache.end()) {
    if (m_textCache.size() >= 1024)
      m_textCache.clear();
    it = m_textCache.emplace(block.fragmentIndex(), block.text()).first;
  }
  return it->second;
}

void TColorMemo::buildVisibleRows(const QRect &area) {
  m_rows.clear();
  const qreal top = area.top();
  const qreal bottom = area.top() + area.height();
  walkBlocks(firstVisibleBlock(), [&](const QTextBlock &b, qint32 pos, const QRectF &r) {
    if (r.top() >= bottom)
      return false;
    const QTextLayout *layout = b.layout();
    if (!b.isVisible() || !layout || r.top() + r.height() <= top)
      return true;
    const QPointF origin = r.topLeft() + layout->position();
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      const qreal rowTop = origin.y() + line.y();
      if (rowTop >= bottom || rowTop + line.height() <= top)
        continue;
      const qint32 start = pos + line.textStart();
      const qint32 end = start + line.textLength();
      // Pieces outside the area's width are never measured, so a very long line costs no
      // more than what is shown of it, and a caret-wide strip no more than a character.
      const qint32 shownStart = std::max(start, pos + line.xToCursor(area.left() - origin.x()) - 1);
      const qint32 shownEnd = std::min(end, pos + line.xToCursor(area.left() + area.width() - origin.x()) + 1);
      m_rows.push_back({start, end, shownStart, shownEnd, line, origin});
    }
    return true;
  });
}

// Draws the runs of one paint over the control's own text.
class TColorMemo::Painter : public TRunSink {
public:
  Painter(TColorMemo &memo, QPainter &painter)
      : m_memo(memo), m_painter(painter), m_back(memo.palette().color(QPalette::Base)),
        m_text(memo.m_scanner.RegionText()), m_textStart(memo.m_scanner.RegionStart()) {
    m_painter.setFont(memo.font());
  }

  void DrawRun(const TKeyDescr &run) override {
    // Runs wholly outside the repainted rows cost nothing, and a key handler is not asked to
    // draw where the paint cannot reach.
    const auto &rows = m_memo.m_rows;
    if (rows.empty() || run.EndPos < rows.front().Start || run.StartPos >= rows.back().End)
      return;
    const QColor color = m_memo.DisplayColor(run.Color);
    const auto first = rowOf(run.StartPos);
    if (!first)
      return drawPieces(run, color, m_back, false);
    const TRow &row = m_memo.m_rows[*first];
    const bool oneRow = run.EndPos < row.End || (run.EndPos == row.End && isBreak(run.EndPos));
    if (oneRow && run.IsKey && m_memo.OnDrawKey) {
      if (run.EndPos < row.ShownStart || run.StartPos >= row.ShownEnd)
        return;
      const QString key = text(run.StartPos, run.EndPos + 1);
      const QFontMetrics metrics(m_memo.font());
      const QPointF topLeft = row.Origin + QPointF(row.Line.cursorToX(run.StartPos - blockStart(row)), row.Line.y());
      const QRect rect(topLeft.toPoint(), QSize(metrics.horizontalAdvance(key), metrics.height()));
      m_painter.save();
      m_painter.setPen(color);
      m_memo.OnDrawKey(&m_painter, key, rect, FromQColor(m_memo.palette().color(QPalette::Text)));
      m_painter.restore();
      return;
    }
    if (run.ZOrder == zoHotSpotMarker)
      return drawPieces(run, color, color, false);
    if (run.ZOrder == zoHotSpotText)
      return drawPieces(run, color, m_back, m_memo.m_hotSpot.Underlined);
    drawPieces(run, color, m_back, false);
  }

private:
  static qint32 blockStart(const TRow &row) { return row.Start - row.Line.textStart(); }
  bool isBreak(qint32 pos) const {
    const qint64 i = qint64(pos) - m_textStart;
    return i >= 0 && i < m_text.size() && m_text[i] == u'\n';
  }
  QString text(qint32 from, qint32 to) const {
    return m_text.mid(from - m_textStart, std::max(0, to - from)).toString();
  }
  std::optional<size_t> rowOf(qint32 pos) const {
    const auto &rows = m_memo.m_rows;
    const auto it =
        std::upper_bound(rows.begin(), rows.end(), pos, [](qint32 p, const TRow &r) { return p < r.Start; });
    if (it == rows.begin())
      return std::nullopt;
    return size_t(it - rows.begin() - 1);
  }

  // Draws a run row by row: the part of each displayed row it covers, never a line break.
  // Rows above or below the viewport are not among the rows and are skipped.
  void drawPieces(const TKeyDescr &run, const QColor &color, const QColor &back, bool underline) {
    const auto &rows = m_memo.m_rows;
    auto it =
        std::upper_bound(rows.begin(), rows.end(), run.StartPos, [](qint32 p, const TRow &r) { return p < r.Start; });
    if (it != rows.begin())
      --it;
    m_painter.setPen(color);
    for (; it != rows.end() && it->Start <= run.EndPos; ++it) {
      const qint32 from = std::max(run.StartPos, it->ShownStart);
      const qint32 to = std::min(run.EndPos + 1, it->ShownEnd);
      if (from < to)
        drawPiece(*it, from, to, back, underline);
    }
  }

  void drawPiece(const TRow &row, qint32 from, qint32 to, const QColor &back, bool underline) {
    const qint32 base = blockStart(row);
    const qreal top = row.Origin.y() + row.Line.y();
    const qreal x1 = row.Origin.x() + row.Line.cursorToX(from - base);
    const qreal x2 = row.Origin.x() + row.Line.cursorToX(to - base);
    m_painter.fillRect(QRectF(x1, top, x2 - x1, row.Line.height()), back);
    // The layout's own glyphs at their own places: nothing is shaped again, tabs keep their
    // stops, and the colour lands exactly on the control's text.
    const QList<QGlyphRun> runs = row.Line.glyphRuns(from - base, to - from);
    for (const QGlyphRun &glyphs : runs)
      m_painter.drawGlyphRun(row.Origin, glyphs);
    if (underline) {
      const QFontMetricsF metrics(m_memo.font());
      const qreal y = top + row.Line.ascent() + metrics.underlinePos();
      m_painter.fillRect(QRectF(x1, y, x2 - x1, std::max<qreal>(1, metrics.lineWidth())), m_painter.pen().color());
    }
  }

  TColorMemo &m_memo;
  QPainter &m_painter;
  QColor m_back;
  QStringView m_text;
  qint32 m_textStart;
};

void TColorMemo::paintEvent(QPaintEvent *event) {
  QPlainTextEdit::paintEvent(event);
  if (!ColorsActive())
    return;
  // Whatever strip the control repaints (a caret blink, a typed line, a selection being
  // dragged), the scan covers the whole region from its top, since a range that colours the
  // strip may begin above it; only the drawing is limited to the strip.
  if (!ComputeColors(false))
    return;
  const QRegion dirty = event->region();
  buildVisibleRows(dirty.boundingRect());
  if (m_rows.empty())
    return;
  QPainter painter(viewport());
  // The caret stays visible: nothing is drawn over it.
  painter.setClipRegion(hasFocus() ? dirty - QRegion(cursorRect()) : dirty);
  Painter sink(*this, painter);
  m_scanner.Paint(sink);
}

void TColorMemo::scrollContentsBy(int dx, int dy) {
  QPlainTextEdit::scrollContentsBy(dx, dy);
  if (dy != 0 && OnVScroll)
    OnVScroll(this);
  if (dx != 0 && OnHScroll)
    OnHScroll(this);
  RepaintColors(false);
}

void TColorMemo::textChangedEvent() {
  const int lines = document()->blockCount();
  const int length = document()->characterCount() - 1;
  if (m_redrawAlways)
    RepaintColors(false);
  else
    RepaintColors(lines == m_lastLineCount && length == m_lastLength + 1);
  m_lastLineCount = lines;
  m_lastLength = length;
}

void TColorMemo::keyPressEvent(QKeyEvent *event) {
  const int key = event->key();
  const bool navigation = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End ||
                          key == Qt::Key_Home || key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right ||
                          key == Qt::Key_Down;
  const bool plain = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
  if (navigation && plain && textCursor().hasSelection()) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(cursor.selectionEnd());
    setTextCursor(cursor);
    RepaintColors(false);
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TColorMemo::keyReleaseEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Shift && (event->modifiers() & ~Qt::ShiftModifier) == 0)
    RepaintColors(false);
  QPlainTextEdit::keyReleaseEvent(event);
}

void TColorMemo::mousePressEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier)
    RepaintColors(false);
  QPlainTextEdit::mousePressEvent(event);
}

void TColorMemo::mouseReleaseEvent(QMouseEvent *event) {
  const bool left = event->button() == Qt::LeftButton;
  if (left)
    RepaintColors(false);
  QPlainTextEdit::mouseReleaseEvent(event);
  if (left && m_overHotSpot && m_hotSpot.Active) {
    if (const auto text = HotSpotAt(event->position().toPoint()); text && OnHotSpotClick)
      OnHotSpotClick(this, *text);
  }
}

void TColorMemo::mouseMoveEvent(QMouseEvent *event) {
  if (m_hotSpot.Active) {
    m_overHotSpot = HotSpotAt(event->position().toPoint()).has_value();
    viewport()->setCursor(m_overHotSpot ? Qt::PointingHandCursor : Qt::IBeamCursor);
  }
  QPlainTextEdit::mouseMoveEvent(event);
}

std::optional<int> TColorMemo::characterAt(const QPoint &pos) const {
  const QTextCursor cursor = cursorForPosition(pos);
  int p = cursor.position();
  const QTextBlock block = cursor.block();
  // cursorForPosition gives the nearest gap between characters; the character under the
  // pointer is the one before that gap when the pointer lies left of it.
  if (p > block.position()) {
    const QTextLayout *layout = block.layout();
    const QTextLine line = layout->lineForTextPosition(p - block.position());
    const QRectF r = blockBoundingGeometry(block).translated(contentOffset());
    const qreal x = r.left() + layout->position().x() + line.cursorToX(p - block.position());
    if (pos.x() < x)
      --p;
  }
  return p;
}

std::optional<QString> TColorMemo::HotSpotAt(const QPoint &pos) const {
  const auto p = characterAt(pos);
  if (!p)
    return std::nullopt;
  const QTextBlock block = document()->findBlock(*p);
  return HotSpotTextAt(block.text(), *p - block.position(), m_hotSpot.BeginChar, m_hotSpot.EndChar);
}

} // namespace corvana
