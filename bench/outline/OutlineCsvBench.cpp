// Outline file load and save against `wc -l` on the same file, and CSV import and export
// against Python's csv module on the same data, on generated files of about 100 MB.
// The peers run as subprocesses in the same run; the ratios are printed at the end.

#include "kelpwood/TreeDatabase.h"
#include "outline/OutlineTree.h"
#include "platform/DecliningDialogs.h"
#include "platform/Dialogs.h"
#include "core/TextFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <random>

using namespace corvana;
using Clock = std::chrono::steady_clock;

namespace {

constexpr qsizetype kTargetBytes = 100 << 20;

struct Files {
  QTemporaryDir dir;
  QString outline, csv;
};

Files &files() {
  static Files f;
  return f;
}

QByteArray word(std::mt19937 &random) {
  static const char *words[] = {"alpha", "river", "stone", "Corvana", "page", "x",   "lantern", "harbour",
                                "42",    "north", "ink",   "table",   "élan", "<b>", "window",  "quiet"};
  return words[random() % 16];
}

// A notebook: top-level topics, each with one page, some topics nested one level deeper.
void makeOutline(const QString &path) {
  std::mt19937 random(1);
  QByteArray out;
  out.reserve(kTargetBytes + 4096);
  for (int topic = 0; out.size() < kTargetBytes; ++topic) {
    const bool nested = topic % 5 == 4;
    const QByteArray indent = nested ? "\t" : "";
    out += indent + "Topic " + QByteArray::number(topic) + "\r\n";
    out += indent + "\t<p>";
    for (int w = int(random() % 20) + 4; w > 0; --w)
      out += word(random) + (w % 7 == 0 ? "~" : " ");
    out += "</p>\r\n";
  }
  WriteFileBytes(path, out);
}

// A database of 8 fields per record, written by the export itself (quoting included).
void makeCsv(const QString &path) {
  std::mt19937 random(2);
  OutlineTree tree;
  OutlineNode *fields = tree.Add(nullptr, "_fields");
  for (int i = 1; i <= 8; ++i)
    tree.AddChild(fields, "field" + QByteArray::number(i));
  qsizetype size = 0;
  for (int r = 0; size < kTargetBytes; ++r) {
    OutlineNode *record = tree.Add(nullptr, "r");
    for (int i = 0; i < 8; ++i) {
      QByteArray value = word(random);
      if (i == 2)
        value += " " + word(random); // quoted: holds a blank
      else if (i == 5 && r % 3 == 0)
        value += ",\"" + word(random) + "\""; // quoted with doubled quotes
      else
        value += QByteArray::number(int(random() % 100000));
      size += value.size() + 1;
      tree.AddChild(record, value);
    }
    size += 1;
  }
  DecliningDialogs dialogs;
  TreeDatabase db(tree, dialogs);
  WriteFileBytes(path, db.ExportCsvBytes());
}

// Runs a program and gives its wall time; `reported` takes a time the program prints itself.
double runPeer(const QString &program, const QStringList &args, bool reported) {
  QProcess process;
  const auto start = Clock::now();
  process.start(program, args);
  if (!process.waitForFinished(-1) || process.exitCode() != 0) {
    std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), process.readAllStandardError().constData());
    return 0;
  }
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  return reported ? process.readAllStandardOutput().trimmed().toDouble() : wall;
}

