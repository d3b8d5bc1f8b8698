// Remove HTML and Highlight HTML on a 2 MB page in the editor's pane, each against a plain
// regular-expression replace of the same text: the tags removed from the page's text, and the
// bold groups written into the page's RTF.

#include "controls/RichEdit.h"
#include "platform/Forms.h"
#include "platform/Paths.h"
#include "prosel/ProselU.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString &Page() {
  static const QString page = [] {
    QString text = QStringLiteral("<html><head><title>Bench</title></head>\n<body>\n");
    for (int row = 0; text.size() < 2 * 1024 * 1024; ++row)
      text += QStringLiteral("<p class=\"row\">Row %1 of a long page: <a href=\"page.htm#x\">a link</a> and "
                             "<b>some</b> text &amp; more.</p>\n")
                  .arg(row);
    return text + QStringLiteral("</body></html>\n");
  }();
  return page;
}

corvana::TRichEdit *PreparedPane() {
  using namespace corvana;
  if (!ProselF)
    CreateForm(ProselF);
  ProselF->PlainText1Click();
  return ProselF->ActiveEditor;
}

void BM_RegexRemoveTags(benchmark::State &state) {
  const QRegularExpression tag(QStringLiteral("<[^>]*>"));
  for (auto _ : state) {
    QString text = Page();
    text.replace(tag, QString());
    benchmark::DoNotOptimize(text.size());
  }
}

void BM_ProselRemoveHtml(benchmark::State &state) {
  corvana::TRichEdit *pane = PreparedPane();
  for (auto _ : state) {
    state.PauseTiming();
    pane->SetText(Page());
    state.ResumeTiming();
    corvana::ProselF->RemoveHTML1Click();
    benchmark::DoNotOptimize(pane->document()->characterCount());
  }
}

void BM_RegexBoldTagsInRtf(benchmark::State &state) {
  corvana::TRichEdit *pane = PreparedPane();
  pane->SetText(Page());
  pane->SetPlainText(false);
  const QString rtf = QString::fromLatin1(pane->SaveToBytes());
  pane->SetPlainText(true);
  const QRegularExpression tag(QStringLiteral("(<[^>]*>)"));
  for (auto _ : state) {
    QString text = rtf;
    text.replace(tag, QStringLiteral("{\\b \\1}"));
    benchmark::DoNotOptimize(text.size());
  }
}

void BM_ProselHighlightHtml(benchmark::State &state) {
  corvana::TRichEdit *pane = PreparedPane();
  for (auto _ : state) {
    state.PauseTiming();
    pane->SetText(Page());
    state.ResumeTiming();
    corvana::ProselF->HighlightHTML1Click();
    benchmark::DoNotOptimize(pane->document()->characterCount());
  }
}

BENCHMARK(BM_RegexRemoveTags)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ProselRemoveHtml)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RegexBoldTagsInRtf)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ProselHighlightHtml)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  QTemporaryDir dir;
  corvana::OverrideSettingsFilePath(dir.filePath("bench.ini"));
  corvana::OverrideAppDir(dir.path());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  corvana::Application().DestroyForms();
  return 0;
}
