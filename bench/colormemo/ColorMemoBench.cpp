// Cost of a colour pass of the memo: the scan and resolve of a 60-line visible region in a
// small and in a huge text (which should cost the same), and a whole coloured paint against
// the bare control's paint of the same window.

#include "colormemo/ColMemo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace corvana;

namespace {

constexpr int kVisibleLines = 60;

const char *const kLines[] = {
    "begin x := 1; end",      "if a > b then // note",
    "/* a remark */ y := 2;", "while i < n do begin",
    "  s := s + 'abc';",      "end; { block }",
    "// a line-end remark",   "function f(x: integer)",
    "  result := x * 2;",     "/* spans",
    "   lines */ z := 3;",    "repeat until done;",
};

// A page of exactly kVisibleLines lines in 1 KB; the big text repeats it, so both windows show
// the same kind of region.
QString makePage() {
  QString page;
  for (int i = 0; i < kVisibleLines; ++i) {
    page += QLatin1String(kLines[i % std::size(kLines)]);
    page += u'\n';
  }
  // Trim or pad the page's lines evenly to reach 1024 characters.
  QStringList lines = page.split(u'\n', Qt::SkipEmptyParts);
  const int perLine = 1024 / kVisibleLines - 1;
  int extra = 1024 - kVisibleLines * (perLine + 1);
  page.clear();
  for (QString line : lines) {
    const int width = perLine + (extra-- > 0 ? 1 : 0);
    line = line.leftJustified(width, u' ', true);
    page += line + u'\n';
  }
  return page;
}

QString makeText(qint64 bytes) {
  const QString page = makePage();
  QString text;
  text.reserve(bytes);
  while (text.size() + page.size() <= bytes)
    text += page;
  return text;
}

void addRules(TColorMemo &memo) {
  TColorRule *keys = memo.ColorRules().Add();
  keys->KeyDrawingType = dtKeyShow;
  keys->Keywords() = {"begin;navy", "end;navy", "if;blue", "then;blue",        "while;blue",
                      "do;blue",    "repeat",   "until",   "function;#800080", "result;green"};
  TColorRule *comments = memo.ColorRules().Add();
  comments->KeyBegEndLst() = {"/*;*/;gray", "{;};teal"};
  TColorRule *strings = memo.ColorRules().Add();
  strings->KeyBegEndLst() = {"';';maroon"};
  TColorRule *lineEnd = memo.ColorRules().Add();
  lineEnd->KeyDrawingType = dtBeginLineEnd;
  lineEnd->KeyLineEndLst() = {"//;green"};
  TColorRule *types = memo.ColorRules().Add();
  types->KeyDrawingType = dtKeyShow;
  types->Keywords() = {"integer;purple", "x;olive"};
}

template <class Memo> std::unique_ptr<Memo> makeWindow(const QString &text, bool rules) {
  auto memo = std::make_unique<Memo>();
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setPixelSize(12);
  memo->setFont(font);
  memo->setFrameStyle(0);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->resize(500, kVisibleLines * memo->fontMetrics().lineSpacing() + 8);
  if constexpr (std::is_same_v<Memo, TColorMemo>) {
    if (rules)
      addRules(*memo);
  }
  memo->setPlainText(text);
  memo->show();
  QApplication::processEvents();
  // The middle of the text, so the region lies deep inside a big one.
  memo->verticalScrollBar()->setValue(memo->verticalScrollBar()->maximum() / 2);
  QApplication::processEvents();
  return memo;
}

struct Windows {
  std::unique_ptr<TColorMemo> small, huge;
  std::unique_ptr<QPlainTextEdit> bare;
};

Windows &windows() {
  static Windows w = [] {
    Windows made;
    const QString smallText = makePage();
    made.small = makeWindow<TColorMemo>(smallText, true);
    made.bare = makeWindow<QPlainTextEdit>(smallText, false);
    QElapsedTimer timer;
    timer.start();
    made.huge = makeWindow<TColorMemo>(makeText(100LL << 20), true);
    std::fprintf(stderr, "100 MB window ready in %lld ms (%d lines)\n", timer.elapsed(),
                 made.huge->document()->blockCount());
    return made;
  }();
  return w;
}

void scanPass(benchmark::State &state, TColorMemo &memo) {
  for (auto _ : state) {
    memo.ComputeColors(false);
    benchmark::DoNotOptimize(memo.Scanner().Ranges().Count());
  }
  state.counters["runs"] = memo.Scanner().Ranges().Count();
  state.counters["region_chars"] = memo.Scanner().RegionEnd() - memo.Scanner().RegionStart();
}

void BM_ColourPass_1KB(benchmark::State &state) { scanPass(state, *windows().small); }
void BM_ColourPass_100MB(benchmark::State &state) { scanPass(state, *windows().huge); }

void paint(benchmark::State &state, QWidget *viewport) {
  QImage image(viewport->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    viewport->render(&image);
    benchmark::DoNotOptimize(image.bits());
  }
}

void BM_Paint_Bare(benchmark::State &state) { paint(state, windows().bare->viewport()); }
void BM_Paint_Coloured(benchmark::State &state) { paint(state, windows().small->viewport()); }
void BM_Paint_Coloured_100MB(benchmark::State &state) { paint(state, windows().huge->viewport()); }

BENCHMARK(BM_ColourPass_1KB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColourPass_100MB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Paint_Bare)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Paint_Coloured)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Paint_Coloured_100MB)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  windows();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  windows() = Windows{};
  return 0;
}
