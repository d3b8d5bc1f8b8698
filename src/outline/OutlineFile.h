#pragma once
// The outline text file: one line per node in pre-order, as many TABs as the node's level,
// its text as held (no escaping, any bytes but CR, LF and NUL) and CR LF. Reading accepts
// CR, LF and CR LF, counts leading TABs and blanks as levels and ends at a NUL.

#include "outline/OutlineStore.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <cstring>

namespace corvana {

// Splits outline bytes into lines, each with the level its node takes in the tree.
class OutlineReader {
public:
  struct Line {
    qsizetype level = 0;
    QByteArrayView text; // points into the bytes read
  };

  // Reads up to the first NUL.
  explicit OutlineReader(QByteArrayView bytes);
  // The next line; false after the last one. A line more than one level deeper than the one
  // before raises "Invalid level (%d) for item \"%s\"".
  bool next(Line &line);

private:
  const char *find(const char *from, char c) const;
  [[noreturn]] static void invalidLevel(qsizetype level, QByteArrayView text);

  const char *m_p;
  const char *m_end;
  // The next CR and LF, each kept so that files with one kind of line end are scanned once.
  const char *m_cr;
  const char *m_lf;
  qsizetype m_prevLevel = -1; // none read yet
};

// Inline: called once per line of files of millions of lines.
inline const char *OutlineReader::find(const char *from, char c) const {
  if (from >= m_end)
    return m_end;
  const void *hit = std::memchr(from, c, size_t(m_end - from));
  return hit ? static_cast<const char *>(hit) : m_end;
}

inline bool OutlineReader::next(Line &line) {
  if (m_p >= m_end)
    return false; // the empty rest after the last line end is no line
  if (m_cr != m_end && m_cr < m_p)
    m_cr = find(m_p, '\r');
  if (m_lf != m_end && m_lf < m_p)
    m_lf = find(m_p, '\n');
  const char *lineEnd = std::min(m_cr, m_lf);
  const char *next = lineEnd;
  if (next < m_end && *next == '\r')
    ++next;
  if (next < m_end && *next == '\n')
    ++next;
  const char *textStart = m_p;
  while (textStart < lineEnd && (*textStart == '\t' || *textStart == ' '))
    ++textStart;
  const QByteArrayView text(textStart, lineEnd - textStart);

  // The first line is top level however it is indented; later ones are compared with the
  // level the line before actually took.
  qsizetype level = textStart - m_p;
  if (m_prevLevel < 0)
    level = 0;
  else if (level > m_prevLevel + 1)
    invalidLevel(level, text);
  m_prevLevel = level;
  m_p = next;
  line.level = level;
  line.text = text;
  return true;
}

// Bytes with only the part before the first NUL, which is all a reader reads.
QByteArrayView outlineTextPart(QByteArrayView bytes);

// A whole file read into a block of its own. Raises "Cannot open file %s".
OutlineBytes readOutlineFile(const QString &path);

// The tree that starts at `first` (a tree's first node), in the file's format. `sizeHint`
// is what the result is expected to take.
QByteArray writeOutlineBytes(const OutlineNode *first, qsizetype sizeHint = 0);
// Writes through a temporary file; raises "Cannot create file %s", leaving the old file as it was.
void writeOutlineFile(const QString &path, const OutlineNode *first);

} // namespace corvana
