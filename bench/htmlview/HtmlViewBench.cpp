// First load of a framed site (a frameset of three pages, a style sheet, two images) in a fresh
// process: the suite's frame view to OnProcessing(false), opening the engine's module on the
// way as a program's first view does, against a bare engine view program (htmlview_probe_bare,
// which links the engine) to loadFinished. Each run starts a child that measures one load,
// twice over: from showing the view, where the bare program has loaded the engine before it
// starts its clock, and from the child's launch, where both pay for loading the engine, the
// one at its start and the other at its first view. Also the opening of the module alone.

#include "htmlview/HtmlEngine.h"
#include "htmlview/HtmlView.h"
#include "platform/Modules.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QUrl>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>
#include <vector>

namespace {

qint64 monotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// The child's figure: `part` 0 from showing the view, 1 from its launch; negative on failure.
double childLoadMs(const char *kind, int part) {
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("CORVANA_LAUNCH_NS"), QString::number(monotonicNs()));
  child.setProcessEnvironment(environment);
  if (std::strcmp(kind, "bare") == 0)
    child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/htmlview_probe_bare"),
                {QString::fromUtf8(CORVANA_SITE)});
  else
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child=") + QString::fromLatin1(kind)});
  if (!child.waitForFinished(120000))
    return -1;
  const QStringList figures = QString::fromLatin1(child.readAllStandardOutput()).split(u' ', Qt::SkipEmptyParts);
  bool ok = false;
  const double ms = figures.value(part).trimmed().toDouble(&ok);
  return ok ? ms : -1;
}

// Median times of the frame view and the bare program from showing the view, the module
// alone, then both from launch. Each child is a fresh process whose load varies by tens of
// milliseconds now and then; the median keeps one slow child from deciding the ratio.
constexpr int kRuns = 9;
double measured[5] = {0, 0, 0, 0, 0};

double median(std::vector<double> figures) {
  std::sort(figures.begin(), figures.end());
  const size_t n = figures.size();
  return n % 2 ? figures[n / 2] : (figures[n / 2 - 1] + figures[n / 2]) / 2;
}

void BM_FirstLoad(benchmark::State &state, const char *kind, int slot) {
  const int part = slot >= 3 ? 1 : 0;
  std::vector<double> figures;
  for (auto _ : state) {
    const double ms = childLoadMs(kind, part);
    if (ms < 0) {
      state.SkipWithError("the child process failed");
      return;
    }
    figures.push_back(ms);
    state.SetIterationTime(ms / 1000.0);
  }
  measured[slot] = median(figures);
  state.counters["median_ms"] = measured[slot];
  if ((slot == 1 || slot == 4) && measured[slot] > 0)
    state.counters["ratio_to_bare"] = measured[slot - 1] / measured[slot];
}

int runChild(const char *kind) {
  const QString site = QString::fromUtf8(CORVANA_SITE);
  QElapsedTimer timer;
  bool done = false;
  if (std::strcmp(kind, "frameview") == 0) {
    corvana::TFrameView view;
    view.resize(800, 600);
    view.OnProcessing = [&](bool processing) { done = done || !processing; };
    timer.start();
    view.show();
    view.LoadFromFile(site);
    corvana::WaitUntil([&] { return done; }, 60000);
  } else {
    // Opening the engine's module only, as the first view does before it shows anything.
    QString error;
    timer.start();
    done = corvana::ResolveModuleSymbol(QString::fromLatin1(corvana::kHtmlEngineModule),
                                        corvana::kCreateHtmlEngineEntry, &error) != nullptr;
  }
  if (!done)
    return 1;
  const double sinceShow = timer.nsecsElapsed() / 1e6;
  const char *launch = std::getenv("CORVANA_LAUNCH_NS");
  const double sinceLaunch = launch ? (monotonicNs() - std::atoll(launch)) / 1e6 : -1;
  std::printf("%.3f %.3f\n", sinceShow, sinceLaunch);
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--child=", 8) == 0) {
      QApplication app(argc, argv);
      return runChild(argv[i] + 8);
    }
  }
  QCoreApplication app(argc, argv);
  // In slot order: the figures of one are read by the next for its ratio.
  const struct {
    const char *name, *kind;
  } runs[] = {{"FirstLoad/FrameView", "frameview"},
              {"FirstLoad/BareEngineView", "bare"},
              {"FirstLoad/EngineModuleOnly", "module"},
              {"FromLaunch/FrameView", "frameview"},
              {"FromLaunch/BareEngineView", "bare"}};
  for (int slot = 0; slot < int(std::size(runs)); ++slot)
    benchmark::RegisterBenchmark(runs[slot].name, BM_FirstLoad, runs[slot].kind, slot)
        ->Iterations(kRuns)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
