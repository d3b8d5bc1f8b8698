#pragma once
// The suite's default printer, shared by every window so printer setup carries over.
// Tests point it at a PDF file.

#include <QString>

class QPrinter;

namespace corvana {

QPrinter &DefaultPrinter();
// Raises "No printer is installed" when nothing can take the output.
void RequirePrinter();
// Sends the default printer's output to a PDF file instead (empty: back to the printer).
void PrintToPdf(const QString &path);

} // namespace corvana
