// A save killed outright (SIGKILL, a power cut as far as the program knows) half way through a
// large file: the old file must be there byte for byte afterwards, with nothing left beside it.

#include "core/TextFiles.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <QFileInfo>
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
  std::mt19937 random(20261209);
  int oldKept = 0;
  for (int run = 0; run < 50; ++run) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        WriteFileBytes(path, large);
      } catch (...) {
        _exit(2);
      }
      _exit(0);
    }
    // From at once to well into the write.
    usleep(useconds_t(random() % 150000));
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
  // Most kills land before the save is done.
  EXPECT_GT(oldKept, 25);
}
