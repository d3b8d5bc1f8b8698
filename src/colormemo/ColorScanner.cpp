#include "colormemo/ColorScanner.h"

#include <algorithm>
#include <array>

namespace corvana {

namespace {

constexpr qint32 kInitialBuffer = 2048;

// Letters for the whole-word test: "@", "A" to "Z" and "a" to "z"; digits and "_" are not.
bool isWordLetter(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 64 && u <= 90) || (u >= 97 && u <= 122);
}

} // namespace

int ScanStartLine(int firstPaintedLine, const TDrawRules &rules) {
  const qint64 above = rules.Count() > 0 ? std::max(rules[0]->KeyMaxHeight, 1) - 1 : 0;
  return int(std::max<qint64>(0, qint64(firstPaintedLine) - above));
}

qint32 ScanRegionEnd(const std::vector<TLineRow> &rows, int charHeight, int clientBottom, qint32 paintedEnd) {
  for (const TLineRow &row : rows)
    if (qint64(row.Top) + charHeight > clientBottom)
      return row.Start;
  return paintedEnd;
}

std::optional<QString> HotSpotTextAt(const QString &lineText, int column, QChar beginChar, QChar endChar) {
  column = std::clamp(column, 0, int(lineText.size()));
  const QStringView before = QStringView(lineText).left(column);
  const QStringView rest = QStringView(lineText).mid(column);
  const qsizetype e = rest.indexOf(endChar) + 1; // 1-based, 0 when absent
  const qsizetype b = rest.indexOf(beginChar) + 1;
  if (e == 0 || (b > 0 && b <= e && beginChar != endChar))
    return std::nullopt;
  QString text = before.mid(before.lastIndexOf(beginChar) + 1).toString();
  text += rest.left(e - 1);
  return text;
}

TColorScanner::TColorScanner() : m_buffer(size_t(kInitialBuffer)) {}

QChar *TColorScanner::BeginRegion(qint32 regionStart, qint32 length) {
  length = std::max(length, 0);
  if (qint64(length) >= qint64(m_buffer.size()) - 2)
    m_buffer.resize(size_t(length) + 1024);
  m_regionStart = regionStart;
  m_length = length;
  m_buffer[size_t(length)] = QChar(0);
  m_upperValid = false;
  return m_buffer.data();
}

void TColorScanner::SetRegion(qint32 regionStart, QStringView text) {
  QChar *buffer = BeginRegion(regionStart, qint32(text.size()));
  std::copy(text.begin(), text.end(), buffer);
}

const QChar *TColorScanner::upperText() {
  if (!m_upperValid) {
    if (m_upper.size() < m_buffer.size())
      m_upper.resize(m_buffer.size());
    for (qint32 i = 0; i <= m_length; ++i) {
      const QChar c = m_buffer[size_t(i)];
      m_upper[size_t(i)] = c >= u'a' && c <= u'z' ? QChar(c.unicode() - 32) : c;
    }
    m_upperValid = true;
  }
  return m_upper.data();
}

void TColorScanner::add(qint64 start, qint64 end, TColor color, quint8 zorder, bool isKey) {
  // No range reaches outside the scanned region, whatever its source says.
  start = std::max<qint64>(start, 0);
  end = std::min<qint64>(end, qint64(m_length) - 1);
  if (start > end)
    return;
  TKeyDescr record;
  record.StartPos = qint32(m_regionStart + start);
  record.EndPos = qint32(m_regionStart + end);
  record.Color = color;
  record.ZOrder = zorder;
  record.IsKey = isKey;
  m_ranges.Add(record);
  if (m_lowest < 0 || record.StartPos < m_lowest)
    m_lowest = record.StartPos;
  if (record.EndPos > m_highest)
    m_highest = record.EndPos;
}