template <typename F> double timed(F &&f) {
  const auto start = Clock::now();
  f();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_WcLines(benchmark::State &state) {
  for (auto _ : state)
    state.SetIterationTime(runPeer("wc", {"-l", files().outline}, false));
  state.SetBytesProcessed(state.iterations() * QFileInfo(files().outline).size());
}

void BM_OutlineLoad(benchmark::State &state) {
  for (auto _ : state) {
    auto tree = std::make_unique<OutlineTree>();
    state.SetIterationTime(timed([&] { tree->LoadFromFile(files().outline); }));
    state.counters["nodes"] = double(tree->count());
  }
  state.SetBytesProcessed(state.iterations() * QFileInfo(files().outline).size());
}

void BM_OutlineSave(benchmark::State &state) {
  OutlineTree tree;
  tree.LoadFromFile(files().outline);
  const QString out = files().dir.filePath("saved.txt");
  for (auto _ : state)
    state.SetIterationTime(timed([&] { tree.SaveToFile(out); }));
  state.SetBytesProcessed(state.iterations() * QFileInfo(files().outline).size());
}

void BM_OutlineSaveNoSync(benchmark::State &state) {
  OutlineTree tree;
  tree.LoadFromFile(files().outline);
  for (auto _ : state)
    state.SetIterationTime(timed([&] { benchmark::DoNotOptimize(tree.saveToBytes()); }));
  state.SetBytesProcessed(state.iterations() * QFileInfo(files().outline).size());
}

const char *kPythonRead = "import csv,sys,time\n"
                          "t=time.perf_counter()\n"
                          "with open(sys.argv[1],newline='',encoding='utf-8') as f: rows=list(csv.reader(f))\n"
                          "print(time.perf_counter()-t)\n";
const char *kPythonWrite =
    "import csv,sys,time\n"
    "with open(sys.argv[1],newline='',encoding='utf-8') as f: rows=list(csv.reader(f))\n"
    "t=time.perf_counter()\n"
    "with open(sys.argv[2],'w',newline='',encoding='utf-8') as f: csv.writer(f).writerows(rows)\n"
    "print(time.perf_counter()-t)\n";

void BM_PythonCsvRead(benchmark::State &state) {
  for (auto _ : state)
    state.SetIterationTime(runPeer("python3", {"-c", kPythonRead, files().csv}, true));
  state.SetBytesProcessed(state.iterations() * QFileInfo(files().csv).size());
}

void BM_PythonCsvWrite(benchmark::State &state) {
  const QString out = files().dir.filePath("python.csv");
  for (auto _ : state)
    state.SetIterationTime(runPeer("python3", {"-c", kPythonWrite, files().csv, out}, true));
  state.SetBytesProcessed(state.iterations() * QFileInfo(files().csv).size());
}

void BM_CsvImport(benchmark::State &state) {
  DecliningDialogs dialogs;
  for (auto _ : state) {
    auto tree = std::make_unique<OutlineTree>();
    TreeDatabase db(*tree, dialogs);
    state.SetIterationTime(timed([&] { db.ImportCsvFile(db.BeginCsvImport(), files().csv); }));
    state.counters["records"] = double(tree->topLevelCount());
  }
  state.SetBytesProcessed(state.iterations() * QFileInfo(files().csv).size());
}

void BM_CsvExport(benchmark::State &state) {
  DecliningDialogs dialogs;
  OutlineTree tree;
  TreeDatabase db(tree, dialogs);
  db.ImportCsvFile(db.BeginCsvImport(), files().csv);
  const QString out = files().dir.filePath("export.csv");
  for (auto _ : state)
    state.SetIterationTime(timed([&] { WriteFileBytes(out, db.ExportCsvBytes()); }));
  state.SetBytesProcessed(state.iterations() * QFileInfo(files().csv).size());
}

void BM_CsvExportLines(benchmark::State &state) {
  DecliningDialogs dialogs;
  OutlineTree tree;
  TreeDatabase db(tree, dialogs);
  db.ImportCsvFile(db.BeginCsvImport(), files().csv);
  for (auto _ : state)
    state.SetIterationTime(timed([&] { benchmark::DoNotOptimize(db.ExportCsvBytes()); }));
  state.SetBytesProcessed(state.iterations() * QFileInfo(files().csv).size());
}

BENCHMARK(BM_WcLines)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutlineLoad)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutlineSave)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutlineSaveNoSync)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PythonCsvRead)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImport)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PythonCsvWrite)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvExport)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvExportLines)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> seconds;
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &run : runs)
      if (run.run_type == Run::RT_Iteration)
        seconds[run.run_name.function_name] = run.GetAdjustedRealTime() / 1e3; // ms
    ConsoleReporter::ReportRuns(runs);
  }
  void ratio(const char *what, const std::string &peer, const std::string &ours, double goal) {
    if (!seconds.count(peer) || !seconds.count(ours) || seconds[ours] <= 0)
      return;
    const double r = seconds[peer] / seconds[ours];
    std::printf("%-34s %6.2fx the peer's speed (goal %.2fx) %s\n", what, r, goal, r >= goal ? "met" : "NOT met");
  }
};

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  files().outline = files().dir.filePath("notebook.txt");
  files().csv = files().dir.filePath("table.csv");
  makeOutline(files().outline);
  makeCsv(files().csv);
  std::printf("outline file %lld bytes, csv file %lld bytes\n", QFileInfo(files().outline).size(),
              QFileInfo(files().csv).size());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n");
  reporter.ratio("outline load vs wc -l", "BM_WcLines", "BM_OutlineLoad", 0.25);
  reporter.ratio("outline save vs wc -l", "BM_WcLines", "BM_OutlineSave", 0.25);
  reporter.ratio("outline save in memory vs wc -l", "BM_WcLines", "BM_OutlineSaveNoSync", 0.25);
  reporter.ratio("csv import vs python csv.reader", "BM_PythonCsvRead", "BM_CsvImport", 2.0);
  reporter.ratio("csv export vs python csv.writer", "BM_PythonCsvWrite", "BM_CsvExport", 2.0);
  reporter.ratio("csv lines in memory vs csv.writer", "BM_PythonCsvWrite", "BM_CsvExportLines", 2.0);
  benchmark::Shutdown();
  return 0;
}
