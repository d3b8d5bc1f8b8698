#pragma once
// The text of a plain document exactly as typed. QTextDocument::toPlainText turns no-break
// spaces into spaces, which would change a saved file behind the user's back.

#include <QString>

class QTextDocument;

namespace corvana {

// Blocks joined by "\n"; no-break spaces and every other character kept.
QString DocumentPlainText(const QTextDocument &document);

} // namespace corvana
