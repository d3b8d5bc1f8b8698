#include "kelpwood/TreeDatabase.h"
#include "kelpwood/Csv.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::ScriptedDialogs;
using corvana::test::TempDir;

namespace {

OutlineNode *Find(const OutlineTree &tree, const char *text) {
  for (OutlineNode *node = tree.firstNode(); node; node = node->nextNode())
    if (node->text() == text)
      return node;
  return nullptr;
}

// A template and two records of three fields each.
constexpr const char *kThreeByThree = "_fields\n\tn1\n\tn2\n\tn3\nr1\n\ta1\n\ta2\n\ta3\nr2\n\tb1\n\tb2\n\tb3\n";

class Database : public testing::Test {
protected:
  void load(const char *lines) { tree.loadFromBytes(QByteArray(lines)); }
  void select(const char *text) { tree.setSelected(Find(tree, text)); }
  // The error message a command ends with, empty when it ran to its end.
  QString run(void (TreeDatabase::*command)()) {
    try {
      (db.*command)();
    } catch (const Error &e) {
      return e.message();
    }
    return {};
  }
  // "caption / prompt" of every prompt shown.
  QStringList prompts() const {
    QStringList shown;
    for (const auto &p : dialogs.prompts())
      shown << p.caption + " / " + p.text;
    return shown;
  }

  ScriptedDialogs dialogs;
  OutlineTree tree;
  TreeDatabase db{tree, dialogs};
};

} // namespace

TEST_F(Database, MakeFieldsNamesTheNodeAndAppendsNumberedFields) {
  tree.setSelected(tree.Add(nullptr, "new node"));
  dialogs.expectInput("3");
  db.MakeFields();
  EXPECT_EQ(tree.dump(), "_fields(field1 field2 field3)");
  EXPECT_EQ(db.fieldTemplate(), tree.firstNode());
  EXPECT_EQ(prompts(), QStringList{"Kelpwood Fields / Enter number of fields"});

  dialogs.expectInput("abc").expectInput("-2").expectInput(" 1 ");
  db.MakeFields();
  db.MakeFields();
  EXPECT_EQ(tree.dump(), "_fields(field1 field2 field3)");
  db.MakeFields();
  EXPECT_EQ(tree.dump(), "_fields(field1 field2 field3 field1)");
  // Cancel gives the default, which is used.
  tree.setSelected(tree.Add(nullptr, "x"));
  dialogs.expectInputCancel();
  db.MakeFields();
  EXPECT_EQ(tree.dump(), "_fields(field1 field2 field3 field1) _fields(field1 field2 field3 field4)");
  EXPECT_EQ(db.fieldTemplate(), tree.firstNode());
}

TEST_F(Database, CommandsWithoutTheirSelectionDoNothingAndAskNothing) {
  load(kThreeByThree);
  db.MakeFields();
  db.InsertFields();
  db.DeleteFields();
  db.AppendRecords();
  db.Duplicate();
  select("r1");
  db.AppendFields(); // not the first node
  select("a1");
  db.AppendRecords(); // not a record
  EXPECT_EQ(dialogs.prompts().size(), 0);
  EXPECT_EQ(tree.saveToBytes(), QByteArray(kThreeByThree).replace("\n", "\r\n"));
}

TEST_F(Database, AppendFieldsAddsToEveryTopLevelNode) {
  load(kThreeByThree);
  select("_fields");
  dialogs.expectInputCancel();
  db.AppendFields();
  EXPECT_EQ(tree.dump(), "_fields(n1 n2 n3 new field1 new field2) r1(a1 a2 a3 new field1 new field2) "
                         "r2(b1 b2 b3 new field1 new field2)");
  EXPECT_EQ(prompts(), QStringList{"Corvana Add Fields / Enter number of fields to add"});
}

TEST_F(Database, InsertFieldsBeforeTheSelectedPosition) {
  load(kThreeByThree);
  select("n2");
  dialogs.expectInput("2");
  EXPECT_EQ(run(&TreeDatabase::InsertFields), "");
  EXPECT_EQ(tree.dump(), "_fields(n1 insert field2 insert field1 n2 n3) r1(a1 insert field2 insert field1 a2 a3) "
                         "r2(b1 insert field2 insert field1 b2 b3)");
  EXPECT_EQ(prompts(), QStringList{"Kelpwood Insert Fields / Enter number of fields to add"});

  // On the second record only that record (and any after it) changes.
  load(kThreeByThree);
  select("b2");
  dialogs.expectInput("2");
  run(&TreeDatabase::InsertFields);
  EXPECT_EQ(tree.dump(), "_fields(n1 n2 n3) r1(a1 a2 a3) r2(b1 insert field2 insert field1 b2 b3)");

  // A selected record is position 0: nothing happens.
  select("r1");
  dialogs.expectInput("2");
  run(&TreeDatabase::InsertFields);
  EXPECT_EQ(tree.dump(), "_fields(n1 n2 n3) r1(a1 a2 a3) r2(b1 insert field2 insert field1 b2 b3)");
  EXPECT_TRUE(tree.isConsistent());
}

