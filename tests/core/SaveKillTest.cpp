// A save killed outright (SIGKILL, a power cut as far as the program knows) half way through a
// large file: the old file must be there byte for byte afterwards, with nothing left beside it.

#include "core/TextFiles.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace corvana;
using corvana::test::TempDir;

TEST(SaveKill, AKilledLargeSaveLeavesTheOldFileWhole) {
  TempDir dir;
  const QByteArray old = "<p>the page as it was</p>\r\n";
  const QString path = dir.write("page.htm", old);
  const QByteArray large(100 * 1024 * 1024, 'x');
  const auto startSave = [&] {
    const pid_t child = fork();
    if (child == 0) {
      try {
        WriteFileBytes(path, large);
      } catch (...) {
        _exit(2);
      }
      _exit(0);
    }
    return child;
  };
  // How long a whole save takes on this machine, so the kills land inside the write however
  // fast the disk is.
  QElapsedTimer clock;
  clock.start();
  const pid_t timed = startSave();
  ASSERT_GE(timed, 0);
  int timedStatus = 0;
  ASSERT_EQ(waitpid(timed, &timedStatus, 0), timed);
  ASSERT_TRUE(WIFEXITED(timedStatus) && WEXITSTATUS(timedStatus) == 0);
  const qint64 saveMicroseconds = std::max<qint64>(clock.nsecsElapsed() / 1000, 2);
  dir.write("page.htm", old);

  std::mt19937 random(20261209);
  int oldKept = 0;
  for (int run = 0; run < 50; ++run) {
    const pid_t child = startSave();
    ASSERT_GE(child, 0);
    // From at once to half way through a save.
    usleep(useconds_t(random() % quint64(saveMicroseconds / 2)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) || WEXITSTATUS(status) == 0) << "run " << run;
    // Killed or not, the file is one of the two whole texts, never a part of the new one. A
    // child can also be killed after its save has finished (on its way out).
    const QByteArray now = dir.read("page.htm");
    const bool keptOld = now == old;
    EXPECT_TRUE(keptOld || (now.size() == large.size() && now == large))
        << "run " << run << ": " << now.size() << " bytes";
    if (keptOld)
      ++oldKept;
    else
      dir.write("page.htm", old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"page.htm"}) << "run " << run;
  }
  // Kills land before the save is done, unless the machine stalls the parent badly.
  EXPECT_GE(oldKept, 10);
}
