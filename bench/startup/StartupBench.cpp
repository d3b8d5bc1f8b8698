// Launch to first exposed frame: the Corvana frame against a bare QMainWindow program.
// Runs on the platform in QT_QPA_PLATFORM (offscreen when unset).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char **environ;

namespace {

std::filesystem::path probeDir;

void runProbe(benchmark::State &state, const char *name, const char *option = nullptr) {
  const std::string path = (probeDir / name).string();
  for (auto _ : state) {
    pid_t pid = 0;
    char *argv[] = {const_cast<char *>(path.c_str()), const_cast<char *>(option), nullptr};
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start the probe");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the probe failed");
      return;
    }
  }
}

void BM_BareMainWindow(benchmark::State &state) { runProbe(state, "startup_probe_bare"); }
void BM_BareMainWindowWithMenu(benchmark::State &state) { runProbe(state, "startup_probe_bare", "--menu"); }
void BM_CorvanaFrame(benchmark::State &state) { runProbe(state, "startup_probe_corvana"); }

BENCHMARK(BM_BareMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_BareMainWindowWithMenu)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_CorvanaFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  probeDir = std::filesystem::canonical("/proc/self/exe").parent_path();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