TEST_F(Database, InsertFieldsStopsAtAShortRecordKeepingEarlierChanges) {
  load("_fields\n\tn1\n\tn2\n\tn3\nr1\n\ta1\nr2\n\tb1\n\tb2\n\tb3\n");
  select("n3");
  dialogs.expectInput("1");
  EXPECT_EQ(run(&TreeDatabase::InsertFields), "List index out of bounds (2)");
  EXPECT_EQ(tree.dump(), "_fields(n1 n2 insert field1 n3) r1(a1) r2(b1 b2 b3)");
}

TEST_F(Database, DeleteFieldsRemovesUpToNFromThePosition) {
  load(kThreeByThree);
  select("n2");
  dialogs.expectInput("5");
  db.DeleteFields();
  EXPECT_EQ(tree.dump(), "_fields(n1) r1(a1) r2(b1)");
  EXPECT_EQ(prompts(), QStringList{"Kelpwood Delete Fields / Enter number of fields to Delete"});

  // A huge count ends as soon as the records run out of fields there.
  load(kThreeByThree);
  select("a1");
  dialogs.expectInput("2000000000");
  db.DeleteFields();
  EXPECT_EQ(tree.dump(), "_fields(n1 n2 n3) r1 r2");
}

TEST_F(Database, AppendRecordsAndDuplicateCopyTheSelectedRecord) {
  load("_fields\n\tn1\nr1\n\ta1\n\t\tdeep\nr2\n\tb1\n");
  select("r1");
  dialogs.expectInput("2");
  db.AppendRecords();
  EXPECT_EQ(tree.dump(), "_fields(n1) r1(a1(deep)) r2(b1) r1(a1(deep)) r1(a1(deep))");
  EXPECT_EQ(tree.selected(), tree.topLevelNode(1));
  EXPECT_EQ(prompts(), QStringList{"Kelpwood Records / Enter number of Records"});

  select("a1");
  db.Duplicate();
  EXPECT_EQ(tree.topLevelNode(1)->textString(), "r1");
  EXPECT_EQ(tree.dump(), "_fields(n1) r1(a1(deep) new node(deep)) r2(b1) r1(a1(deep)) r1(a1(deep))");
  EXPECT_TRUE(tree.isConsistent());
}

TEST_F(Database, AnswersThatWouldExhaustMemoryAreRefused) {
  load(kThreeByThree);
  select("r1");
  dialogs.expectInput("99999999999");
  EXPECT_EQ(run(&TreeDatabase::AppendRecords), "Too many new nodes (99999999999)");
  EXPECT_EQ(tree.count(), 12);
}

TEST_F(Database, ExportQuotesValuesAndMarksLoneEmptyValues) {
  load("_fields\n\tn1\n\tn2\n\tn3\nr\n\ta b\n\tc\"d\n\te\nlone\n\t\nnone\nmid\n\tx\n\t\n\ty\n");
  EXPECT_EQ(db.ExportCsvBytes(), QByteArray("n1,n2,n3\r\n\"a b\",\"c\"\"d\",e\r\n\"\"\r\n\r\nx,,y\r\n"));
}

TEST_F(Database, ExportWritesOnlyAChosenFileForANonEmptyDatabase) {
  TempDir dir;
  FileDialogOptions options;
  EXPECT_EQ(db.ExportCsv(options), ""); // empty database: no dialog
  load(kThreeByThree);
  dialogs.expectCancel(Dialogs::Kind::SaveFile);
  EXPECT_EQ(db.ExportCsv(options), "");
  dialogs.expectSaveFile(dir.path("out.csv"));
  EXPECT_EQ(db.ExportCsv(options), dir.path("out.csv"));
  EXPECT_EQ(dir.read("out.csv"), QByteArray("n1,n2,n3\r\na1,a2,a3\r\nb1,b2,b3\r\n"));
  const QString blocked = dir.path("out.csv/x.csv");
  dialogs.expectSaveFile(blocked);
  try {
    db.ExportCsv(options);
    FAIL();
  } catch (const Error &e) {
    EXPECT_EQ(e.message(), "Cannot create file " + blocked);
  }
}

TEST_F(Database, ImportMakesRecordsCaptionedByTheirFirstValue) {
  load("old\n\tv\n");
  select("old");
  OutlineNode *record = db.BeginCsvImport();
  EXPECT_EQ(tree.dump(), "old(v) record");
  db.ImportCsvBytes(record, "name,age\r\nx, y ,\"p,q\",,z,\rone two\n");
  EXPECT_EQ(tree.dump(), "old(v) _fields(name age) x(x y p,q  z) one(one two)");
  EXPECT_TRUE(tree.isConsistent());
}

