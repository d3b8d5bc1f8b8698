#include "twinfold/FileOperations.h"
#include "core/Error.h"
#include "support/SaveFaults.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::TempDir;

namespace {

QStringList allNames(const QString &path) {
  return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

class Files : public testing::Test {
protected:
  TempDir dir;
  QString from = dir.path("from"), to = dir.path("to");
  void SetUp() override {
    QDir().mkpath(from);
    QDir().mkpath(to);
  }
};

TEST_F(Files, CopyingThreeWhereOneExistsCopiesTwoAndKeepsTheThird) {
  dir.write("from/a.txt", "A");
  dir.write("from/b.txt", "B");
  dir.write("from/c.txt", "C");
  dir.write("to/b.txt", "old b");
  const CopyResult result = CopyFiles(from, {"a.txt", "b.txt", "c.txt"}, to);
  EXPECT_EQ(result.copied, (QStringList{"a.txt", "c.txt"}));
  EXPECT_EQ(result.skipped, QStringList{"b.txt"});
  EXPECT_EQ(dir.read("to/a.txt"), "A");
  EXPECT_EQ(dir.read("to/b.txt"), "old b");
  EXPECT_EQ(allNames(to), (QStringList{"a.txt", "b.txt", "c.txt"}));
}

TEST_F(Files, AFileIsNeverCopiedOntoItselfHoweverItsPathIsSpelt) {
  dir.write("from/a.txt", "keep me");
  QFile::link(from, dir.path("alias"));
  EXPECT_EQ(CopyFiles(from, {"a.txt"}, dir.path("alias")).skipped, QStringList{"a.txt"});
  EXPECT_EQ(CopyFiles(from, {"a.txt"}, from + "/../from/").skipped, QStringList{"a.txt"});
  EXPECT_EQ(dir.read("from/a.txt"), "keep me");
}

TEST_F(Files, ACancelledCopyLeavesNoPartOfAFile) {
  dir.write("from/big.bin", QByteArray(3 << 20, 'x'));
  dir.write("from/small.txt", "s");
  int calls = 0;
  const CopyResult result = CopyFiles(from, {"small.txt", "big.bin"}, to, [&](qint64, const QString &) {
    return ++calls < 3; // small.txt's one chunk and its end; big.bin's first megabyte stops it
  });
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(result.copied, QStringList{"small.txt"});
  EXPECT_EQ(allNames(to), QStringList{"small.txt"});
}

TEST_F(Files, LinksAreCopiedAsLinksNotFollowed) {
  dir.write("outside.txt", "secret");
  QFile::link(dir.path("outside.txt"), from + "/link.txt");
  EXPECT_EQ(CopyFiles(from, {"link.txt"}, to).copied, QStringList{"link.txt"});
  const QFileInfo copy(to + "/link.txt");
  EXPECT_TRUE(copy.isSymLink());
  EXPECT_EQ(copy.symLinkTarget(), dir.path("outside.txt"));
  EXPECT_EQ(TotalSize(from, {"link.txt"}), 0);
}

TEST_F(Files, RenamingMovesIntoAnExistingSubdirectoryButNeverReplacesAFile) {
  dir.write("from/a.txt", "A");
  dir.write("from/b.txt", "B");
  QDir(from).mkdir("sub");
  EXPECT_FALSE(RenameFile(from, "a.txt", "b.txt"));
  EXPECT_EQ(dir.read("from/b.txt"), "B");
  EXPECT_TRUE(RenameFile(from, "a.txt", "sub/a2.txt"));
  EXPECT_EQ(dir.read("from/sub/a2.txt"), "A");
  EXPECT_FALSE(RenameFile(from, "b.txt", "nowhere/b.txt"));
  EXPECT_TRUE(QFile::exists(from + "/b.txt"));
}

TEST_F(Files, DirectoriesAndDeletesSkipWhatTheyCannotDo) {
  EXPECT_TRUE(MakeDirectory(from + "/", "new"));
  EXPECT_TRUE(QFileInfo(from + "/new").isDir());
  EXPECT_FALSE(MakeDirectory(from, "new"));
  dir.write("from/new/inside.txt", "i");
  EXPECT_FALSE(RemoveDirectory(from + "/new"));
  dir.write("from/x.txt", "x");
  EXPECT_EQ(DeleteFiles(from, {"x.txt", "missing.txt"}), 1);
  EXPECT_TRUE(QFile::remove(from + "/new/inside.txt"));
  EXPECT_TRUE(RemoveDirectory(from + "/new"));
}

} // namespace

namespace {

TEST(FileOperationsFaults, ACopyOntoAFullDiskLeavesNothingBehind) {
  TempDir dir;
  QDir().mkpath(dir.path("to"));
  dir.write("from/a.txt", QByteArray(4096, 'a'));
  const auto outcome = corvana::test::SaveWithDiskFull([&] {
    if (!CopyFiles(dir.path("from"), {"a.txt"}, dir.path("to")).skipped.isEmpty())
      throw corvana::Error("skipped");
  });
  EXPECT_EQ(outcome, corvana::test::SaveOutcome::ErrorRaised);
  EXPECT_TRUE(QDir(dir.path("to")).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

} // namespace
