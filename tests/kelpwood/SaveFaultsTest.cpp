#include "support/SaveFaults.h"
#include "core/TextFiles.h"
#include "kelpwood/TreeDatabase.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

// The database's two saves, onto a disk that fills: the old file stays and the error is raised.
TEST(DatabaseSaveFaults, ADiskThatFillsLeavesTheOldDatabaseAndCsv) {
  TempDir dir;
  OutlineTree tree;
  tree.loadFromBytes("_fields\n\tname\n\tcity\nrecord one\n\tAnn\n\tLyon\nrecord two\n\tBen\n\tOslo\n");
  ScriptedDialogs dialogs;
  TreeDatabase db(tree, dialogs);
  const QString database = dir.write("people.txt", "old database\r\n");
  const QString csv = dir.write("people.csv", "old,csv\r\n");
  EXPECT_EQ(SaveWithDiskFull([&] { db.SaveDatabase(database); }, 16), SaveOutcome::ErrorRaised);
  EXPECT_EQ(SaveWithDiskFull([&] { WriteFileBytes(csv, db.ExportCsvBytes()); }, 16), SaveOutcome::ErrorRaised);
  EXPECT_EQ(dir.read("people.txt"), "old database\r\n");
  EXPECT_EQ(dir.read("people.csv"), "old,csv\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"people.csv", "people.txt"}));
  // With room on the disk both are written.
  EXPECT_EQ(SaveWithDiskFull([&] { db.SaveDatabase(database); }, 1 << 20), SaveOutcome::Saved);
  EXPECT_TRUE(dir.read("people.txt").startsWith("_fields"));
}

} // namespace
