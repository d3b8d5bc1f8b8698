#include "outline/OutlineTree.h"
#include "outline/OutlineChangeFlag.h"

#include <QLocale>
#include <functional>
#include <gtest/gtest.h>

using namespace corvana;
using Mode = OutlineTree::MoveMode;

namespace {

// Builds a tree from outline lines ("\t" per level, "\n" between lines).
void Build(OutlineTree &tree, const char *lines) { tree.loadFromBytes(QByteArray(lines)); }

OutlineNode *Find(const OutlineTree &tree, const char *text) {
  for (OutlineNode *node = tree.firstNode(); node; node = node->nextNode())
    if (node->text() == text)
      return node;
  return nullptr;
}

// Records what a view would be told, one short entry per notification.
class RecordingObserver : public OutlineObserver {
public:
  QStringList log;
  static QString name(const OutlineNode *node) { return node ? node->textString() : QStringLiteral("-"); }
  void nodeAboutToBeInserted(OutlineNode *parent, qsizetype row) override {
    log << QStringLiteral("insert? %1 %2").arg(name(parent)).arg(row);
  }
  void nodeInserted(OutlineNode *node) override { log << "inserted " + name(node); }
  void nodeAboutToBeRemoved(OutlineNode *node) override { log << "remove? " + name(node); }
  void nodeRemoved(OutlineNode *parent, qsizetype row) override {
    log << QStringLiteral("removed %1 %2").arg(name(parent)).arg(row);
  }
  void nodeAboutToBeMoved(OutlineNode *node, OutlineNode *parent, qsizetype row) override {
    log << QStringLiteral("move? %1 %2 %3").arg(name(node), name(parent)).arg(row);
  }
  void nodeMoved(OutlineNode *node) override { log << "moved " + name(node); }
  void textChanged(OutlineNode *node) override { log << "text " + name(node); }
  void childrenSorted(OutlineNode *parent) override { log << "sorted " + name(parent); }
  void aboutToReset() override { log << "reset?"; }
  void resetDone() override { log << "reset"; }
  void selectionChanged(OutlineNode *node) override { log << "selected " + name(node); }
  void updatesSuspended(bool suspended) override { log << (suspended ? "suspend" : "resume"); }
};

} // namespace

TEST(OutlineTree, DerivedValuesFollowPreOrder) {
  OutlineTree tree;
  Build(tree, "A\n\tB\n\t\tC\n\tE\nD");
  ASSERT_EQ(tree.dump(), "A(B(C) E) D");
  EXPECT_EQ(tree.count(), 5);
  EXPECT_EQ(tree.topLevelCount(), 2);
  OutlineNode *c = Find(tree, "C");
  EXPECT_EQ(c->level(), 2);
  EXPECT_EQ(c->parent()->text(), "B");
  EXPECT_EQ(Find(tree, "A")->parent(), nullptr);
  EXPECT_EQ(tree.absoluteIndex(c), 2);
  EXPECT_EQ(tree.absoluteIndex(Find(tree, "D")), 4);
  EXPECT_EQ(tree.nodeAt(3)->text(), "E");
  EXPECT_EQ(tree.nodeAt(5), nullptr);
  // Walking back from D passes through the deepest last descendant of A first.
  EXPECT_EQ(Find(tree, "D")->prevNode()->text(), "E");
  EXPECT_EQ(Find(tree, "E")->prevNode()->text(), "C");
  EXPECT_EQ(Find(tree, "B")->prevNode()->text(), "A");
  EXPECT_EQ(Find(tree, "A")->prevNode(), nullptr);
  EXPECT_EQ(Find(tree, "B")->nextSibling()->text(), "E");
  EXPECT_EQ(Find(tree, "E")->nextSibling(), nullptr);
  EXPECT_EQ(tree.lastNode()->text(), "D");
  EXPECT_EQ(Find(tree, "A")->child(1)->text(), "E");
  EXPECT_EQ(Find(tree, "A")->child(2), nullptr);
  EXPECT_TRUE(tree.isConsistent());
}

struct OperationCase {
  const char *name;
  const char *lines;
  std::function<void(OutlineTree &)> operation;
  const char *expected;
};

class OutlineOperations : public testing::TestWithParam<OperationCase> {};

TEST_P(OutlineOperations, GiveTheExpectedTree) {
  OutlineTree tree;
  Build(tree, GetParam().lines);
  GetParam().operation(tree);
  EXPECT_EQ(tree.dump(), GetParam().expected);
  EXPECT_TRUE(tree.isConsistent());
}

const auto F = [](OutlineTree &t, const char *text) { return Find(t, text); };

