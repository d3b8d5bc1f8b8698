#include "rtf/DocumentDump.h"

#include <QFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace corvana::rtf {

RunStyle StyleOf(const QTextCharFormat &format, const QFont &defaultFont) {
  RunStyle style;
  const QStringList families = format.fontFamilies().toStringList();
  if (!families.isEmpty() && !families.first().isEmpty())
    style.family = families.first();
  else if (format.hasProperty(QTextFormat::FontFamily) && !format.stringProperty(QTextFormat::FontFamily).isEmpty())
    style.family = format.stringProperty(QTextFormat::FontFamily);
  else
    style.family = defaultFont.family();

  qreal points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : defaultFont.pointSizeF();
  if (points <= 0)
    points = 12;
  style.halfPoints = qBound(1, qRound(points * 2), 32767);

  const QBrush foreground = format.foreground();
  if (format.hasProperty(QTextFormat::ForegroundBrush) && foreground.style() != Qt::NoBrush)
    style.color = foreground.color().toRgb();

  const int weight = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() : defaultFont.weight();
  style.bold = weight >= QFont::DemiBold;
  style.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
  style.underline =
      format.hasProperty(QTextFormat::FontUnderline) || format.hasProperty(QTextFormat::TextUnderlineStyle)
          ? format.fontUnderline()
          : defaultFont.underline();
  style.strikeOut = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : defaultFont.strikeOut();
  return style;
}

ParagraphStyle StyleOf(const QTextBlock &block) {
  ParagraphStyle style;
  const Qt::Alignment horizontal = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
  if (horizontal & Qt::AlignHCenter)
    style.alignment = Alignment::Center;
  else if (horizontal & Qt::AlignJustify)
    style.alignment = Alignment::Justify;
  else if (horizontal & (Qt::AlignRight | Qt::AlignTrailing))
    style.alignment = Alignment::Right;
  if (const QTextList *list = block.textList()) {
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare:
      style.list = ListKind::Bullet;
      break;
    default:
      style.list = ListKind::Numbered;
      break;
    }
  }
  return style;
}

namespace {

QString StyleText(const RunStyle &style) {
  QString text = style.family + u' ' + QString::number(style.halfPoints / 2.0);
  if (style.color)
    text += u' ' + style.color->name();
  QString flags;
  if (style.bold)
    flags += u'B';
  if (style.italic)
    flags += u'I';
  if (style.underline)
    flags += u'U';
  if (style.strikeOut)
    flags += u'S';
  if (!flags.isEmpty())
    text += u' ' + flags;
  return text;
}

void AppendEscaped(QString &out, const QString &text) {
  for (const QChar c : text) {
    switch (c.unicode()) {
    case u'\\':
      out += u"\\\\";
      break;
    case u'[':
      out += u"\\[";
      break;
    case u'\t':
      out += u"\\t";
      break;
    case 0x2028:
      out += u"\\n";
      break;
    default:
      out += c;
    }
  }
}

} // namespace

QString DumpDocument(const QTextDocument &document) {
  QStringList lines;
  const QFont defaultFont = document.defaultFont();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const ParagraphStyle paragraph = StyleOf(block);
    QString line;
    line += QStringLiteral("LCRJ").at(int(paragraph.alignment));
    line += QStringLiteral("-*#").at(int(paragraph.list));
    line += u": ";
    QString lastStyle;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid() || fragment.text().isEmpty())
        continue;
      const QString style = StyleText(StyleOf(fragment.charFormat(), defaultFont));
      if (style != lastStyle)
        line += u'[' + style + u']';
      lastStyle = style;
      AppendEscaped(line, fragment.text());
    }
    lines.append(line);
  }
  return lines.join(u'\n');
}

} // namespace corvana::rtf
