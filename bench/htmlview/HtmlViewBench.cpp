// First load of a framed site (a frameset of three pages, a style sheet, two images) in a fresh
// process: the suite's frame view to OnProcessing(false), opening the engine's module on the
// way as a program's first view does, against a bare engine view program (htmlview_probe_bare,
// which links the engine) to loadFinished. Also the opening of the module alone. Each run
// starts a child that measures one load.

#include "htmlview/HtmlEngine.h"
#include "htmlview/HtmlView.h"
#include "platform/Modules.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QUrl>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace {

double childLoadMs(const char *kind) {
  QProcess child;
  if (std::strcmp(kind, "bare") == 0)
    child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/htmlview_probe_bare"),
                {QString::fromUtf8(CORVANA_SITE)});
  else
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child=") + QString::fromLatin1(kind)});
  if (!child.waitForFinished(120000))
    return -1;
  bool ok = false;
  const double ms = QString::fromLatin1(child.readAllStandardOutput()).trimmed().toDouble(&ok);
  return ok ? ms : -1;
}

double measured[3] = {0, 0, 0};

void BM_FirstLoad(benchmark::State &state, const char *kind, int slot) {
  for (auto _ : state) {
    const double ms = childLoadMs(kind);
    if (ms < 0) {
      state.SkipWithError("the child process failed");
      return;
    }
    measured[slot] = ms;
    state.SetIterationTime(ms / 1000.0);
  }
  if (slot == 1 && measured[1] > 0)
    state.counters["ratio_to_bare"] = measured[0] / measured[1];
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
  std::printf("%.3f\n", timer.nsecsElapsed() / 1e6);
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
  benchmark::RegisterBenchmark("FirstLoad/FrameView", BM_FirstLoad, "frameview", 0)
      ->Iterations(1)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("FirstLoad/BareEngineView", BM_FirstLoad, "bare", 1)
      ->Iterations(1)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("FirstLoad/EngineModuleOnly", BM_FirstLoad, "module", 2)
      ->Iterations(1)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
