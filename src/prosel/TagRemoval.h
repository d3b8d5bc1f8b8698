#pragma once
// Finding and removing the tags of an HTML text, and marking them bold in the RTF of a pane.

#include <QByteArray>
#include <QList>
#include <QString>

namespace corvana {

// A stretch of text from a "<" through the next ">".
struct TagRange {
  qsizetype start = 0;
  qsizetype length = 0;
  bool operator==(const TagRange &) const = default;
};

// Every tag in order. A "<" without a ">" after it ends the search, so the text from it on
// stays; line breaks inside a tag belong to it.
QList<TagRange> FindTags(const QString &text);
QString RemoveTags(const QString &text);

// The RTF with every "<" opening a bold group and every ">" closing one, so each tag shows in
// bold; the header has no angle brackets and stays as it is.
QByteArray BoldTagsInRtf(QByteArray rtf);

} // namespace corvana
