// Opening a 5 MB HTML file into the editor's bottom pane in plain mode, against giving the
// same text to a bare QPlainTextEdit.

#include "controls/RichEdit.h"
#include "core/TextFiles.h"
#include "platform/Forms.h"
#include "platform/Paths.h"
#include "prosel/ProselU.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir *directory = nullptr;

const QString &PagePath() {
  static const QString path = [] {
    QByteArray page = "<html><head><title>Bench</title></head>\r\n<body>\r\n";
    int row = 0;
    while (page.size() < 5 * 1024 * 1024)
      page += "<p class=\"row\">Row " + QByteArray::number(row++) +
              " of a long page: <a href=\"page.htm#x\">a link</a> and <b>some</b> text.</p>\r\n";
    page += "</body></html>\r\n";
    const QString p = directory->filePath("big.htm");
    corvana::WriteFileBytes(p, page);
    return p;
  }();
  return path;
}

void BM_ProselOpenIntoEditorB(benchmark::State &state) {
  using namespace corvana;
  CreateForm(ProselF);
  ProselF->Bottom1Click();
  ProselF->PlainText1Click();
  const QString path = PagePath();
  for (auto _ : state) {
    ProselF->EditorB->LoadFromFile(path);
    benchmark::DoNotOptimize(ProselF->EditorB->document()->blockCount());
  }
  Application().DestroyForms();
}

void BM_PlainTextEditSetPlainText(benchmark::State &state) {
  QPlainTextEdit edit;
  const QString path = PagePath();
  for (auto _ : state) {
    // The peer also reads the file, so both sides pay for the same bytes.
    edit.setPlainText(corvana::ReadTextFile(path));
    benchmark::DoNotOptimize(edit.document()->blockCount());
  }
}

BENCHMARK(BM_PlainTextEditSetPlainText)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ProselOpenIntoEditorB)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  QTemporaryDir dir;
  directory = &dir;
  corvana::OverrideSettingsFilePath(dir.filePath("bench.ini"));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
