// Load CSV of a 100 MB file of a million records into the database window and showing it,
// against the database's CSV import alone on the same file.

#include "core/TextFiles.h"
#include "kelpwood/KelpwoodU.h"
#include "kelpwood/TreeDatabase.h"
#include "outlineview/OutlineTreeView.h"
#include "platform/DecliningDialogs.h"
#include "platform/Forms.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir *directory = nullptr;
constexpr int Records = 1'000'000;

const QString &CsvPath() {
  static const QString path = [] {
    QByteArray csv;
    csv.reserve(105 * Records);
    csv += "id,first,last,street,city,zip,phone,mail\r\n";
    for (int i = 1; i < Records; ++i) {
      const QByteArray n = QByteArray::number(i);
      csv += "rec" + n + ",First" + n + ",Lastname" + n + ",\"Harbour Street " + n + "\",City" +
             QByteArray::number(i % 997) + "," + QByteArray::number(10000 + i % 89999) + ",+4790" + n + ",user" + n +
             "@example.org\r\n";
    }
    const QString p = directory->filePath("records.csv");
    corvana::WriteFileBytes(p, csv);
    return p;
  }();
  return path;
}

// Chooses the CSV file and says yes to the window's questions.
class BenchDialogs : public corvana::DecliningDialogs {
public:
  bool confirm(const QString &) override { return true; }
  bool openFile(corvana::FileDialogOptions &options) override {
    options.fileName = CsvPath();
    return true;
  }
};

void BM_TreeDatabaseImportCsv(benchmark::State &state) {
  using namespace corvana;
  BenchDialogs dialogs;
  const QString path = CsvPath();
  // One tree cleared between runs, as the window's is by Close.
  OutlineTree tree;
  TreeDatabase database(tree, dialogs);
  for (auto _ : state) {
    state.PauseTiming();
    tree.Clear();
    state.ResumeTiming();
    database.ImportCsvFile(database.BeginCsvImport(), path);
    benchmark::DoNotOptimize(tree.count());
    state.PauseTiming();
    if (tree.topLevelCount() != Records)
      state.SkipWithError("records missing");
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

void BM_KelpwoodWindowLoadCsv(benchmark::State &state) {
  using namespace corvana;
  BenchDialogs dialogs;
  Application().setDialogs(&dialogs);
  const QString path = CsvPath();
  OpenToolWindow(KelpwoodF);
  KelpwoodF->resize(1024, 768);
  QApplication::processEvents();
  for (auto _ : state) {
    state.PauseTiming();
    KelpwoodF->Close1Click();
    QApplication::processEvents();
    state.ResumeTiming();
    KelpwoodF->dtLoadCSVClick();
    // Shown: the tree lays out and paints its rows.
    KelpwoodF->mydata->viewport()->repaint();
    QApplication::processEvents();
    benchmark::DoNotOptimize(KelpwoodF->mydata->model()->rowCount());
    state.PauseTiming();
    if (KelpwoodF->mydata->model()->rowCount() != Records)
      state.SkipWithError("records missing");
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
  Application().DestroyForms();
  Application().setDialogs(nullptr);
}

BENCHMARK(BM_TreeDatabaseImportCsv)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_KelpwoodWindowLoadCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

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
