#pragma once
// Reads RTF into a QTextDocument: text, fonts, sizes, colours, bold, italic, underline,
// strike-out, alignment, bullet and numbered paragraphs, tabs and line breaks. Damaged input
// (unbalanced braces, truncation, absurd numbers, deep nesting) is read as far as it makes
// sense; the reader keeps its groups on a heap stack, so nesting cannot overflow the call stack.

#include <QByteArrayView>

class QTextDocument;

namespace corvana::rtf {

// Whether the bytes start an RTF document ("{\rtf").
bool IsRtf(QByteArrayView data);

// Replaces the document's contents with the RTF in data. Returns false, leaving the document
// untouched, when data is not RTF.
bool ReadRtf(QByteArrayView data, QTextDocument &document);

} // namespace corvana::rtf
