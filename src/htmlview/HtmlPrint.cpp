// Printing an HTML view: the engine lays the document out into PDF pages, and each page is
// drawn on the printer with the view's header and footer events on top.

#include "htmlview/HtmlView.h"
#include "platform/Errors.h"
#include "platform/Modules.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <memory>

namespace corvana {

namespace {

// Canvas units handed to the header and footer events.
constexpr double kCanvasDpi = 96.0;
// Pages are drawn as pictures at this resolution at most.
constexpr double kMaxPictureDpi = 300.0;

} // namespace

void THtmlViewBase::Print(QPrinter &printer, int fromPage, int toPage) {
  m_printedPages = 0;
  if (!m_engine || m_navigation.currentUrl().isEmpty())
    throw Error(QStringLiteral("There is no document to print"));
  if (!waitForLoad())
    throw Error(QStringLiteral("The document is still loading"));

  QPageLayout layout = printer.pageLayout();
  layout.setUnits(QPageLayout::Millimeter);
  layout.setMinimumMargins(QMarginsF());
  layout.setMargins(
      QMarginsF(PrintMarginLeft * 10, PrintMarginTop * 10, PrintMarginRight * 10, PrintMarginBottom * 10));

  std::optional<QByteArray> pdf;
  m_engine->printToPdf(layout, [&pdf](const QByteArray &bytes) { pdf = bytes; });
  WaitUntil([&pdf] { return pdf.has_value(); }, 120000);
  if (!pdf || pdf->isEmpty())
    throw Error(QStringLiteral("The document could not be laid out for printing"));

  // The PDF reader lives in the engine's module, already open for this view.
  QString error;
  const auto openPdf = reinterpret_cast<OpenPdfEntry>(
      ResolveModuleSymbol(QString::fromLatin1(kHtmlEngineModule), kOpenPdfEntry, &error));
  if (!openPdf)
    throw Error(error);
  const std::unique_ptr<PdfPages> document(openPdf(*pdf));
  if (!document || document->pageCount() == 0)
    throw Error(QStringLiteral("The document could not be laid out for printing"));

  const int first = std::max(1, fromPage);
  const int last = std::min(toPage, document->pageCount());
  if (first > last)
    return;

  const bool wasFullPage = printer.fullPage();
  printer.setFullPage(true);
  QPainter painter;
  if (!painter.begin(&printer)) {
    printer.setFullPage(wasFullPage);
    throw Error(QStringLiteral("Cannot start printing"));
  }
  const double deviceDpi = printer.resolution();
  const QRectF paper = printer.pageLayout().fullRectPixels(printer.resolution());
  const double pictureDpi = std::min(deviceDpi, kMaxPictureDpi);
  const double scale = deviceDpi / kCanvasDpi;
  const int canvasWidth = qRound(paper.width() / scale);
  const int canvasHeight = qRound(paper.height() / scale);

  bool stop = false;
  for (int page = first; page <= last && !stop; ++page) {
    if (page > first)
      printer.newPage();
    const QSizeF points = document->pagePointSize(page - 1);
    const QSize pixels(qRound(points.width() / 72.0 * pictureDpi), qRound(points.height() / 72.0 * pictureDpi));
    const QImage picture = document->render(page - 1, pixels);
    painter.drawImage(QRectF(QPointF(0, 0), paper.size()), picture);
    ++m_printedPages;

    painter.save();
    painter.scale(scale, scale);
    if (OnPrintHeader) {
      painter.save();
      OnPrintHeader(painter, page, canvasWidth, canvasHeight, stop);
      painter.restore();
    }
    if (OnPrintFooter) {
      painter.save();
      OnPrintFooter(painter, page, canvasWidth, canvasHeight, stop);
      painter.restore();
    }
    painter.restore();
  }
  painter.end();
  printer.setFullPage(wasFullPage);
}

} // namespace corvana
