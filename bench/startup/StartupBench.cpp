// Launch to first exposed frame: the Corvana frame against a bare QMainWindow program, and the
// resident memory of both shortly after that frame. Runs on the platform in QT_QPA_PLATFORM
// (offscreen when unset). The time runs from the spawn to the clock the probe reads at its
// frame; "until_exit_ms" also counts the kernel's teardown of the ended process, which grows
// with the memory a program has mapped.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

std::filesystem::path probeDir;

// Runs a probe to its end; false when it cannot start or fails.
bool spawnProbe(const char *name, std::initializer_list<const char *> options) {
  const std::string path = (probeDir / name).string();
  std::vector<char *> argv{const_cast<char *>(path.c_str())};
  for (const char *option : options)
    argv.push_back(const_cast<char *>(option));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
    return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int64_t monotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// One launch of a probe: milliseconds to its first frame and to its end; negative on failure.
struct ProbeTimes {
  double exposedMs = -1, exitMs = -1;
};

ProbeTimes timeProbe(const char *name, std::initializer_list<const char *> options) {
  const std::string file = (std::filesystem::temp_directory_path() / "corvana-probe-exposed").string();
  std::filesystem::remove(file);
  setenv("CORVANA_PROBE_EXPOSED", file.c_str(), 1);
  const int64_t start = monotonicNs();
  const bool ok = spawnProbe(name, options);
  const int64_t end = monotonicNs();
  unsetenv("CORVANA_PROBE_EXPOSED");
  std::ifstream in(file);
  int64_t exposed = 0;
  ProbeTimes times;
  if (ok && (in >> exposed) && exposed >= start)
    times = {double(exposed - start) / 1e6, double(end - start) / 1e6};
  std::filesystem::remove(file);
  return times;
}

void runProbe(benchmark::State &state, const char *name, const char *option = nullptr) {
  double untilExit = 0;
  for (auto _ : state) {
    const ProbeTimes times = option ? timeProbe(name, {option}) : timeProbe(name, {});
    if (times.exposedMs < 0) {
      state.SkipWithError("the probe failed");
      break;
    }
    state.SetIterationTime(times.exposedMs / 1000);
    untilExit += times.exitMs;
  }
  if (state.iterations() > 0)
    state.counters["until_exit_ms"] = untilExit / double(state.iterations());
}

double median(std::vector<double> figures) {
  std::sort(figures.begin(), figures.end());
  const size_t n = figures.size();
  return n % 2 ? figures[n / 2] : (figures[n / 2 - 1] + figures[n / 2]) / 2;
}

// The goal's ratio: the frame and the bare window with a menu launched in turn, each iteration
// one of each, so that the machine's drift over the run falls on both alike.
void BM_FrameAgainstBareWithMenu(benchmark::State &state) {
  std::vector<double> bare, frame;
  for (auto _ : state) {
    const ProbeTimes b = timeProbe("startup_probe_bare", {"--menu"});
    const ProbeTimes f = timeProbe("startup_probe_corvana", {});
    if (b.exposedMs < 0 || f.exposedMs < 0) {
      state.SkipWithError("a probe failed");
      return;
    }
    bare.push_back(b.exposedMs);
    frame.push_back(f.exposedMs);
    state.SetIterationTime((b.exposedMs + f.exposedMs) / 1000);
  }
  state.counters["bare_median_ms"] = median(bare);
  state.counters["corvana_median_ms"] = median(frame);
  state.counters["ratio"] = median(frame) / median(bare);
}

// A probe's resident memory in MB a second after its first frame; negative on failure.
double probeResidentMb(const char *name, std::initializer_list<const char *> options) {
  const std::string file = (std::filesystem::temp_directory_path() / "corvana-probe-rss").string();
  std::filesystem::remove(file);
  setenv("CORVANA_PROBE_RSS", file.c_str(), 1);
  const bool ok = spawnProbe(name, options);
  unsetenv("CORVANA_PROBE_RSS");
  std::ifstream in(file);
  double kb = -1;
  if (!ok || !(in >> kb))
    return -1;
  std::filesystem::remove(file);
  return kb / 1024.0;
}

void BM_BareMainWindow(benchmark::State &state) { runProbe(state, "startup_probe_bare"); }
void BM_BareMainWindowWithMenu(benchmark::State &state) { runProbe(state, "startup_probe_bare", "--menu"); }
void BM_CorvanaFrame(benchmark::State &state) { runProbe(state, "startup_probe_corvana"); }

// Both programs measured one after the other in each iteration; the time is not the point.
void BM_ResidentMemory(benchmark::State &state) {
  double bare = 0, corvana = 0;
  for (auto _ : state) {
    bare = probeResidentMb("startup_probe_bare", {"--menu", "--edit"});
    corvana = probeResidentMb("startup_probe_corvana", {});
    if (bare <= 0 || corvana <= 0) {
      state.SkipWithError("a probe failed");
      return;
    }
  }
  state.counters["bare_rss_mb"] = bare;
  state.counters["corvana_rss_mb"] = corvana;
  state.counters["rss_ratio"] = corvana / bare;
}

BENCHMARK(BM_BareMainWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3.0);
BENCHMARK(BM_BareMainWindowWithMenu)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3.0);
BENCHMARK(BM_CorvanaFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3.0);
BENCHMARK(BM_FrameAgainstBareWithMenu)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(101);
BENCHMARK(BM_ResidentMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  probeDir = std::filesystem::canonical("/proc/self/exe").parent_path();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
