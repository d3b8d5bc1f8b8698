#pragma once
// Writes a QTextDocument as a complete RTF document: font and colour tables, then one paragraph
// per block with its alignment and bullet, and runs with font, size, colour, bold, italic,
// underline and strike-out. Characters outside code page 1252 are written as \uN with an ANSI
// fallback.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace corvana::rtf {

struct WriteOptions {
  // Ends the lines of the RTF text; readers ignore it, the file keeps its owner's line ends.
  QString lineEnd = QStringLiteral("\r\n");
};

QByteArray WriteRtf(const QTextDocument &document, const WriteOptions &options = {});

} // namespace corvana::rtf
