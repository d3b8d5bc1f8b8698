#include "controls/PlainText.h"

#include <QTextDocument>

namespace corvana {

QString DocumentPlainText(const QTextDocument &document) {
  QString text = document.toRawText();
  for (QChar &c : text)
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
      c = u'\n';
  return text;
}

} // namespace corvana
