// A directory of 100 000 files listed in the file list (every name present and sorted), against
// `find DIR -maxdepth 1 -printf '%s %T@\n'` run as a process in the same benchmark.

#include "controls/FileChain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

using namespace corvana;

namespace {

constexpr int Files = 100000;
QTemporaryDir *workDir = nullptr;

void makeFiles() {
  for (int i = 0; i < Files; ++i) {
    // Names in an order the list has to sort, upper and lower case mixed.
    const QString name = QStringLiteral("%1file%2.%3")
                             .arg(i % 2 ? QStringLiteral("A") : QStringLiteral("b"))
                             .arg((i * 7919) % Files, 6, 10, QLatin1Char('0'))
                             .arg(i % 3 ? QStringLiteral("htm") : QStringLiteral("gif"));
    QFile file(workDir->filePath(name));
    file.open(QIODevice::WriteOnly);
  }
}

void BM_FileListBox(benchmark::State &state) {
  FileListBox list;
  list.resize(250, 600);
  list.show();
  for (auto _ : state) {
    list.setDirectory(QString());
    list.setDirectory(workDir->path());
    list.waitForListing();
    list.repaint();
    if (list.count() != Files) {
      state.SkipWithError("not every file was listed");
      return;
    }
  }
}

void BM_Find(benchmark::State &state) {
  const std::string dir = workDir->path().toStdString();
  for (auto _ : state) {
    pid_t pid = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const char *argv[] = {"find", dir.c_str(), "-maxdepth", "1", "-printf", "%s %T@\\n", nullptr};
    const int failed = posix_spawnp(&pid, "find", &actions, nullptr, const_cast<char **>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (failed || waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("find failed");
      return;
    }
  }
}

BENCHMARK(BM_FileListBox)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_Find)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir dir;
  workDir = &dir;
  makeFiles();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
