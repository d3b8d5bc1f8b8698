#pragma once
// Reading and writing text files line by line. Readers accept CR, LF and CR LF; writers end
// every line with CR LF and never destroy the old file when the write fails.

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

// Reads a whole file as UTF-8; raises "Cannot open file %s" when it cannot be read.
QByteArray ReadFileBytes(const QString &path);
QString ReadTextFile(const QString &path);
QStringList ReadLines(const QString &path);

// Replaces the file's contents atomically; raises "Cannot create file %s" on failure.
void WriteFileBytes(const QString &path, const QByteArray &bytes);
void WriteTextFile(const QString &path, const QString &text);
void WriteLines(const QString &path, const QStringList &lines, LineEnding ending = LineEnding::CrLf);

} // namespace corvana
