#pragma once
// Reading and writing text files. Readers accept CR, LF and CR LF and decode by the rule of
// TextEncoding.h; writers never destroy the old file when the write fails.

#include "core/TextEncoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace corvana {

enum class LineEnding { CrLf, Lf, Cr };

// Splits text into lines at CR LF, LF or CR; a final line end adds no empty line.
QStringList SplitLines(const QString &text);
// The line end a text uses first; CR LF for a text without any.
LineEnding DetectLineEnding(const QString &text);
QString LineEndingText(LineEnding ending);

// Text as an editor control holds it: every line end is one "\n".
QString UnifyLineEnds(QString text);
QString WithLineEnds(const QString &unified, LineEnding ending);

// What it takes to write a document back the way it was read.
struct TextFileFormat {
  TextEncoding encoding = TextEncoding::Utf8;
  LineEnding lineEnding = LineEnding::CrLf; // the first one of the file
  // A document held as lines (a memo's) ends every line with a line end, the last included,
  // unless it was read from a file whose last line had none. A document held as text (a
  // rich-edit pane's) keeps its last line end as part of the text.
  bool lines = false;
  bool lastLineEnded = true;
  // The text as read, kept only where the rules above would not write it back the same
  // (mixed line ends, a file that is one line end): written as it was while the document
  // still reads the same.
  QString verbatim;
  bool operator==(const TextFileFormat &) const = default;
};
inline const TextFileFormat NewLinesDocument{TextEncoding::Utf8, LineEnding::CrLf, true, true, {}};

// A document for an editor: decoded, line ends unified, with the format it came in.
struct EditorText {
  QString text;
  TextFileFormat format;
};
EditorText DecodeEditorText(QByteArrayView bytes, bool asLines = false);
// The bytes of an editor's text in `format`, its encoding changed to UTF-8 when the text holds
// characters the old one cannot; `format` tells the caller what was used.
QByteArray EncodeEditorText(const QString &unified, TextFileFormat &format);
// What a window shows after a save whose encoding had to change; empty when it did not.
QString EncodingChangeNote(TextEncoding before, TextEncoding after);

// Reads a whole file; raises "Cannot open file %s" when it cannot be read.
QByteArray ReadFileBytes(const QString &path);
QString ReadTextFile(const QString &path, TextEncoding *encoding = nullptr);
QStringList ReadLines(const QString &path, TextEncoding *encoding = nullptr);
EditorText ReadEditorText(const QString &path, bool asLines = false);

// Replaces the file's contents atomically; raises "Cannot create file %s" on failure.
void WriteFileBytes(const QString &path, const QByteArray &bytes);
void WriteTextFile(const QString &path, const QString &text, TextEncoding encoding = TextEncoding::Utf8);
void WriteLines(const QString &path, const QStringList &lines, LineEnding ending = LineEnding::CrLf,
                TextEncoding encoding = TextEncoding::Utf8);
// Writes an editor's text in `format` (see EncodeEditorText, which may change it).
void WriteEditorText(const QString &path, const QString &unified, TextFileFormat &format);

} // namespace corvana