TEST_F(Database, ImportStopsAtAnEmptyLineKeepingItsRecordNode) {
  OutlineNode *record = db.BeginCsvImport();
  try {
    db.ImportCsvBytes(record, "a,b\r\nc\r\n\r\nd\r\n");
    FAIL();
  } catch (const Error &e) {
    EXPECT_EQ(e.message(), "List index out of bounds (0)");
  }
  EXPECT_EQ(tree.dump(), "_fields(a b) c(c) record");
  EXPECT_FALSE(tree.updating());
}

TEST_F(Database, ImportWithoutAFileLeavesNothingBehind) {
  load(kThreeByThree);
  FileDialogOptions options;
  dialogs.expectCancel(Dialogs::Kind::OpenFile);
  EXPECT_EQ(db.ImportCsv(options), "");
  EXPECT_EQ(tree.count(), 12);
  TempDir dir;
  dialogs.expectOpenFile(dir.path("missing.csv"));
  try {
    db.ImportCsv(options);
    FAIL();
  } catch (const Error &e) {
    EXPECT_EQ(e.message(), "Cannot open file " + dir.path("missing.csv"));
  }
  EXPECT_EQ(tree.count(), 12);
  EXPECT_TRUE(tree.isConsistent());
}

TEST_F(Database, CsvRoundTripKeepsTemplateAndValuesButCaptionsBecomeFirstValues) {
  load("_fields\n\tname\n\ttown\nPerson1\n\tAnn\n\tOslo\nPerson2\n\tBo\n\t\xc3\x85s\n");
  TempDir dir;
  FileDialogOptions options;
  dialogs.expectSaveFile(dir.path("db.csv"));
  db.ExportCsv(options);
  OutlineTree other;
  TreeDatabase back(other, dialogs);
  dialogs.expectOpenFile(dir.path("db.csv"));
  EXPECT_EQ(back.ImportCsv(options), dir.path("db.csv"));
  EXPECT_EQ(other.dump(), "_fields(name town) Ann(Ann Oslo) Bo(Bo \xc3\x85s)");
}

TEST_F(Database, CsvFilesKeepEveryByteOfTheirValues) {
  QByteArray value;
  for (int b = 1; b < 256; ++b)
    if (b != '\r' && b != '\n')
      value.append(char(b));
  const QByteArray csv = "f,g\r\n" + JoinCsvValues({value, "caf\xe9"}) + "\r\n";
  TempDir dir;
  FileDialogOptions options;
  dialogs.expectOpenFile(dir.write("in.csv", csv));
  db.ImportCsv(options);
  EXPECT_EQ(db.ExportCsvBytes(), csv);
}

TEST_F(Database, DatabaseFileIsTheOutlineFile) {
  load(kThreeByThree);
  TempDir dir;
  db.SaveDatabase(dir.path("db.txt"));
  EXPECT_EQ(dir.read("db.txt"), QByteArray(kThreeByThree).replace("\n", "\r\n"));
  OutlineTree other;
  TreeDatabase back(other, dialogs);
  back.LoadDatabase(dir.path("db.txt"));
  EXPECT_EQ(other.dump(), tree.dump());
}

TEST_F(Database, TextSortOrdersRecordsButNeverFields) {
  load("_fields\n\tz\n\ta\nm\n\t3\n\t1\nb\n\t2\n\t1\n");
  tree.setSortMode(OutlineTree::SortMode::Text);
  EXPECT_EQ(tree.dump(), "_fields(z a) b(2 1) m(3 1)");
  // Importing with the sort on sorts the new records once it is done.
  db.ImportCsvBytes(db.BeginCsvImport(), "h,i\r\nc,d\r\na,b\r\n");
  EXPECT_EQ(tree.dump(), "_fields(z a) _fields(h i) a(a b) b(2 1) c(c d) m(3 1)");
}

TEST(TreeDatabaseNumbers, AnswersReadAsDecimalIntegers) {
  EXPECT_EQ(TreeDatabase::ReadNumber("12"), 12);
  EXPECT_EQ(TreeDatabase::ReadNumber(" 7 "), 7);
  EXPECT_EQ(TreeDatabase::ReadNumber("-3"), -3);
  EXPECT_EQ(TreeDatabase::ReadNumber("abc"), 0);
  EXPECT_EQ(TreeDatabase::ReadNumber("0x10"), 0);
  EXPECT_EQ(TreeDatabase::ReadNumber("3a"), 0);
  EXPECT_EQ(TreeDatabase::ReadNumber(""), 0);
}