INSTANTIATE_TEST_SUITE_P(
    Table, OutlineOperations,
    testing::Values(
        OperationCase{"AddToNone", "A\n\tB", [](OutlineTree &t) { t.Add(nullptr, "N"); }, "A(B) N"},
        OperationCase{"AddAfterChild", "A\n\tB\n\tC\nD", [](OutlineTree &t) { t.Add(F(t, "B"), "N"); }, "A(B C N) D"},
        OperationCase{"AddChild", "A\n\tB\nD", [](OutlineTree &t) { t.AddChild(F(t, "A"), "N"); }, "A(B N) D"},
        OperationCase{"AddChildToNone", "A", [](OutlineTree &t) { t.AddChild(nullptr, "N"); }, "A N"},
        OperationCase{"AddFirst", "A\n\tB\n\tC", [](OutlineTree &t) { t.AddFirst(F(t, "C"), "N"); }, "A(N B C)"},
        OperationCase{"AddFirstTopLevel", "A\nB", [](OutlineTree &t) { t.AddFirst(F(t, "B"), "N"); }, "N A B"},
        OperationCase{"AddFirstToNone", "A", [](OutlineTree &t) { t.AddFirst(nullptr, "N"); }, "N A"},
        OperationCase{"AddChildFirst", "A\n\tB", [](OutlineTree &t) { t.AddChildFirst(F(t, "A"), "N"); }, "A(N B)"},
        OperationCase{"InsertBefore", "A\n\tB\n\tC", [](OutlineTree &t) { t.Insert(F(t, "C"), "N"); }, "A(B N C)"},
        OperationCase{"InsertBeforeNone", "A", [](OutlineTree &t) { t.Insert(nullptr, "N"); }, "A N"},
        OperationCase{"DeleteSubtree", "A\n\tB\n\t\tC\n\tE\nD", [](OutlineTree &t) { t.Delete(F(t, "B")); }, "A(E) D"},
        OperationCase{"Clear", "A\n\tB\nD", [](OutlineTree &t) { t.Clear(); }, ""},
        OperationCase{"TextWithLineBreaks", "A", [](OutlineTree &t) { t.setText(F(t, "A"), "x\r\ny\nz\rw"); },
                      "x~y~z~w"},
        OperationCase{"CopyChildren", "A\n\tB\n\t\tC\nD", [](OutlineTree &t) { t.copyChildren(F(t, "A"), F(t, "D")); },
                      "A(B(C)) D(B(C))"},
        OperationCase{"CopyChildrenIntoOwnSubtree", "A\n\tB",
                      [](OutlineTree &t) { t.copyChildren(F(t, "A"), F(t, "B")); }, "A(B(B))"},
        OperationCase{"MoveAdd", "A\n\tB\n\tC\nD", [](OutlineTree &t) { t.MoveTo(F(t, "B"), F(t, "D"), Mode::Add); },
                      "A(C) D B"},
        OperationCase{"MoveAddToNone", "A\n\tB\nD", [](OutlineTree &t) { t.MoveTo(F(t, "A"), nullptr, Mode::Add); },
                      "D A(B)"},
        OperationCase{"MoveAddAfterOwnSiblings", "A\nB\nC",
                      [](OutlineTree &t) { t.MoveTo(F(t, "A"), F(t, "A"), Mode::Add); }, "B C A"},
        OperationCase{"MoveAddFirst", "A\n\tB\n\tC",
                      [](OutlineTree &t) { t.MoveTo(F(t, "C"), F(t, "B"), Mode::AddFirst); }, "A(C B)"},
        OperationCase{"MoveAddChild", "A\n\tB\nD\n\tE",
                      [](OutlineTree &t) { t.MoveTo(F(t, "A"), F(t, "D"), Mode::AddChild); }, "D(E A(B))"},
        OperationCase{"MoveAddChildFirst", "A\nD\n\tE",
                      [](OutlineTree &t) { t.MoveTo(F(t, "A"), F(t, "D"), Mode::AddChildFirst); }, "D(A E)"},
        OperationCase{"MoveInsertLater", "A\nB\nC\nD",
                      [](OutlineTree &t) { t.MoveTo(F(t, "A"), F(t, "C"), Mode::Insert); }, "B A C D"},
        OperationCase{"MoveInsertEarlier", "A\nB\nC",
                      [](OutlineTree &t) { t.MoveTo(F(t, "C"), F(t, "A"), Mode::Insert); }, "C A B"},
        OperationCase{"MoveInsertBeforeItself", "A\nB",
                      [](OutlineTree &t) { t.MoveTo(F(t, "B"), F(t, "B"), Mode::Insert); }, "A B"},
        OperationCase{"MoveIntoOwnChildRefused", "A\n\tB\n\t\tC",
                      [](OutlineTree &t) { EXPECT_FALSE(t.MoveTo(F(t, "A"), F(t, "C"), Mode::Add)); }, "A(B(C))"},
        OperationCase{"MoveUnderItselfRefused", "A\n\tB",
                      [](OutlineTree &t) { EXPECT_FALSE(t.MoveTo(F(t, "A"), F(t, "A"), Mode::AddChild)); }, "A(B)"},
        OperationCase{"MoveBeforeOwnDescendantRefused", "A\n\tB\n\t\tC",
                      [](OutlineTree &t) { EXPECT_FALSE(t.MoveTo(F(t, "A"), F(t, "B"), Mode::Insert)); }, "A(B(C))"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(OutlineTree, HandlesStayValidWhileOtherNodesMove) {
  OutlineTree tree;
  Build(tree, "A\n\tB\nC\nD");
  OutlineNode *b = Find(tree, "B");
  OutlineNode *d = Find(tree, "D");
  tree.MoveTo(d, nullptr, Mode::AddChildFirst);
  tree.Delete(Find(tree, "C"));
  tree.Insert(b, "N");
  EXPECT_EQ(b->text(), "B");
  EXPECT_EQ(b->index(), 1);
  EXPECT_EQ(d->index(), 0);
  EXPECT_EQ(tree.dump(), "D A(N B)");
  EXPECT_EQ(tree.count(), 4);
  EXPECT_TRUE(tree.isConsistent());
}

TEST(OutlineTree, DeletingTheSelectedSubtreeClearsTheSelection) {
  OutlineTree tree;
  Build(tree, "A\n\tB\nC");
  tree.setSelected(Find(tree, "B"));
  tree.Delete(Find(tree, "C"));
  EXPECT_EQ(tree.selected(), Find(tree, "B"));
  tree.Delete(Find(tree, "A"));
  EXPECT_EQ(tree.selected(), nullptr);
  EXPECT_TRUE(tree.isConsistent());
}

TEST(OutlineTree, ObserversHearEveryChangeInOrder) {
  OutlineTree tree;
  RecordingObserver seen;
  tree.addObserver(&seen);
  tree.BeginUpdate();
  tree.BeginUpdate();
  OutlineNode *a = tree.Add(nullptr, "A");
  OutlineNode *b = tree.AddChild(a, "B");
  tree.EndUpdate();
  tree.EndUpdate();
  tree.EndUpdate(); // unbalanced: ignored
  tree.setSelected(b);
  tree.setText(b, "b");
  tree.MoveTo(b, nullptr, Mode::Add);
  tree.Delete(a);
  tree.Clear();
  EXPECT_EQ(seen.log, (QStringList{"suspend", "insert? - 0", "inserted A", "insert? A 0", "inserted B", "resume",
                                   "selected B", "text b", "move? b - 1", "moved b", "remove? A", "removed - 0",
                                   "reset?", "reset", "selected -"}));
  tree.removeObserver(&seen);
  tree.Add(nullptr, "X");
  EXPECT_EQ(seen.log.size(), 15);
  EXPECT_TRUE(tree.isConsistent());
}

TEST(OutlineTree, TextSortIsLocaleAwareCaseSensitiveAndStable) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  OutlineTree tree;
  Build(tree, "cherry\nBanana\n\tz\n\ty\napple\nbanana\nBanana\n\tx");
  OutlineNode *firstBanana = Find(tree, "Banana");
  tree.setSortMode(OutlineTree::SortMode::Text);
  // Byte order would put both "Banana" first; the locale puts letters before case.
  EXPECT_EQ(tree.dump(), "apple banana Banana(y z) Banana(x) cherry");
  EXPECT_EQ(tree.topLevelNode(2), firstBanana);

  // New nodes stay where they are put; a changed text is sorted again.
  OutlineNode *added = tree.Add(nullptr, "aardvark");
  EXPECT_EQ(tree.topLevelNode(5), added);
  tree.setText(Find(tree, "cherry"), "Apricot");
  EXPECT_EQ(tree.dump(), "aardvark apple Apricot banana Banana(y z) Banana(x)");

  OutlineTree records;
  records.setSortScope(OutlineTree::SortScope::TopLevel);
  Build(records, "b\n\tz\n\ty\na\n\tq\n\tp");
  records.setSortMode(OutlineTree::SortMode::Text);
  EXPECT_EQ(records.dump(), "a(q p) b(z y)");
  records.setText(Find(records, "q"), "r");
  EXPECT_EQ(records.dump(), "a(r p) b(z y)");
  EXPECT_TRUE(records.isConsistent());
  QLocale::setDefault(saved);
  EXPECT_TRUE(tree.isConsistent());
}

// Deep trees must not be handled by recursion: 100 000 levels would overflow the stack.
TEST(OutlineTree, HundredThousandLevelsNeedNoRecursion) {
  constexpr int depth = 100'000;
  auto tree = std::make_unique<OutlineTree>();
  OutlineNode *node = nullptr;
  for (int i = 0; i < depth; ++i)
    node = tree->AddChild(node, "n");
  EXPECT_EQ(node->level(), depth - 1);
  EXPECT_EQ(tree->absoluteIndex(node), depth - 1);
  EXPECT_EQ(tree->lastNode(), node);
  EXPECT_FALSE(tree->MoveTo(tree->firstNode(), node, Mode::AddChild));
  EXPECT_TRUE(tree->isConsistent());
  tree->copyChildren(tree->firstNode(), tree->Add(nullptr, "copy"));
  EXPECT_EQ(tree->count(), 2 * depth);
  EXPECT_TRUE(tree->isConsistent());
  EXPECT_EQ(tree->dump().size(), 6 * depth);
  tree->Delete(tree->firstNode());
  EXPECT_EQ(tree->count(), depth);
  EXPECT_TRUE(tree->isConsistent());
  tree.reset(); // the destructor walks the rest
}

// Replaced and deleted texts leave gaps in the text store that are reclaimed by moving the
// live texts; every other node must keep its text through that.
TEST(OutlineTree, TextsSurviveReclaimingTheGapsOfReplacedTexts) {
  OutlineTree tree;
  Build(tree, "A\n\tB\nC");
  OutlineNode *big = tree.Add(nullptr, QByteArray(300'000, 'x'));
  for (int i = 0; i < 20; ++i)
    tree.setText(big, QByteArray(300'000, char('a' + i)));
  for (int i = 0; i < 20; ++i)
    tree.Delete(tree.Add(nullptr, QByteArray(200'000, 'd')));
  EXPECT_EQ(tree.dump().left(8), "A(B) C t");
  EXPECT_EQ(big->text(), QByteArray(300'000, 't'));
  // A node's own text given back to the tree is copied before anything moves.
  for (int i = 0; i < 10; ++i)
    tree.setText(big, big->text());
  EXPECT_EQ(tree.Add(nullptr, big->text())->text(), QByteArray(300'000, 't'));
  EXPECT_EQ(big->text(), QByteArray(300'000, 't'));
  tree.Delete(tree.lastNode());
  EXPECT_TRUE(tree.isConsistent());
  tree.Delete(big);
  tree.Delete(Find(tree, "A"));
  tree.Delete(Find(tree, "C"));
  EXPECT_TRUE(tree.isEmpty());
  tree.Add(nullptr, "again");
  EXPECT_EQ(tree.dump(), "again");
  EXPECT_TRUE(tree.isConsistent());
}

TEST(OutlinePages, EncodeDecodeAndPageOf) {
  EXPECT_EQ(Encode("a\r\nb"), "a~b");
  EXPECT_EQ(Encode("a\nb\rc\r\n"), "a~b~c~");
  EXPECT_EQ(Decode("a~b"), "a\r\nb");
  // A "~" typed into a page comes back as a line break.
  EXPECT_EQ(Decode(Encode("x~y")), "x\r\ny");

  OutlineTree tree;
  Build(tree, "Topic\n\ta~b\nEmpty\n\t\nTwo\n\tp\n\tq\nNone");
  EXPECT_EQ(PageOf(Find(tree, "Topic")), QString("a\r\nb"));
  EXPECT_EQ(PageOf(Find(tree, "Empty")), QString(""));
  EXPECT_EQ(PageOf(Find(tree, "Two")), std::nullopt);
  EXPECT_EQ(PageOf(Find(tree, "None")), std::nullopt);
  EXPECT_EQ(PageOf(nullptr), std::nullopt);
}

TEST(OutlineChangeFlag, EveryKindOfChangeRaisesTheFlag) {
  OutlineTree tree;
  bool changed = false;
  OutlineChangeFlag flag(changed);
  tree.addObserver(&flag);
  const QList<std::function<void()>> changes{
      [&] { tree.Add(nullptr, "a"); },
      [&] { tree.AddChild(tree.topLevelNode(0), "b"); },
      [&] { tree.setText(tree.topLevelNode(0), "renamed"); },
      [&] { tree.MoveTo(tree.topLevelNode(0)->child(0), nullptr, OutlineTree::MoveMode::Add); },
      [&] { tree.Delete(tree.topLevelNode(1)); },
      [&] { tree.Clear(); },
  };
  for (qsizetype i = 0; i < changes.size(); ++i) {
    changed = false;
    changes[i]();
    EXPECT_TRUE(changed) << "change " << i;
  }
  changed = false;
  tree.setSelected(nullptr);
  EXPECT_FALSE(changed) << "choosing a node changes nothing";
  tree.removeObserver(&flag);
}
