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
  // Only for a file whose line ends are mixed: its text as read, written back as it was while
  // the document still reads the same; once it changes, every line end becomes `lineEnding`.
  QString mixedOriginal;
  bool operator==(const TextFileFormat &) const = default;
};

// A document for an editor: decoded, line ends unified, with the format it came in.
struct EditorText {
  QString text;
  TextFileFormat format;
};
EditorText DecodeEditorText(QByteArrayView bytes);
// The bytes of an editor's text in `format`, its encoding changed to UTF-8 when the text holds
// characters the old one cannot; `format` tells the caller what was used.
QByteArray EncodeEditorText(const QString &unified, TextFileFormat &format);
// What a window shows after a save whose encoding had to change; empty when it did not.
QString EncodingChangeNote(TextEncoding before, TextEncoding after);

// Reads a whole file; raises "Cannot open file %s" when it cannot be read.
QByteArray ReadFileBytes(const QString &path);
QString ReadTextFile(const QString &path, TextEncoding *encoding = nullptr);
QStringList ReadLines(const QString &path, TextEncoding *encoding = nullptr);
EditorText ReadEditorText(const QString &path);

// Replaces the file's contents atomically; raises "Cannot create file %s" on failure.
void WriteFileBytes(const QString &path, const QByteArray &bytes);
void WriteTextFile(const QString &path, const QString &text, TextEncoding encoding = TextEncoding::Utf8);
void WriteLines(const QString &path, const QStringList &lines, LineEnding ending = LineEnding::CrLf,
                TextEncoding encoding = TextEncoding::Utf8);
// Writes an editor's text in `format` (see EncodeEditorText, which may change it).
void WriteEditorText(const QString &path, const QString &unified, TextFileFormat &format);

} // namespace corvana
