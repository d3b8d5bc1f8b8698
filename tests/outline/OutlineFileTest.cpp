#include "core/Error.h"
#include "outline/OutlineTree.h"
#include "support/SaveFaults.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <gtest/gtest.h>
#include <random>

using namespace corvana;
using corvana::test::TempDir;

namespace {

// The error message of a load, empty when it succeeded.
QString LoadMessage(OutlineTree &tree, const QByteArray &bytes) {
  try {
    tree.loadFromBytes(bytes);
  } catch (const Error &e) {
    return e.message();
  }
  return {};
}

} // namespace

struct LoadCase {
  const char *name;
  QByteArray bytes;
  const char *dump;
  const char *error;
};

class OutlineLoad : public testing::TestWithParam<LoadCase> {};

TEST_P(OutlineLoad, ReadsLinesAndLevels) {
  OutlineTree tree;
  EXPECT_EQ(LoadMessage(tree, GetParam().bytes), GetParam().error);
  EXPECT_EQ(tree.dump(), GetParam().dump);
  EXPECT_TRUE(tree.isConsistent());
  EXPECT_FALSE(tree.updating());
}

INSTANTIATE_TEST_SUITE_P(
    Table, OutlineLoad,
    testing::Values(LoadCase{"Empty", "", "", ""}, LoadCase{"CrLf", "A\r\n\tB\r\n\t\tC\r\nD\r\n", "A(B(C)) D", ""},
                    LoadCase{"LfOnly", "A\n\tB\n\t\tC\nD\n", "A(B(C)) D", ""},
                    LoadCase{"CrOnly", "A\r\tB\r\t\tC\rD\r", "A(B(C)) D", ""},
                    LoadCase{"LastLineWithoutEnd", "A\r\n\tB", "A(B)", ""},
                    LoadCase{"CrCrLfIsTwoLines", "A\r\r\nB", "A  B", ""},
                    LoadCase{"LfCrIsTwoLines", "A\n\rB", "A  B", ""},
                    LoadCase{"EmptyLinesAreNodes", "A\r\n\r\n\tB\r\n", "A (B)", ""},
                    LoadCase{"NulEndsTheText", QByteArray("A\r\nB\0\r\nC\r\n", 10), "A B", ""},
                    LoadCase{"NulFirst", QByteArray("\0A", 2), "", ""},
                    LoadCase{"TrailingBlanksKept", "A  \r\n", "A  ", ""},
                    LoadCase{"IndentedFirstLine", "\tA\r\n\tB\r\n", "A(B)", ""},
                    LoadCase{"SpacesCountLikeTabs", "A\r\n B\r\n \tC\r\n", "A(B(C))", ""},
                    LoadCase{"BackToAnyShallowerLevel", "A\n\tB\n\t\tC\n\t\t\tD\n\tE\nF", "A(B(C(D)) E) F", ""},
                    LoadCase{"TwoLevelsDeeperFails", "A\r\n\t\tB\r\nC\r\n", "A", "Invalid level (2) for item \"B\""},
                    LoadCase{"TwoBlanksDeeperFails", "A\r\n  X\r\n", "A", "Invalid level (2) for item \"X\""},
                    LoadCase{"FailureKeepsNodesReadSoFar", "A\n\tB\nC\n\t\t\tD y \n", "A(B) C",
                             "Invalid level (3) for item \"D y \""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(OutlineFile, SaveWritesTabsAndCrLfForEveryLine) {
  OutlineTree tree;
  OutlineNode *a = tree.Add(nullptr, "A");
  tree.AddChild(tree.AddChild(a, "B"), "C ");
  tree.AddChild(a, "");
  tree.Add(nullptr, QString::fromUtf8("D\xc3\xa9"));
  EXPECT_EQ(tree.saveToBytes(), QByteArray("A\r\n\tB\r\n\t\tC \r\n\t\r\nD\xc3\xa9\r\n"));

  TempDir dir;
  tree.SaveToFile(dir.path("n.txt"));
  EXPECT_EQ(dir.read("n.txt"), tree.saveToBytes());
  OutlineTree back;
  back.LoadFromFile(dir.path("n.txt"));
  EXPECT_EQ(back.dump(), tree.dump());
  EXPECT_TRUE(tree.isConsistent());
  EXPECT_TRUE(back.isConsistent());
}

TEST(OutlineFile, EmptyTreeIsAZeroByteFileAndBack) {
  TempDir dir;
  const QString path = dir.write("old.txt", "old contents\r\n");
  OutlineTree tree;
  tree.SaveToFile(path);
  EXPECT_EQ(dir.read("old.txt"), QByteArray());
  tree.Add(nullptr, "X");
  tree.LoadFromFile(path);
  EXPECT_EQ(tree.count(), 0);
  EXPECT_TRUE(tree.isConsistent());
}

TEST(OutlineFile, FileErrorsNameThePathAndChangeNothing) {
  TempDir dir;
  OutlineTree tree;
  tree.Add(nullptr, "kept");
  try {
    tree.LoadFromFile(dir.path("missing.txt"));
    FAIL();
  } catch (const Error &e) {
    EXPECT_EQ(e.message(), "Cannot open file " + dir.path("missing.txt"));
  }
  EXPECT_EQ(tree.dump(), "kept");
  EXPECT_THROW(tree.LoadFromFile(dir.path("")), Error); // a folder
  EXPECT_THROW(tree.LoadFromFile(""), Error);
  EXPECT_EQ(tree.dump(), "kept");

  const QString blocked = dir.write("file", "x") + "/sub.txt"; // a file stands where a folder should
  try {
    tree.SaveToFile(blocked);
    FAIL();
  } catch (const Error &e) {
    EXPECT_EQ(e.message(), "Cannot create file " + blocked);
  }
  EXPECT_EQ(dir.read("file"), QByteArray("x"));
  EXPECT_TRUE(tree.isConsistent());
}

TEST(OutlineFile, FailedLoadResumesUpdatesAndLeavesPartialTree) {
  TempDir dir;
  OutlineTree tree;
  tree.setSelected(tree.Add(nullptr, "old"));
  EXPECT_THROW(tree.LoadFromFile(dir.write("bad.txt", "A\r\n\t\tB\r\n")), Error);
  EXPECT_EQ(tree.dump(), "A");
  EXPECT_EQ(tree.selected(), nullptr);
  EXPECT_FALSE(tree.updating());
  EXPECT_TRUE(tree.isConsistent());
}

TEST(OutlineFile, BlankAtTextStartIsReadOneLevelDeeper) {
  OutlineTree tree;
  tree.Add(nullptr, "T");
  tree.Add(nullptr, " second");
  OutlineTree back;
  back.loadFromBytes(tree.saveToBytes());
  EXPECT_EQ(back.dump(), "T(second)");
  EXPECT_TRUE(back.isConsistent());
  // A page that begins with blanks, under its topic, is two levels deeper and fails.
  tree.AddChild(tree.firstNode(), "  page");
  EXPECT_EQ(LoadMessage(back, tree.saveToBytes()), "Invalid level (3) for item \"page\"");
  EXPECT_EQ(back.dump(), "T");
  EXPECT_TRUE(back.isConsistent());
}

TEST(OutlineFile, BigAndBinaryInputs) {
  // A million nodes, alternating top-level topics and their pages.
  QByteArray many;
  for (int i = 0; i < 500'000; ++i)
    many += "t\r\n\tp\r\n";
  OutlineTree tree;
  tree.loadFromBytes(many);
  EXPECT_EQ(tree.count(), 1'000'000);
  EXPECT_EQ(tree.saveToBytes(), many);
  EXPECT_TRUE(tree.isConsistent());

  // A 10 MB line and every byte value that is no line end or NUL survive a round trip.
  QByteArray binary;
  for (int c = 1; c < 256; ++c)
    if (c != '\r' && c != '\n' && c != '\t' && c != ' ')
      binary += char(c);
  const QByteArray longLine(10 << 20, 'x');
  tree.Clear();
  tree.AddChild(tree.Add(nullptr, binary), longLine);
  OutlineTree back;
  back.loadFromBytes(tree.saveToBytes());
  EXPECT_EQ(back.firstNode()->text(), binary);
  EXPECT_EQ(back.firstNode()->firstChild()->text(), longLine);
  EXPECT_TRUE(tree.isConsistent());
  EXPECT_TRUE(back.isConsistent());

  // Deep nesting through the file: 3000 levels, each line one TAB deeper.
  QByteArray deep;
  for (int level = 0; level < 3000; ++level)
    deep += QByteArray(level, '\t') + "d\n";
  back.loadFromBytes(deep);
  EXPECT_EQ(back.lastNode()->level(), 2999);
  EXPECT_EQ(back.saveToBytes(), QByteArray(deep).replace("\n", "\r\n"));
  EXPECT_TRUE(back.isConsistent());
}

// Random trees whose texts hold no line breaks and start with no blank survive save and load.
TEST(OutlineFile, RandomTreesRoundTrip) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    OutlineTree tree;
    std::vector<OutlineNode *> nodes;
    const int size = int(random() % 300);
    for (int i = 0; i < size; ++i) {
      QByteArray text;
      const int length = int(random() % 8);
      for (int j = 0; j < length; ++j) {
        const char c = char(1 + random() % 255);
        if (c != '\r' && c != '\n' && !(text.isEmpty() && (c == '\t' || c == ' ')))
          text += c;
      }
      OutlineNode *at = nodes.empty() ? nullptr : nodes[random() % nodes.size()];
      switch (random() % 5) {
      case 0:
        nodes.push_back(tree.Add(at, text));
        break;
      case 1:
        nodes.push_back(tree.AddChild(at, text));
        break;
      case 2:
        nodes.push_back(tree.AddFirst(at, text));
        break;
      case 3:
        nodes.push_back(tree.AddChildFirst(at, text));
        break;
      default:
        nodes.push_back(tree.Insert(at, text));
        break;
      }
    }
    OutlineTree back;
    back.loadFromBytes(tree.saveToBytes());
    ASSERT_EQ(back.dump().toStdString(), tree.dump().toStdString()) << "seed " << seed;
    ASSERT_EQ(back.saveToBytes(), tree.saveToBytes()) << "seed " << seed;
    ASSERT_TRUE(tree.isConsistent());
    ASSERT_TRUE(back.isConsistent());
  }
}

// Texts are bytes, not characters: a file in another encoding (here Windows-1252, which is no
// valid UTF-8) and every byte that is no line end must come back from load and save unchanged.
// TABs and blanks can only follow a text's first byte, where they cannot change the level.
TEST(OutlineFile, EveryByteButLineEndsRoundTripsByteForByte) {
  QByteArray all("x");
  for (int c = 1; c < 256; ++c)
    if (c != '\r' && c != '\n')
      all += char(c);
  QByteArray file = "caf\xe9\r\n";
  int starts = 0; // texts that begin with each byte that may begin one
  for (int c = 1; c < 256; ++c)
    if (c != '\r' && c != '\n' && c != '\t' && c != ' ') {
      file += '\t' + QByteArray(1, char(c)) + "\t \xe9\x80~\r\n";
      ++starts;
    }
  file += "\t" + all + "\r\n\t\t" + all.mid(1).prepend('~') + "\r\nend\t \r\n";

  TempDir dir;
  OutlineTree tree;
  tree.LoadFromFile(dir.write("bytes.txt", file));
  ASSERT_TRUE(tree.isConsistent());
  ASSERT_EQ(tree.count(), 1 + starts + 3);
  EXPECT_EQ(tree.firstNode()->text(), QByteArray("caf\xe9"));
  EXPECT_EQ(tree.firstNode()->childCount(), starts + 1);
  EXPECT_EQ(tree.firstNode()->child(0)->text(), QByteArray("\x01\t \xe9\x80~"));
  EXPECT_EQ(tree.firstNode()->lastChild()->text(), all);
  EXPECT_EQ(tree.firstNode()->lastChild()->firstChild()->text(), all.mid(1).prepend('~'));
  EXPECT_EQ(tree.lastNode()->text(), QByteArray("end\t "));

  tree.SaveToFile(dir.path("saved.txt"));
  EXPECT_EQ(dir.read("saved.txt"), file);
  EXPECT_EQ(tree.saveToBytes(), file);
}

namespace {

TEST(OutlineFileFaults, ASaveOntoAFullDiskRaisesAndKeepsTheOldFile) {
  corvana::test::TempDir dir;
  const QString path = dir.write("tree.txt", "old tree\r\n");
  corvana::OutlineTree tree;
  tree.AddChild(tree.Add(nullptr, "a node whose text is longer than the room left on the disk"), "child");
  EXPECT_EQ(corvana::test::SaveWithDiskFull([&] { tree.SaveToFile(path); }, 16),
            corvana::test::SaveOutcome::ErrorRaised);
  EXPECT_EQ(dir.read("tree.txt"), "old tree\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tree.txt"});
}

} // namespace
