#include "core/TextFiles.h"

#include "core/Error.h"

#include <QFile>
#include <QSaveFile>

namespace corvana {

QStringList SplitLines(const QString &text) {
  // Line by line with the library's search, many times a plain scan: the program reads its
  // two-thousand-line lists at every start.
  QStringList lines;
  const QStringView all(text);
  qsizetype start = 0;
  while (true) {
    const qsizetype lf = all.indexOf(u'\n', start);
    const QStringView segment = lf < 0 ? all.sliced(start) : all.sliced(start, lf - start);
    // A carriage return ends a line too, except the one of a CR LF.
    qsizetype from = 0;
    for (qsizetype cr = segment.indexOf(u'\r'); cr >= 0; cr = segment.indexOf(u'\r', from)) {
      if (lf >= 0 && cr == segment.size() - 1)
        break;
      lines.append(segment.sliced(from, cr - from).toString());
      from = cr + 1;
    }
    if (lf < 0) {
      if (from < segment.size())
        lines.append(segment.sliced(from).toString());
      return lines;
    }
    const qsizetype end = segment.endsWith(u'\r') ? segment.size() - 1 : segment.size();
    lines.append(segment.sliced(from, end - from).toString());
    start = lf + 1;
  }
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

QString UnifyLineEnds(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  return text;
}

QString WithLineEnds(const QString &unified, LineEnding ending) {
  if (ending == LineEnding::Lf)
    return unified;
  QString text = unified;
  return text.replace(u'\n', LineEndingText(ending));
}

namespace {
bool UsesOnly(QStringView text, LineEnding ending) {
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    if (c == u'\n') {
      if (ending != LineEnding::Lf)
        return false;
    } else if (c == u'\r') {
      const bool crlf = i + 1 < n && text[i + 1] == u'\n';
      if (ending != (crlf ? LineEnding::CrLf : LineEnding::Cr))
        return false;
      i += crlf ? 1 : 0;
    }
  }
  return true;
}
} // namespace

namespace {
// What an editor holds of a decoded text.
QString editorView(QString text, const TextFileFormat &format) {
  if (format.lines && format.lastLineEnded && !text.isEmpty())
    text.chop(text.endsWith(QStringLiteral("\r\n")) ? 2 : 1);
  return UnifyLineEnds(std::move(text));
}

QString fileView(const QString &unified, const TextFileFormat &format) {
  if (format.lines && format.lastLineEnded && !unified.isEmpty())
    return WithLineEnds(unified + u'\n', format.lineEnding);
  return WithLineEnds(unified, format.lineEnding);
}
} // namespace

EditorText DecodeEditorText(QByteArrayView bytes, bool asLines) {
  DecodedText decoded = DecodeText(bytes);
  EditorText result;
  TextFileFormat &format = result.format;
  format.encoding = decoded.encoding;
  format.lineEnding = DetectLineEnding(decoded.text);
  format.lines = asLines;
  format.lastLineEnded = decoded.text.endsWith(u'\n') || decoded.text.endsWith(u'\r');
  result.text = editorView(decoded.text, format);
  if (!UsesOnly(decoded.text, format.lineEnding) || (asLines && format.lastLineEnded && result.text.isEmpty()))
    format.verbatim = std::move(decoded.text);
  return result;
}

QByteArray EncodeEditorText(const QString &unified, TextFileFormat &format) {
  if (!format.verbatim.isEmpty() && editorView(format.verbatim, format) != unified)
    format.verbatim.clear();
  const QString text = format.verbatim.isEmpty() ? fileView(unified, format) : format.verbatim;
  format.encoding = EncodingToSave(text, format.encoding);
  return EncodeText(text, format.encoding);
}

QString EncodingChangeNote(TextEncoding before, TextEncoding after) {
  if (before == after)
    return {};
  return QStringLiteral("Saved as %1: the text holds characters %2 cannot")
      .arg(EncodingName(after), EncodingName(before));
}

QString ReadTextFile(const QString &path, TextEncoding *encoding) {
  DecodedText decoded = DecodeText(ReadFileBytes(path));
  if (encoding)
    *encoding = decoded.encoding;
  return std::move(decoded.text);
}

QStringList ReadLines(const QString &path, TextEncoding *encoding) { return SplitLines(ReadTextFile(path, encoding)); }

EditorText ReadEditorText(const QString &path, bool asLines) { return DecodeEditorText(ReadFileBytes(path), asLines); }

void WriteFileBytes(const QString &path, const QByteArray &bytes) {
  QSaveFile file(path);
  // The flush is checked on its own: bytes still in the write buffer are written by commit,
  // which does not notice when they no longer fit on the disk.
  if (path.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
      !file.commit())
    throw Error::cannotCreate(path);
}

void WriteTextFile(const QString &path, const QString &text, TextEncoding encoding) {
  WriteFileBytes(path, EncodeText(text, encoding));
}

void WriteEditorText(const QString &path, const QString &unified, TextFileFormat &format) {
  TextFileFormat used = format;
  WriteFileBytes(path, EncodeEditorText(unified, used));
  format = used; // only once the file holds it
}

void WriteLines(const QString &path, const QStringList &lines, LineEnding ending, TextEncoding encoding) {
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
  WriteTextFile(path, text, EncodingToSave(text, encoding));
}

} // namespace corvana