void TColorScanner::Collect(TDrawRules &rules, const TScanSettings &settings) {
  m_ranges.Clear();
  m_lowest = m_highest = -1;
  rules.Prepare();
  if (settings.HotSpot.Active && settings.HotSpot.BeginChar != QChar(0))
    scanHotSpots(settings.HotSpot);
  if (settings.AcceptTabs)
    scanTabs(settings.BackColor);
  if (settings.RedrawAlways)
    add(qint64(settings.CaretLineStart) - m_regionStart, qint64(settings.SelStart) - m_regionStart, settings.FontColor,
        zoCaretBlank, false);
  for (int i = 0; i < rules.Count(); ++i)
    if (rules[i]->Enabled)
      scanRule(*rules[i], settings);
  if (settings.SelLength > 0) {
    const qint64 start = qint64(settings.SelStart) - m_regionStart;
    add(start, start + settings.SelLength - 1, clRed, zoSelection, false);
  }
  m_ranges.MarkEnd();
}

void TColorScanner::scanHotSpots(const THotSpot &hotSpot) {
  const QStringView text = RegionText();
  qsizetype from = 0;
  while (from < text.size()) {
    const qsizetype p = text.indexOf(hotSpot.BeginChar, from);
    if (p < 0)
      return;
    const qsizetype q = text.indexOf(hotSpot.EndChar, p + 1);
    if (q < 0)
      return; // an unterminated marker opens nothing
    add(p, p, hotSpot.MarkerColor, zoHotSpotMarker, false);
    add(p + 1, q - 1, hotSpot.Color, zoHotSpotText, false);
    add(q, q, hotSpot.MarkerColor, zoHotSpotMarker, false);
    from = q + 1;
  }
}

void TColorScanner::scanTabs(TColor backColor) {
  const QChar *text = m_buffer.data();
  for (qint32 i = 0; i < m_length; ++i)
    if (text[i] == u'\t')
      add(i, i, backColor, zoTab, false);
}

void TColorScanner::scanRule(TColorRule &rule, const TScanSettings &settings) {
  switch (rule.KeyDrawingType) {
  case dtKeyShow:
    scanKeywords(rule);
    break;
  case dtBeginEnd:
    scanDelimited(rule, false);
    break;
  case dtBeginLineEnd:
    scanDelimited(rule, true);
    break;
  case dtEventDraw:
    scanEvents(rule, settings);
    break;
  }
}

void TColorScanner::scanKeywords(const TColorRule &rule) {
  const QString &search = rule.KeySearchText();
  if (search.trimmed().size() < 3)
    return;
  const QChar *text = rule.KeyCase ? m_buffer.data() : upperText();
  const QStringView hay(text, m_length);
  for (const TKeywordRef &ref : rule.KeywordRefs()) {
    const QStringView keyword(search.constData() + ref.Offset, ref.Length);
    const TColor color = rule.KeyColor(ref.ColorIndex);
    qsizetype from = 0;
    for (qsizetype p; (p = hay.indexOf(keyword, from)) >= 0; from = p + keyword.size()) {
      const qsizetype end = p + keyword.size();
      const bool touched = (p > 0 && isWordLetter(text[p - 1])) || (end < m_length && isWordLetter(text[end]));
      if (rule.PartWord || !touched)
        add(p, end - 1, color, rule.ZOrder, true);
    }
  }
}

