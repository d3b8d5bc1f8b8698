// The site wizard on a 10 000-entry script (100 sections, each a heading and 98 documents), from
// the pane's lines to the last page on disk, against writing the same bytes with one QSaveFile
// per page. Each run starts from an empty folder, so no page is skipped as already there. Both
// run on the disk (argument 0), where every page waits for its data to reach the disk, and in
// /dev/shm (argument 1), which shows the work above the file system.

#include "core/TextFiles.h"
#include "prosel/SiteScript.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir *onDisk = nullptr;
QTemporaryDir *inMemory = nullptr;
QTemporaryDir *directory = nullptr;

QString SiteDir() { return directory->filePath(QStringLiteral("site/")); }

void ChooseDirectory(const benchmark::State &state) { directory = state.range(0) == 0 ? onDisk : inMemory; }

QStringList Script() {
  QStringList lines{QStringLiteral("sitescript"), QStringLiteral("sitedir=") + SiteDir(),
                    QStringLiteral("sitetitle=Bench Site")};
  for (int s = 0; s < 100; ++s) {
    lines.append(QStringLiteral("1 section%1=Section %1;All about topic %1").arg(s));
    lines.append(QStringLiteral("2 h=Pages of section %1;").arg(s));
    for (int d = 0; d < 98; ++d)
      lines.append(QStringLiteral("3 page%1_%2=Page %2 of %1;The page on item %2 of topic %1").arg(s).arg(d));
  }
  return lines;
}

void EmptySiteDir(benchmark::State &state) {
  state.PauseTiming();
  QDir(SiteDir()).removeRecursively();
  state.ResumeTiming();
}

void BM_SiteWizard(benchmark::State &state) {
  using namespace corvana;
  ChooseDirectory(state);
  const QStringList lines = Script();
  for (auto _ : state) {
    EmptySiteDir(state);
    const SiteCheck check = CheckSiteScript(lines);
    const SitePlan plan = PlanSite(lines, check.header, {});
    benchmark::DoNotOptimize(WriteSite(plan));
  }
}

void BM_OneSaveFilePerPage(benchmark::State &state) {
  using namespace corvana;
  ChooseDirectory(state);
  const QStringList lines = Script();
  QDir().mkpath(SiteDir());
  const SitePlan plan = PlanSite(lines, CheckSiteScript(lines).header, {});
  QList<QPair<QString, QByteArray>> pages;
  for (const SitePage &page : plan.pages)
    pages.append({page.path, (page.lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8()});
  for (auto _ : state) {
    EmptySiteDir(state);
    QDir().mkdir(SiteDir());
    for (const auto &[path, bytes] : pages) {
      QSaveFile file(path);
      if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        state.SkipWithError("write failed");
    }
  }
}

BENCHMARK(BM_OneSaveFilePerPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_SiteWizard)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir disk;
  QTemporaryDir memory(QStringLiteral("/dev/shm/corvana-bench-XXXXXX"));
  onDisk = &disk;
  inMemory = memory.isValid() ? &memory : &disk;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
