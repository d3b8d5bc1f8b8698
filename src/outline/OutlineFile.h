#pragma once
// The outline text file: one line per node in pre-order, as many TABs as the node's level,
// its text as held (no escaping, any bytes but CR, LF and NUL) and CR LF. Reading accepts
// CR, LF and CR LF, counts leading TABs and blanks as levels and ends at a NUL.

#include "outline/OutlineStore.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace corvana {

class OutlineNode;

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

  const char *m_p;
  const char *m_end;
  // The next CR and LF, each kept so that files with one kind of line end are scanned once.
  const char *m_cr;
  const char *m_lf;
  qsizetype m_prevLevel = -1; // none read yet
};

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
