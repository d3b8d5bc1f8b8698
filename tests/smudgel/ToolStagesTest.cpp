// The tool names and the stage table the mouse events are dispatched through.

#include "PaintFixture.h"

#include "smudgel/ToolStages.h"

#include <QSet>
#include <algorithm>
#include <set>
#include <tuple>

using namespace corvana;
using namespace corvana::smudgel;
using namespace corvana::smudgel::test;

namespace {

TEST(ToolNames, EveryNameOfTheVocabularyComesBackUnchanged) {
  const QStringList &names = ToolNames();
  EXPECT_EQ(names.size(), 41);
  EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size());
  for (const QString &name : names)
    EXPECT_EQ(StagedTool(name).name(), name);
  for (int i = 0; i <= int(Tool::None); ++i) {
    bool ok = false;
    EXPECT_EQ(toolFromName(toolName(Tool(i)), &ok), Tool(i)) << i;
    EXPECT_TRUE(ok) << i;
  }
}

struct NameRow {
  const char *name;
  const char *text;
  const char *reads; // the name it stands for; "" is no tool
};

void PrintTo(const NameRow &row, std::ostream *os) { *os << row.name; }

class NameParsing : public testing::TestWithParam<NameRow> {};

TEST_P(NameParsing, ReadsTheToolAndStage) { EXPECT_EQ(StagedTool(GetParam().text).name(), GetParam().reads); }

INSTANTIATE_TEST_SUITE_P(Rows, NameParsing,
                         testing::Values(NameRow{"staged_chord", "chord2", "chord2"},
                                         NameRow{"bezier_done", "bezier3", "bezier3"},
                                         NameRow{"names_compare_exactly", "Line", ""},
                                         NameRow{"only_figures_have_stages", "sline1", ""},
                                         NameRow{"no_fourth_stage", "arc4", ""}, NameRow{"no_stage_zero", "pie0", ""},
                                         NameRow{"a_digit_alone", "1", ""}, NameRow{"empty_is_no_tool", "", ""}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ToolNames, BaseNamesOnlyNameTools) {
  bool ok = true;
  EXPECT_EQ(toolFromName("arc1", &ok), Tool::None);
  EXPECT_FALSE(ok);
  EXPECT_EQ(toolFromName("", &ok), Tool::None);
  EXPECT_TRUE(ok);
}

// A second row for the same tool, stage and event would never be reached.
TEST(StageTable, HasOneRowPerToolStageAndEvent) {
  std::set<std::tuple<Tool, Stage, MouseEvent>> seen;
  for (const Transition &row : transitions())
    EXPECT_TRUE(seen.insert({row.tool, row.stage, row.event}).second)
        << StagedTool(row.tool, row.stage).name().toStdString() << " event " << int(row.event);
}

TEST(StageTable, RowsKeepToTheStagesTheirToolHas) {
  for (const Transition &row : transitions()) {
    const std::string name = StagedTool(row.tool, row.stage).name().toStdString();
    EXPECT_NE(row.tool, Tool::None) << name;
    EXPECT_TRUE(StagedTool(row.tool, row.stage).isValid()) << name;
    EXPECT_TRUE(nextTool(row).isValid()) << name;
  }
}

// A tool left out of the table would silently do nothing.
TEST(StageTable, EveryToolDoesSomething) {
  for (int i = 0; i < int(Tool::None); ++i) {
    const auto rows = transitions();
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [i](const Transition &r) { return r.tool == Tool(i); }))
        << toolName(Tool(i)).toStdString();
  }
}

TEST(StageTable, OnlySelectionAndPickPaintEndWithNoTool) {
  QStringList ending;
  for (const Transition &row : transitions()) {
    if (nextTool(row) == "")
      ending << toolName(row.tool) + QLatin1Char('/') + QString::number(int(row.event));
  }
  EXPECT_EQ(ending.join(' '), "snapshot/2 paintpick/2");
}

struct WalkRow {
  const char *name;
  const char *start;
  const char *events; // P press, M move, R release
  const char *names;  // the tool after each event; "-" is no tool
};

void PrintTo(const WalkRow &row, std::ostream *os) { *os << row.name; }

class StageWalks : public testing::TestWithParam<WalkRow> {};

TEST_P(StageWalks, FollowTheTable) {
  StagedTool tool(GetParam().start);
  QStringList seen;
  for (const char *e = GetParam().events; *e; ++e) {
    const MouseEvent event = *e == 'P' ? MouseEvent::Press : *e == 'M' ? MouseEvent::Move : MouseEvent::Release;
    if (const Transition *row = transitionFor(tool, event))
      tool = nextTool(*row);
    seen << (tool == "" ? QStringLiteral("-") : tool.name());
  }
  EXPECT_EQ(seen.join(' ').toStdString(), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StageWalks,
    testing::Values(WalkRow{"arc_three_clicks_then_afresh", "arc", "PMRPRPRP", "arc arc arc1 arc1 arc2 arc2 arc3 arc"},
                    WalkRow{"chord_moves_between_clicks_change_nothing", "chord1", "MPMR",
                            "chord1 chord1 chord1 chord2"},
                    WalkRow{"pie_release_in_done_stays_done", "pie3", "RR", "pie3 pie3"},
                    WalkRow{"bezier_three_drags", "bezier", "PMRPMRPMR",
                            "bezier bezier bezier1 bezier1 bezier1 bezier2 bezier2 bezier2 bezier"},
                    WalkRow{"bezier_done_returns_at_once", "bezier3", "R", "bezier"},
                    WalkRow{"selection_ends_empty", "snapshot", "PMR", "snapshot snapshot -"},
                    WalkRow{"pick_paint_ends_empty", "paintpick", "PR", "paintpick -"},
                    WalkRow{"no_tool_stays_empty", "", "PMR", "- - -"},
                    WalkRow{"line_stays", "line", "PMR", "line line line"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StageTable, ArcFiguresAreDrawnAtTheThirdRelease) {
  for (Tool tool : {Tool::Arc, Tool::Chord, Tool::Pie}) {
    const Transition *row = transitionFor(StagedTool(tool, Stage::Third), MouseEvent::Release);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->action, Action::DrawArcFigure);
    EXPECT_EQ(transitionFor(StagedTool(tool, Stage::Second), MouseEvent::Move), nullptr);
  }
}

using Dispatch = PaintFixture;

// Whatever a window stores, an unknown name must not fall through to some figure.
TEST_F(Dispatch, AToolNamedOutsideTheVocabularyDrawsNothing) {
  size(20, 20);
  state().tool = "circle";
  EXPECT_EQ(state().tool, "");
  const Bitmap before = image();
  press(2, 2);
  move(15, 15);
  release(15, 15);
  EXPECT_EQ(image(), before);
  EXPECT_CONSISTENT(model);
}

// The table is looked up again for each event, so a tool chosen mid-drag takes over at once.
TEST_F(Dispatch, AToolChosenDuringADragTakesTheNextEvent) {
  size(20, 20);
  state().tool = "rectangle";
  press(2, 2);
  move(10, 10);
  state().tool = "freehand";
  move(12, 2);
  release(12, 2);
  EXPECT_EQ(state().tool, "freehand");
  EXPECT_EQ(image().pixel(11, 2), clBlack); // freehand's stroke from the pen at 2,2, past the band
  EXPECT_CONSISTENT(model);
}

} // namespace
