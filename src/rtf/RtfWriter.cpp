#include "rtf/RtfWriter.h"

#include "rtf/CodePages.h"
#include "rtf/DocumentDump.h"

#include <QFont>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <vector>

namespace corvana::rtf {

namespace {

void AppendNumber(QByteArray &out, int value) { out += QByteArray::number(value); }

void AppendHex(QByteArray &out, int byte) {
  static const char digits[] = "0123456789abcdef";
  out += "\\'";
  out += digits[(byte >> 4) & 15];
  out += digits[byte & 15];
}

// What a reader without Unicode shows: the base letter of an accented one, else "?".
char AnsiFallback(char16_t c) {
  const QString decomposition = QChar(c).decomposition();
  if (!decomposition.isEmpty()) {
    const char16_t base = decomposition.at(0).unicode();
    // a digit would run on into the number before it
    if ((base >= u'a' && base <= u'z') || (base >= u'A' && base <= u'Z'))
      return char(base);
  }
  return '?';
}

// Text outside the font table: escapes, special characters, 8-bit and Unicode characters.
void AppendText(QByteArray &out, const QString &text) {
  const char16_t *s = reinterpret_cast<const char16_t *>(text.constData());
  const char16_t *e = s + text.size();
  for (; s < e; ++s) {
    const char16_t c = *s;
    if (c >= 0x20 && c < 0x7F) {
      if (c == u'\\' || c == u'{' || c == u'}')
        out += '\\';
      out += char(c);
      continue;
    }
    switch (c) {
    case u'\t':
      out += "\\tab ";
      continue;
    case 0x2028:
      out += "\\line ";
      continue;
    case 0xA0:
      out += "\\~";
      continue;
    case 0xAD:
      out += "\\-";
      continue;
    case 0x2011:
      out += "\\_";
      continue;
    case 0xFFFC:
    case 0xFDD0:
    case 0xFDD1:
      continue; // objects and frame marks have no text
    default:
      break;
    }
    if (c < 0x20)
      continue;
    const int byte = Cp1252Byte(c);
    if (byte >= 0x80 || c == 0x7F) {
      AppendHex(out, c == 0x7F ? 0x7F : byte);
      continue;
    }
    out += "\\u";
    AppendNumber(out, c > 0x7FFF ? int(c) - 0x10000 : int(c));
    out += AnsiFallback(c);
  }
}

void AppendFontName(QByteArray &out, const QString &name) {
  QString clean = name;
  clean.remove(u';');
  AppendText(out, clean);
}

class Writer {
public:
  Writer(const QTextDocument &document, const WriteOptions &options)
      : m_document(document), m_eol(options.lineEnd.toLatin1()), m_defaultFont(document.defaultFont()) {}

  QByteArray run() {
    collectTables();
    QByteArray body;
    body.reserve(m_document.characterCount() * 2 + 256);
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next())
      writeBlock(body, block);

    QByteArray out;
    out.reserve(body.size() + 512);
    out += "{\\rtf1\\ansi\\deff0{\\fonttbl";
    for (int i = 0; i < int(m_fonts.size()); ++i) {
      out += "{\\f";
      AppendNumber(out, i);
      out += "\\fnil\\fcharset0 ";
      AppendFontName(out, m_fonts[size_t(i)]);
      out += ";}";
    }
    out += '}';
    out += m_eol;
    out += "{\\colortbl ;";
    for (const QColor &color : m_colors) {
      out += "\\red";
      AppendNumber(out, color.red());
      out += "\\green";
      AppendNumber(out, color.green());
      out += "\\blue";
      AppendNumber(out, color.blue());
      out += ';';
    }
    out += '}';
    out += m_eol;
    out += "\\uc1\\pard\\plain\\f0\\fs24 ";
    out += body;
    out += '}';
    out += m_eol;
    return out;
  }

private:
  int fontIndex(const QString &family) {
    const auto found = m_fontIndex.constFind(family);
    if (found != m_fontIndex.constEnd())
      return *found;
    const int index = int(m_fonts.size());
    m_fonts.push_back(family);
    m_fontIndex.insert(family, index);
    return index;
  }

  int colorIndex(const QColor &color) {
    const QRgb rgb = color.rgb() & 0xFFFFFF;
    const auto found = m_colorIndex.constFind(rgb);
    if (found != m_colorIndex.constEnd())
      return *found;
    const int index = int(m_colors.size()) + 1;
    m_colors.push_back(QColor(rgb));
    m_colorIndex.insert(rgb, index);
    return index;
  }

  void collectTables() {
    fontIndex(m_defaultFont.family());
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const RunStyle style = StyleOf(it.fragment().charFormat(), m_defaultFont);
        fontIndex(style.family);
        if (style.color)
          colorIndex(*style.color);
      }
    }
  }

  // Writes the control words that take the current character state to `style`.
  void switchTo(QByteArray &out, const RunStyle &style) {
    const qsizetype before = out.size();
    const int font = fontIndex(style.family);
    if (font != m_font) {
      out += "\\f";
      AppendNumber(out, font);
      m_font = font;
    }
    if (style.halfPoints != m_halfPoints) {
      out += "\\fs";
      AppendNumber(out, style.halfPoints);
      m_halfPoints = style.halfPoints;
    }
    const int color = style.color ? colorIndex(*style.color) : 0;
    if (color != m_color) {
      out += "\\cf";
      AppendNumber(out, color);
      m_color = color;
    }
    if (style.bold != m_bold)
      out += style.bold ? "\\b" : "\\b0";
    if (style.italic != m_italic)
      out += style.italic ? "\\i" : "\\i0";
    if (style.underline != m_underline)
      out += style.underline ? "\\ul" : "\\ulnone";
    if (style.strikeOut != m_strike)
      out += style.strikeOut ? "\\strike" : "\\strike0";
    m_bold = style.bold;
    m_italic = style.italic;
    m_underline = style.underline;
    m_strike = style.strikeOut;
    if (out.size() != before)
      out += ' ';
  }

  void writeBlock(QByteArray &out, const QTextBlock &block) {
    const ParagraphStyle paragraph = StyleOf(block);
    out += "\\pard";
    switch (paragraph.alignment) {
    case Alignment::Left:
      break;
    case Alignment::Center:
      out += "\\qc";
      break;
    case Alignment::Right:
      out += "\\qr";
      break;
    case Alignment::Justify:
      out += "\\qj";
      break;
    }
    if (paragraph.list == ListKind::Bullet) {
      out += "{\\pntext\\'95\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb\\'95}}\\fi-360\\li360";
    } else if (paragraph.list == ListKind::Numbered) {
      out += "{\\pntext ";
      AppendNumber(out, block.textList()->itemNumber(block) + 1);
      out += ".\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta.}}\\fi-360\\li360";
    }
    out += ' ';
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      switchTo(out, StyleOf(fragment.charFormat(), m_defaultFont));
      AppendText(out, fragment.text());
    }
    out += "\\par";
    out += m_eol;
  }

  const QTextDocument &m_document;
  const QByteArray m_eol;
  const QFont m_defaultFont;
  std::vector<QString> m_fonts;
  QHash<QString, int> m_fontIndex;
  std::vector<QColor> m_colors;
  QHash<QRgb, int> m_colorIndex;

  // The character state after "\plain\f0\fs24".
  int m_font = 0;
  int m_halfPoints = 24;
  int m_color = 0;
  bool m_bold = false;
  bool m_italic = false;
  bool m_underline = false;
  bool m_strike = false;
};

} // namespace

QByteArray WriteRtf(const QTextDocument &document, const WriteOptions &options) {
  return Writer(document, options).run();
}

} // namespace corvana::rtf
