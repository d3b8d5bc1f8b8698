#include "colormemo/ColorRules.h"

#include <algorithm>

namespace corvana {

namespace {

struct NamedColor {
  const char *name;
  TColor color;
};

constexpr NamedColor kHtmlColors[] = {
    {"BLACK", 0x000000},  {"MAROON", 0x000080},  {"GREEN", 0x008000}, {"OLIVE", 0x008080},
    {"NAVY", 0x800000},   {"PURPLE", 0x800080},  {"TEAL", 0x808000},  {"GRAY", 0x808080},
    {"SILVER", 0xC0C0C0}, {"RED", 0x0000FF},     {"LIME", 0x00FF00},  {"YELLOW", 0x00FFFF},
    {"BLUE", 0xFF0000},   {"FUCHSIA", 0xFF00FF}, {"AQUA", 0xFFFF00},  {"WHITE", 0xFFFFFF},
};

// "$" hex as an integer literal: optional sign, "$", hex digits whose value fits in 32 bits.
// The value decides, not the digit count: "$000000FF00" is a valid number.
bool parseDollarHex(const QString &text, quint32 &value) {
  int i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
    negative = text[i++] == u'-';
  if (i >= text.size() || text[i] != u'$')
    return false;
  ++i;
  if (i >= text.size())
    return false;
  quint64 n = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    const int digit = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1;
    if (digit < 0)
      return false;
    n = n << 4 | quint64(digit);
    if (n > 0xFFFFFFFFu)
      return false;
  }
  value = negative ? quint32(0) - quint32(n) : quint32(n);
  return true;
}

// Upper case for the letters a to z only, as the keyword search compares.
QString asciiUpper(const QString &text) {
  QString result = text;
  for (QChar &c : result)
    if (c >= u'a' && c <= u'z')
      c = QChar(c.unicode() - 32);
  return result;
}

// A delimiter as the table stores it: cut at a NUL (the table's texts are zero-terminated)
// and to six characters.
QString delimText(const QString &text) {
  const qsizetype nul = text.indexOf(QChar(0));
  return text.left(std::min<qsizetype>(nul < 0 ? text.size() : nul, TDelimEntry::MaxText));
}

} // namespace

TColor ColorFromText(const QString &text) {
  QString s = text.trimmed().toUpper().left(10);
  for (const NamedColor &named : kHtmlColors)
    if (s == QLatin1String(named.name))
      return named.color;
  const qsizetype hash = s.indexOf(u'#');
  if (hash >= 0)
    s.remove(hash, 1);
  if (!s.contains(u'$'))
    s.prepend(u'$');
  quint32 n = 0;
  if (!parseDollarHex(s, n))
    return clWhite;
  return (n & 0xFF00) + ((n & 0xFF) << 16) + ((n & 0xFF0000) >> 16);
}

// ---------------------------------------------------------------------------------------------

void TColorRule::Assign(const TColorRule &source) {
  KeyDrawingType = source.KeyDrawingType;
  ZOrder = source.ZOrder;
  KeyMaxHeight = source.KeyMaxHeight;
  KeyCase = source.KeyCase;
  Enabled = source.Enabled;
  PartWord = source.PartWord;
  DefKeyColor = source.DefKeyColor;
  KeyBrushColor = source.KeyBrushColor;
  SetKeywords(source.m_keywords);
  SetKeyBegEndLst(source.m_begEnd);
  SetKeyLineEndLst(source.m_lineEnd);
}

void TColorRule::SetKeywords(const QStringList &lines) {
  m_keywords = lines;
  parseKeywords();
}

void TColorRule::SetKeyBegEndLst(const QStringList &lines) {
  m_begEnd = lines;
  parseBegEnd();
}

void TColorRule::SetKeyLineEndLst(const QStringList &lines) {
  m_lineEnd = lines;
  parseLineEnd();
}

bool TColorRule::Prepare() {
  bool has = !m_begEnd.isEmpty();
  parseBegEnd();
  if (KeyDrawingType == dtKeyShow) {
    parseKeywords();
    has = has || !m_keywords.isEmpty();
  }
  if (KeyDrawingType == dtBeginLineEnd) {
    parseLineEnd();
    has = has || !m_lineEnd.isEmpty();
  }
  return has;
}

TColor TColorRule::KeyColor(int index) const {
  if (index >= 1 && index <= int(m_colors.size()))
    return m_colors[size_t(index - 1)];
  return DefKeyColor;
}

TColor TColorRule::colorOrDefault(const QString &colorText) const {
  return colorText.trimmed().isEmpty() ? DefKeyColor : ColorFromText(colorText);
}

