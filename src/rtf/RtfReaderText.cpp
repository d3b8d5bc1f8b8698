// The reader's output: font and colour tables, characters decoded by their code pages, runs of
// text in their formats, and paragraphs with their alignment and lists.

#include "rtf/CodePages.h"
#include "rtf/RtfReaderState.h"

#include <QFont>
#include <QTextBlock>
#include <QTextList>
#include <algorithm>

namespace corvana::rtf::reading {

void Reader::commitFont() {
  if (!m_fontOpen)
    return;
  m_fontOpen = false;
  const QString name = m_fontName.trimmed();
  if (!name.isEmpty() && m_fonts.size() < 65536)
    m_fonts.insert(m_fontNumber, {name, m_fontCodePage > 0 ? m_fontCodePage : CodePageOfCharset(m_fontCharset)});
  m_fontName.clear();
  tablesChanged();
}

void Reader::tableText(char16_t c) {
  State &st = top();
  if (st.dest == Dest::FontTable) {
    if (c == u';')
      commitFont();
    else if (m_fontOpen && c >= 0x20 && m_fontName.size() < 256)
      m_fontName += QChar(c);
  } else if (st.dest == Dest::ColorTable && c == u';') {
    if (m_colors.size() < 65536)
      m_colors.push_back(m_colorSet ? std::optional<QColor>(QColor(m_red, m_green, m_blue)) : std::nullopt);
    m_colorSet = false;
    m_red = m_green = m_blue = 0;
    tablesChanged();
  }
}

// Formats and code pages looked up earlier may name fonts or colours defined only now.
void Reader::tablesChanged() {
  flush();
  m_formats.clear();
  m_cachedFont = -3;
}

const char16_t *Reader::upperHalf() {
  const State &st = top();
  const int fontNumber = st.dest == Dest::FontTable ? -2 : (st.chr.font < 0 ? m_defaultFont : st.chr.font);
  int codePage = 0;
  if (st.dest == Dest::FontTable)
    codePage = m_fontCodePage > 0 ? m_fontCodePage : CodePageOfCharset(m_fontCharset);
  if (fontNumber != -2) {
    if (fontNumber == m_cachedFont && m_cachedUpper)
      return m_cachedUpper;
    const auto font = m_fonts.constFind(fontNumber);
    codePage = font != m_fonts.constEnd() ? font->codePage : 0;
  }
  const char16_t *upper = UpperHalfOf(codePage != 0 ? codePage : m_codePage);
  if (fontNumber != -2) {
    m_cachedFont = fontNumber;
    m_cachedUpper = upper;
  }
  return upper;
}

void Reader::textBytes(const char *s, const char *e) {
  if (m_skipChars > 0) {
    const qsizetype n = std::min<qsizetype>(m_skipChars, e - s);
    s += n;
    m_skipChars -= int(n);
  }
  if (s >= e)
    return;
  State &st = top();
  if (st.dest != Dest::Text) {
    for (; s < e; ++s)
      byteChar(quint8(*s));
    return;
  }
  if (st.chr.flags & HiddenFlag)
    return;
  prepareText();
  const char16_t *upper = nullptr;
  for (; s < e; ++s) {
    const quint8 b = quint8(*s);
    if (b >= 0x20 && b < 0x80) {
      m_pending += QChar(b);
    } else if (b >= 0x80) {
      if (!upper)
        upper = upperHalf();
      m_pending += QChar(upper[b - 0x80]);
    } else if (b == '\t') {
      m_pending += QChar(u'\t');
    }
  }
}

void Reader::character(char16_t c) {
  State &st = top();
  if (st.dest != Dest::Text) {
    tableText(c);
    return;
  }
  if (st.chr.flags & HiddenFlag)
    return;
  if (c == 0x2029) {
    paragraph();
    return;
  }
  if ((c < 0x20 && c != u'\t') || c == 0xFFFC || c == 0xFDD0 || c == 0xFDD1)
    return;
  prepareText();
  m_pending += QChar(c);
}

void Reader::prepareText() {
  if (!m_pending.isEmpty() && m_pendingProps == top().chr)
    return;
  flush();
  m_pendingProps = top().chr;
}

const QTextCharFormat &Reader::formatFor(const CharProps &props) {
  const auto found = m_formats.constFind(props);
  if (found != m_formats.constEnd())
    return *found;
  if (m_formats.size() > 4096)
    m_formats.clear();
  QTextCharFormat format;
  const auto font = m_fonts.constFind(props.font < 0 ? m_defaultFont : props.font);
  if (font != m_fonts.constEnd())
    format.setFontFamilies(QStringList{font->name});
  format.setFontPointSize(props.halfPoints / 2.0);
  if (props.color > 0 && size_t(props.color) < m_colors.size() && m_colors[size_t(props.color)])
    format.setForeground(*m_colors[size_t(props.color)]);
  format.setFontWeight(props.flags & BoldFlag ? QFont::Bold : QFont::Normal);
  format.setFontItalic(props.flags & ItalicFlag);
  format.setFontUnderline(props.flags & UnderlineFlag);
  format.setFontStrikeOut(props.flags & StrikeFlag);
  return *m_formats.insert(props, format);
}

// Lone surrogates from a broken \u pair would upset text layout.
void Reader::repairSurrogates(QString &text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      ++i;
    } else if (c.isSurrogate()) {
      text[i] = QChar::ReplacementCharacter;
    }
  }
}

void Reader::flush() {
  if (m_pending.isEmpty())
    return;
  if (m_needBlock) {
    insertBlock();
    m_needBlock = false;
  }
  repairSurrogates(m_pending);
  m_cursor.insertText(m_pending, formatFor(m_pendingProps));
  m_pending.clear();
  m_blockHasText = true;
}

void Reader::paragraph() {
  if (top().dest != Dest::Text)
    return;
  flush();
  if (m_needBlock)
    insertBlock();
  applyParagraph(top().para);
  m_needBlock = true;
  m_blockHasText = false;
}

ListKind Reader::listKind(const ParaProps &para) const {
  if (para.ls <= 0)
    return para.list;
  const int list = m_listById.value(m_listByOverride.value(para.ls, -1), -1);
  if (list < 0)
    return ListKind::Bullet;
  const std::vector<int> &levels = m_lists[size_t(list)].levels;
  if (levels.empty())
    return ListKind::Bullet;
  const int nfc = levels[std::min(size_t(para.ilvl), levels.size() - 1)];
  return nfc == 23 || nfc == 255 ? ListKind::Bullet : ListKind::Numbered;
}

void Reader::applyParagraph(const ParaProps &para) {
  QTextBlockFormat format;
  switch (para.alignment) {
  case Alignment::Left:
    break;
  case Alignment::Center:
    format.setAlignment(Qt::AlignHCenter);
    break;
  case Alignment::Right:
    format.setAlignment(Qt::AlignRight);
    break;
  case Alignment::Justify:
    format.setAlignment(Qt::AlignJustify);
    break;
  }
  m_cursor.setBlockFormat(format);
  const ListKind kind = listKind(para);
  if (kind == ListKind::None) {
    m_list = nullptr;
    return;
  }
  if (m_list && m_listKind == kind) {
    m_list->add(m_cursor.block());
    return;
  }
  QTextListFormat listFormat;
  listFormat.setStyle(kind == ListKind::Bullet ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal);
  listFormat.setIndent(1);
  m_list = m_cursor.createList(listFormat);
  m_listKind = kind;
}

void Reader::finish() {
  flush();
  if (!m_needBlock)
    applyParagraph(top().para);
}
} // namespace corvana::rtf::reading
