#include "prosel/TagRemoval.h"

namespace corvana {

QList<TagRange> FindTags(const QString &text) {
  QList<TagRange> tags;
  qsizetype from = 0;
  for (;;) {
    const qsizetype open = text.indexOf(QLatin1Char('<'), from);
    if (open < 0)
      break;
    const qsizetype close = text.indexOf(QLatin1Char('>'), open);
    if (close < 0)
      break;
    tags.append({open, close - open + 1});
    from = close + 1;
  }
  return tags;
}

QString RemoveTags(const QString &text) {
  QString kept;
  kept.reserve(text.size());
  qsizetype from = 0;
  for (const TagRange &tag : FindTags(text)) {
    kept.append(QStringView(text).mid(from, tag.start - from));
    from = tag.start + tag.length;
  }
  kept.append(QStringView(text).mid(from));
  return kept;
}

QByteArray BoldTagsInRtf(QByteArray rtf) {
  rtf.replace("<", "{\\b <");
  rtf.replace(">", ">}");
  return rtf;
}

} // namespace corvana
