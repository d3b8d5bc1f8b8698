// The undo snapshot every press takes, on a 4096 x 4096 image: one stroke of the line tool (a
// press, 100 moves fanning round the press point, a release) with snapshots on, against the
// same stroke on a model with snapshots off. Strokes repeat, so the tiles a stroke changed are
// brought into the ring by the next press and counted too. After the benchmarks the program
// prints the ratio of the two and the memory five undo steps hold.

#include "platform/DecliningDialogs.h"
#include "platform/Dialogs.h"
#include "smudgel/PaintModel.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>

using namespace corvana;
using namespace corvana::smudgel;

namespace {

constexpr int Side = 4096;
constexpr int Moves = 100;

DecliningDialogs dialogs;

// Stroke k starts at its own place and sweeps a quarter turn while the pointer moves outwards.
void Stroke(PaintModel &model, int k) {
  const int sx = 300 + (k * 37) % 700, sy = 300 + (k * 53) % 700;
  model.mypaintMouseDown(Qt::LeftButton, {}, sx, sy);
  int x = sx, y = sy;
  for (int i = 1; i <= Moves; ++i) {
    const double a = (k % 4) * std::numbers::pi / 2 + std::numbers::pi / 2 * i / Moves;
    const double r = 30.0 * i;
    x = std::clamp(int(sx + r * std::cos(a)), 0, Side - 1);
    y = std::clamp(int(sy + r * std::sin(a)), 0, Side - 1);
    model.mypaintMouseMove({}, x, y);
  }
  model.mypaintMouseUp(Qt::LeftButton, {}, x, y);
}

std::unique_ptr<PaintModel> MakeModel(bool snapshots) {
  auto model = std::make_unique<PaintModel>(dialogs);
  model->setImageSize(Side, Side);
  model->setSnapshotsEnabled(snapshots);
  return model;
}

void BM_LineStroke(benchmark::State &state) {
  auto model = MakeModel(state.range(0) != 0);
  int k = 0;
  for (auto _ : state)
    Stroke(*model, k++);
  state.SetLabel(state.range(0) ? "snapshots on" : "snapshots off");
}
BENCHMARK(BM_LineStroke)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

double SecondsPerStroke(PaintModel &model, int strokes) {
  const auto t0 = std::chrono::steady_clock::now();
  for (int k = 0; k < strokes; ++k)
    Stroke(model, k);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / strokes;
}

double MegaBytes(qint64 bytes) { return double(bytes) / (1024.0 * 1024.0); }

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0)
      return std::stol(line.substr(6));
  return 0;
}

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

} // namespace

int main(int argc, char **argv) {
  // memory first, so the process peak belongs to this scenario
  const long before = ResidentKiB();
  {
    auto model = MakeModel(true);
    const long afterSetup = ResidentKiB(), peakSetup = PeakKiB();
    for (int k = 0; k < 5; ++k)
      Stroke(*model, k);
    for (int k = 0; k < 5; ++k)
      model->goUndo();
    const long peak = PeakKiB(), resident = ResidentKiB();
    // the check itself builds whole-image bitmaps, so it comes after the figures
    const QString fault = model->checkConsistency();
    std::printf("five undo steps on %d x %d: ring tiles %.2f MiB next to the %.1f MiB image; resident %.1f MiB "
                "before the model, %.1f MiB with the blank image, %.1f MiB after five strokes and five undos, "
                "process peak %.1f MiB (%.1f MiB already while growing the image)%s\n",
                Side, Side, MegaBytes(model->undoRing().memoryBytes()), MegaBytes(qint64(Side) * Side * 4),
                before / 1024.0, afterSetup / 1024.0, resident / 1024.0, peak / 1024.0, peakSetup / 1024.0,
                fault.isEmpty() ? "" : " INCONSISTENT");
  }

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  auto on = MakeModel(true), off = MakeModel(false);
  SecondsPerStroke(*on, 10);
  SecondsPerStroke(*off, 10);
  const double tOff = SecondsPerStroke(*off, 200), tOn = SecondsPerStroke(*on, 200);
  std::printf("line stroke on %d x %d: %.1f us without snapshots, %.1f us with, ratio %.2f (goal <= 1.5)\n", Side, Side,
              tOff * 1e6, tOn * 1e6, tOn / tOff);
  return 0;
}
