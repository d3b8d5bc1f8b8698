#include "platform/TextFiles.h"

#include "platform/Errors.h"

#include <QFile>
#include <QSaveFile>

namespace corvana {

QStringList SplitLines(const QString &text) {
  QStringList lines;
  const qsizetype n = text.size();
  qsizetype start = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text.at(i);
    if (c != u'\r' && c != u'\n')
      continue;
    lines.append(text.mid(start, i - start));
    if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
      ++i;
    start = i + 1;
  }
  if (start < n)
    lines.append(text.mid(start));
  return lines;
}

LineEnding DetectLineEnding(const QString &text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text.at(i) == u'\n')
      return LineEnding::Lf;
    if (text.at(i) == u'\r')
      return (i + 1 < text.size() && text.at(i + 1) == u'\n') ? LineEnding::CrLf : LineEnding::Cr;
  }
  return LineEnding::CrLf;
}

QString LineEndingText(LineEnding ending) {
  switch (ending) {
  case LineEnding::Lf:
    return QStringLiteral("\n");
  case LineEnding::Cr:
    return QStringLiteral("\r");
  case LineEnding::CrLf:
    break;
  }
  return QStringLiteral("\r\n");
}

QByteArray ReadFileBytes(const QString &path) {
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
    throw Error::cannotOpen(path);
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw Error::cannotOpen(path);
  return bytes;
}

QString ReadTextFile(const QString &path) { return QString::fromUtf8(ReadFileBytes(path)); }

QStringList ReadLines(const QString &path) { return SplitLines(ReadTextFile(path)); }

void WriteFileBytes(const QString &path, const QByteArray &bytes) {
  QSaveFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw Error::cannotCreate(path);
}

void WriteTextFile(const QString &path, const QString &text) { WriteFileBytes(path, text.toUtf8()); }

void WriteLines(const QString &path, const QStringList &lines, LineEnding ending) {
  const QString eol = LineEndingText(ending);
  QString text;
  qsizetype size = 0;
  for (const QString &line : lines)
    size += line.size() + eol.size();
  text.reserve(size);
  for (const QString &line : lines) {
    text += line;
    text += eol;
  }
  WriteTextFile(path, text);
}

} // namespace corvana
