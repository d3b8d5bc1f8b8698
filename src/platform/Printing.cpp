#include "platform/Printing.h"

#include "platform/Errors.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

namespace corvana {

QPrinter &DefaultPrinter() {
  static std::unique_ptr<QPrinter> printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer;
}

void RequirePrinter() {
  QPrinter &printer = DefaultPrinter();
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
    return;
  if (QPrinterInfo::availablePrinters().isEmpty())
    throw Error(QStringLiteral("No printer is installed"));
}

void PrintToPdf(const QString &path) {
  QPrinter &printer = DefaultPrinter();
  if (path.isEmpty()) {
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setOutputFileName(QString());
  } else {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
  }
}

} // namespace corvana
