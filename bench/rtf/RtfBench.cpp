// Reading and writing a 5 MB RTF document with many formatting runs, against Qt's own HTML
// import and export of the same content.

#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <benchmark/benchmark.h>

namespace {

struct Content {
  QByteArray rtf;
  QString html;
};

// Paragraphs of short runs that change font, size, colour and style all the time.
const Content &TestContent() {
  static const Content content = [] {
    QTextDocument document;
    document.setDefaultFont(QFont("Arial", 10));
    QTextCursor cursor(&document);
    const QStringList families{"Arial", "Times New Roman", "Courier New", "Verdana"};
    const QList<QColor> colors{QColor(0, 0, 0), QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255)};
    int run = 0;
    Content c;
    while (true) {
      for (int paragraph = 0; paragraph < 200; ++paragraph) {
        QTextBlockFormat block;
        block.setAlignment(paragraph % 3 == 0 ? Qt::AlignLeft : paragraph % 3 == 1 ? Qt::AlignHCenter : Qt::AlignRight);
        cursor.insertBlock(block);
        if (paragraph % 10 == 5)
          cursor.createList(QTextListFormat::ListDisc);
        for (int i = 0; i < 12; ++i, ++run) {
          QTextCharFormat format;
          format.setFontFamilies(QStringList{families[run % 4]});
          format.setFontPointSize(8 + run % 7);
          format.setForeground(colors[run / 3 % 4]);
          format.setFontWeight(run % 2 ? QFont::Bold : QFont::Normal);
          format.setFontItalic(run % 5 == 0);
          format.setFontUnderline(run % 7 == 0);
          cursor.insertText(QStringLiteral("word%1 caf\u00e9 text ").arg(run), format);
        }
      }
      c.rtf = corvana::rtf::WriteRtf(document);
      if (c.rtf.size() >= 5 * 1024 * 1024)
        break;
    }
    c.html = document.toHtml();
    return c;
  }();
  return content;
}

void ReadRtf(benchmark::State &state) {
  const Content &c = TestContent();
  for (auto _ : state) {
    QTextDocument document;
    corvana::rtf::ReadRtf(c.rtf, document);
    benchmark::DoNotOptimize(document.characterCount());
  }
  state.SetBytesProcessed(state.iterations() * c.rtf.size());
}

void ReadHtmlPeer(benchmark::State &state) {
  const Content &c = TestContent();
  for (auto _ : state) {
    QTextDocument document;
    document.setHtml(c.html);
    benchmark::DoNotOptimize(document.characterCount());
  }
  state.SetBytesProcessed(state.iterations() * c.html.size() * 2);
}

void WriteRtf(benchmark::State &state) {
  const Content &c = TestContent();
  QTextDocument document;
  corvana::rtf::ReadRtf(c.rtf, document);
  for (auto _ : state)
    benchmark::DoNotOptimize(corvana::rtf::WriteRtf(document));
}

void WriteHtmlPeer(benchmark::State &state) {
  const Content &c = TestContent();
  QTextDocument document;
  corvana::rtf::ReadRtf(c.rtf, document);
  for (auto _ : state)
    benchmark::DoNotOptimize(document.toHtml());
}

BENCHMARK(ReadRtf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ReadHtmlPeer)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(WriteRtf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(WriteHtmlPeer)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  const Content &c = TestContent();
  std::printf("RTF %lld bytes, HTML %lld characters\n", qlonglong(c.rtf.size()), qlonglong(c.html.size()));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
