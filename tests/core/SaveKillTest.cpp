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
  int killedMidWrite = 0;
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
    if (WIFSIGNALED(status)) {
      ++killedMidWrite;
      EXPECT_EQ(dir.read("page.htm"), old) << "run " << run;
    } else {
      // The save finished before the kill: then it holds the whole new text, and the next
      // run starts from the old text again.
      ASSERT_EQ(WEXITSTATUS(status), 0);
      EXPECT_EQ(QFileInfo(path).size(), large.size());
      dir.write("page.htm", old);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"page.htm"}) << "run " << run;
  }
  EXPECT_GT(killedMidWrite, 25);
}
