// Opening a 100 MB notebook of a million nodes into the notebook window and showing its first
// page, against the outline model's load of the same file alone.

#include "arbolet/ArboletU.h"
#include "core/TextFiles.h"
#include "htmlview/HtmlView.h"
#include "outlineview/OutlineTreeView.h"
#include "platform/DecliningDialogs.h"
#include "platform/Forms.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir *directory = nullptr;
constexpr int Nodes = 1'000'000;

// Topics of ten sub-topics each; every sub-topic holds a page of a few lines.
const QString &NotebookPath() {
  static const QString path = [] {
    QByteArray file;
    file.reserve(105 * Nodes);
    int nodes = 0;
    for (int topic = 0; nodes < Nodes; ++topic) {
      const QByteArray t = QByteArray::number(topic);
      file += "Topic " + t + " of the notebook\r\n";
      ++nodes;
      for (int sub = 0; sub < 10 && nodes + 2 <= Nodes; ++sub, nodes += 2) {
        const QByteArray s = QByteArray::number(sub);
        file += "\tSection " + t + "." + s + "\r\n";
        file += "\t\t<h3><font color=blue>Section " + t + "." + s + "</font></h3>~<p>Notes on part " + s +
                " of topic " + t + ", with <b>bold</b> words.</p>~<ul><li>first</li><li>second</li></ul>\r\n";
      }
    }
    const QString p = directory->filePath("notebook.txt");
    corvana::WriteFileBytes(p, file);
    return p;
  }();
  return path;
}

class BenchDialogs : public corvana::DecliningDialogs {
public:
  bool confirm(const QString &) override { return true; }
  Answer askSave(const QString &) override { return Answer::No; }
  bool openFile(corvana::FileDialogOptions &options) override {
    options.fileName = NotebookPath();
    return true;
  }
};

void BM_OutlineTreeLoad(benchmark::State &state) {
  const QString path = NotebookPath();
  corvana::OutlineTree tree;
  for (auto _ : state) {
    state.PauseTiming();
    tree.Clear();
    state.ResumeTiming();
    tree.LoadFromFile(path);
    benchmark::DoNotOptimize(tree.count());
    state.PauseTiming();
    if (tree.count() != Nodes)
      state.SkipWithError("nodes missing");
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

void BM_ArboletWindowOpen(benchmark::State &state) {
  using namespace corvana;
  BenchDialogs dialogs;
  Application().setDialogs(&dialogs);
  const QString path = NotebookPath();
  OpenToolWindow(ArboletF);
  ArboletF->resize(1024, 768);
  QApplication::processEvents();
  for (auto _ : state) {
    state.PauseTiming();
    ArboletF->Close1Click();
    QApplication::processEvents();
    state.ResumeTiming();
    ArboletF->Open1Click();
    // The first topic's first section is clicked and its page rendered.
    OutlineNode *first = ArboletF->tree().firstNode()->firstChild();
    ArboletF->myhelp->expand(ArboletF->myhelp->model()->index(0, 0));
    ArboletF->selectNode(first);
    ArboletF->infoviewer->waitForLoad();
    ArboletF->myhelp->viewport()->repaint();
    QApplication::processEvents();
    benchmark::DoNotOptimize(ArboletF->helptext->document()->characterCount());
    state.PauseTiming();
    if (ArboletF->tree().count() != Nodes || ArboletF->helptext->toPlainText().isEmpty())
      state.SkipWithError("notebook not shown");
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
  Application().DestroyForms();
  Application().setDialogs(nullptr);
}

// Expanding a topic of 100 000 children in the window's tree and painting it (goal: under 100 ms).
void BM_ArboletExpandLargeTopic(benchmark::State &state) {
  using namespace corvana;
  BenchDialogs dialogs;
  Application().setDialogs(&dialogs);
  OpenToolWindow(ArboletF);
  ArboletF->resize(1024, 768);
  QByteArray file = "Big topic\r\n";
  for (int i = 0; i < 100'000; ++i)
    file += "\tChild " + QByteArray::number(i) + "\r\n";
  ArboletF->tree().loadFromBytes(file);
  QApplication::processEvents();
  const QModelIndex big = ArboletF->myhelp->model()->index(0, 0);
  for (auto _ : state) {
    state.PauseTiming();
    ArboletF->myhelp->collapse(big);
    QApplication::processEvents();
    state.ResumeTiming();
    ArboletF->myhelp->expand(big);
    ArboletF->myhelp->viewport()->repaint();
    QApplication::processEvents();
  }
  ArboletF->tree().Clear();
  Application().DestroyForms();
  Application().setDialogs(nullptr);
}

BENCHMARK(BM_OutlineTreeLoad)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ArboletWindowOpen)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ArboletExpandLargeTopic)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  QTemporaryDir dir;
  directory = &dir;
  corvana::OverrideSettingsFilePath(dir.filePath("bench.ini"));
  corvana::OverrideAppDir(dir.path());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