void TColorRule::parseKeywords() {
  m_searchText = QStringLiteral("*");
  m_colors.clear();
  m_keywordRefs.clear();
  int previousIndex = 0;
  for (const QString &line : std::as_const(m_keywords)) {
    if (line.trimmed().isEmpty())
      continue;
    const qsizetype semi = line.indexOf(u';');
    QString keyword = semi < 0 ? line : line.left(semi);
    const QString colorText = semi < 0 ? QString() : line.mid(semi + 1);
    const TColor color = colorOrDefault(colorText);
    // A "*" would read as a separator of the search text and corrupt every keyword after it.
    if (keyword.trimmed().isEmpty() || keyword.contains(u'*'))
      continue;
    if (!KeyCase)
      keyword = asciiUpper(keyword);
    int index = 0;
    const auto found = std::find(m_colors.begin(), m_colors.end(), color);
    if (found != m_colors.end()) {
      index = int(found - m_colors.begin()) + 1;
    } else if (int(m_colors.size()) < MaxColors) {
      m_colors.push_back(color);
      index = int(m_colors.size());
    } else {
      // The table is full: share the colour of the keyword line before.
      index = previousIndex;
    }
    previousIndex = index;
    m_keywordRefs.push_back({int(m_searchText.size()), int(keyword.size()), index});
    m_searchText += keyword;
    m_searchText += QStringLiteral("*+");
    m_searchText += QChar(index);
    m_searchText += u'*';
  }
}

void TColorRule::resetDelims() {
  if (!m_delims)
    m_delims = std::make_unique<std::array<TDelimEntry, MaxDelims>>();
  m_delims->fill(TDelimEntry{});
}

void TColorRule::parseBegEnd() {
  resetDelims();
  const int count = std::min<int>(int(m_begEnd.size()), MaxDelims);
  for (int i = 0; i < count; ++i) {
    const QString &line = m_begEnd[i];
    const qsizetype semi = line.indexOf(u';');
    if (semi < 1)
      continue; // no ";" or an empty begin: the entry stays empty and ends the table
    TDelimEntry &entry = (*m_delims)[size_t(i)];
    entry.BeginText = delimText(line.left(semi));
    const QString rest = line.mid(semi + 1);
    const qsizetype semi2 = rest.indexOf(u';');
    entry.EndText = delimText(semi2 < 0 ? rest : rest.left(semi2));
    entry.Color = colorOrDefault(semi2 < 0 ? QString() : rest.mid(semi2 + 1));
  }
}

void TColorRule::parseLineEnd() {
  resetDelims();
  const int count = std::min<int>(int(m_lineEnd.size()), MaxDelims);
  for (int i = 0; i < count; ++i) {
    const QString &line = m_lineEnd[i];
    const qsizetype semi = line.indexOf(u';');
    QString delimiter, colorText;
    if (semi == 0 && line.size() > 1 && line[1] == u';') {
      delimiter = QStringLiteral(";");
      colorText = line.mid(2);
    } else if (semi <= 0) {
      delimiter = line;
    } else {
      delimiter = line.left(semi);
      colorText = line.mid(semi + 1);
    }
    TDelimEntry &entry = (*m_delims)[size_t(i)];
    entry.BeginText = delimText(delimiter);
    entry.Color = colorOrDefault(colorText);
  }
}

// ---------------------------------------------------------------------------------------------

TColorRule *TDrawRules::Add() {
  m_items.push_back(std::make_unique<TColorRule>(m_owner));
  NeedsPrepare = true;
  return m_items.back().get();
}

void TDrawRules::Clear() {
  m_items.clear();
  NeedsPrepare = true;
}

void TDrawRules::Assign(const TDrawRules &source) {
  if (&source == this)
    return;
  Clear();
  for (const auto &item : source.m_items)
    Add()->Assign(*item);
}

void TDrawRules::Prepare() {
  if (!NeedsPrepare)
    return;
  bool any = false;
  for (const auto &rule : m_items)
    any = rule->Prepare() || any;
  NeedsPrepare = !any;
}

// ---------------------------------------------------------------------------------------------

void TKeyDescrList::Clear() {
  for (int i = 0; i <= m_count && i < int(m_items.size()); ++i)
    m_items[size_t(i)] = TKeyDescr{};
  m_count = 0;
}

void TKeyDescrList::Add(const TKeyDescr &record) {
  if (m_count >= int(m_items.size()))
    m_items.resize(m_items.size() * 2 + 1);
  m_items[size_t(m_count++)] = record;
}

void TKeyDescrList::MarkEnd() {
  if (m_count >= int(m_items.size()))
    m_items.resize(m_items.size() + 1);
  m_items[size_t(m_count)] = TKeyDescr{};
}

} // namespace corvana
