#include "HtmlTestSupport.h"
#include "htmlview/HtmlView.h"
#include "support/TestHelpers.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrinter>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

// A document of exactly `sheets` printed pages.
QString longPage(int sheets) {
  QString page = "<html><head><title>Long Page</title></head><body>";
  for (int i = 1; i <= sheets; ++i)
    page += QString("<p%1>Section %2 of a page that needs several printed sheets.</p>")
                .arg(i < sheets ? " style='page-break-after: always'" : "")
                .arg(i);
  return page + "</body></html>";
}

struct PrintRun {
  int fromPage, toPage;
  int expectedPages;
  int firstNumber;
};

void PrintTo(const PrintRun &run, std::ostream *os) { *os << run.fromPage << "-" << run.toPage; }

class HtmlPrintTest : public testing::TestWithParam<PrintRun> {};

} // namespace

TEST_P(HtmlPrintTest, EveryPrintedPageCarriesItsHeaderAndFooter) {
  const PrintRun run = GetParam();
  TempDir dir;
  const QString file = dir.write("long.htm", longPage(3).toUtf8());
  THtmlView view;
  view.resize(800, 600);
  view.show();
  LoadAndWait(view, file);

  QList<int> headerPages;
  QSize canvas;
  view.OnPrintHeader = [&](QPainter &painter, int page, int width, int height, bool &) {
    headerPages.append(page);
    canvas = QSize(width, height);
    painter.drawText(QPoint(50, 40), QString("Header %1 %2").arg(view.DocumentTitle()).arg(page));
  };
  view.OnPrintFooter = [&](QPainter &painter, int page, int, int height, bool &) {
    painter.drawText(QPoint(50, height - 40), QString("Footer page %1").arg(page));
  };
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.path("out.pdf"));
  printer.setPageSize(QPageSize(QPageSize::A4));
  view.Print(printer, run.fromPage, run.toPage);

  QPdfDocument pdf;
  ASSERT_EQ(pdf.load(dir.path("out.pdf")), QPdfDocument::Error::None);
  ASSERT_EQ(pdf.pageCount(), run.expectedPages);
  EXPECT_EQ(view.PrintedPageCount(), run.expectedPages);
  // A4 in 1/96 inch.
  EXPECT_NEAR(canvas.width(), 794, 2);
  EXPECT_NEAR(canvas.height(), 1123, 2);
  for (int i = 0; i < run.expectedPages; ++i) {
    const int number = run.firstNumber + i;
    EXPECT_EQ(headerPages.value(i), number);
    const QString text = pdf.getAllText(i).text();
    EXPECT_TRUE(text.contains(QString("Header Long Page %1").arg(number))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString("Footer page %1").arg(number))) << text.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Ranges, HtmlPrintTest,
                         testing::Values(PrintRun{1, 9999, 3, 1}, PrintRun{2, 3, 2, 2}, PrintRun{3, 3, 1, 3}),
                         [](const auto &info) {
                           return QString("From%1To%2").arg(info.param.fromPage).arg(info.param.toPage).toStdString();
                         });

TEST(HtmlPrint, ARangePastTheLastPagePrintsNothing) {
  TempDir dir;
  THtmlView view;
  view.show();
  LoadAndWait(view, dir.write("short.htm", "<p>one page</p>"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.path("out.pdf"));
  view.Print(printer, 5, 9);
  EXPECT_EQ(view.PrintedPageCount(), 0);
}