void TColorScanner::scanDelimited(TColorRule &rule, bool toLineEnd) {
  auto *table = rule.Delims();
  if (!table)
    return;
  int count = 0;
  while (count < TColorRule::MaxDelims && !(*table)[size_t(count)].BeginText.isEmpty())
    ++count;
  for (int i = 0; i < count; ++i)
    (*table)[size_t(i)].FoundAt = -1;
  // A delimiter not found from some position is not found from any later one either: each
  // entry is searched forward at most once per position it falls behind, never from scratch.
  std::array<bool, TColorRule::MaxDelims> exhausted{};
  const QStringView text = RegionText();
  qsizetype pos = 0;
  while (pos < text.size()) {
    int best = -1;
    for (int i = 0; i < count; ++i) {
      TDelimEntry &entry = (*table)[size_t(i)];
      if (exhausted[size_t(i)])
        continue;
      if (entry.FoundAt < pos) {
        entry.FoundAt = qint32(text.indexOf(entry.BeginText, pos));
        if (entry.FoundAt < 0) {
          exhausted[size_t(i)] = true;
          continue;
        }
      }
      if (best < 0 || entry.FoundAt < (*table)[size_t(best)].FoundAt)
        best = i;
    }
    if (best < 0)
      return;
    const TDelimEntry &entry = (*table)[size_t(best)];
    const qsizetype b = entry.FoundAt;
    if (toLineEnd) {
      const qsizetype lineBreak = text.indexOf(u'\n', b);
      if (lineBreak < 0) {
        add(b, text.size() - 1, entry.Color, rule.ZOrder, false);
        return;
      }
      add(b, lineBreak - 1, entry.Color, rule.ZOrder, false);
      pos = lineBreak + 1;
    } else {
      // The end is searched from one character after the begin, so "/*/" closes itself.
      const qsizetype e = entry.EndText.isEmpty() ? -1 : text.indexOf(entry.EndText, b + 1);
      if (e < 0)
        return; // unterminated within the region: dropped, and the rule stops here
      add(b, e + entry.EndText.size() - 1, entry.Color, rule.ZOrder, false);
      pos = e + 1;
    }
  }
}

void TColorScanner::scanEvents(TColorRule &rule, const TScanSettings &settings) {
  if (settings.ColorLimMax <= 0 || !settings.OnDraw)
    return;
  m_drawArray.assign(size_t(settings.ColorLimMax), TKeyDescr{0, 0, 0, 0, false});
  int count = 0;
  settings.OnDraw(&rule, m_buffer.data(), m_drawArray.data(), count);
  count = std::clamp(count, 0, settings.ColorLimMax);
  for (int i = 0; i < count; ++i) {
    const TKeyDescr &item = m_drawArray[size_t(i)];
    add(item.StartPos, item.EndPos, item.Color, item.ZOrder != 0 ? item.ZOrder : rule.ZOrder, false);
  }
}

void TColorScanner::Resolve() {
  if (m_lowest < 0) {
    m_ranges.Clear();
    m_ranges.MarkEnd();
    return;
  }
  // One spare cell after the highest end: it is never covered and closes the last run.
  const size_t cells = size_t(m_highest - m_lowest) + 2;
  if (m_attrs.size() < cells)
    m_attrs.resize(cells);
  std::fill_n(m_attrs.begin(), cells, TCharAttr{});
  for (int i = 0; i < m_ranges.Count(); ++i) {
    const TKeyDescr &range = m_ranges[i];
    const TCharAttr value{range.Color, range.ZOrder, range.IsKey, true};
    for (qint32 p = range.StartPos; p <= range.EndPos; ++p) {
      TCharAttr &cell = m_attrs[size_t(p - m_lowest)];
      if (cell.ZOrder <= range.ZOrder)
        cell = value;
    }
  }
  m_ranges.Clear();
  size_t runStart = 0;
  for (size_t i = 1; i < cells; ++i) {
    const TCharAttr &first = m_attrs[runStart];
    const TCharAttr &cell = m_attrs[i];
    if (cell.Covered && first.Covered && cell.Color == first.Color && cell.ZOrder == first.ZOrder &&
        cell.IsKey == first.IsKey)
      continue;
    if (first.Covered)
      m_ranges.Add({qint32(m_lowest + runStart), qint32(m_lowest + i - 1), first.Color, first.ZOrder, first.IsKey});
    runStart = i;
  }
  m_ranges.MarkEnd();
}

void TColorScanner::Paint(TRunSink &sink) const {
  for (int i = 0; i < m_ranges.Count(); ++i)
    sink.DrawRun(m_ranges[i]);
}

} // namespace corvana
