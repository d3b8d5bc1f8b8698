// The number prompts: the text each shows and what each answer, in range or not, sets.

#include "PaintFixture.h"

#include "smudgel/PaintPrompts.h"

#include <QRegularExpression>
#include <cmath>
#include <functional>

using namespace corvana;
using namespace corvana::smudgel;
using namespace corvana::smudgel::test;

namespace {

struct AnswerRow {
  const char *name;
  NumberPrompt prompt;
  const char *text;
  const char *answer;
  double expected;
};

void PrintTo(const AnswerRow &row, std::ostream *os) { *os << row.name; }

// Every field starts away from its default and fallback, so keeping the old value, taking
// the fallback and clamping all give different results.
class OutOfRangeAnswers : public PaintFixture, public testing::WithParamInterface<AnswerRow> {
protected:
  void SetUp() override {
    state().blockCount = 12;
    state().slineTolerance = 20;
    state().shapeCount = 4;
    state().spiralTurns = 7;
    state().spiralFactor = 0.5;
  }
  double ask(NumberPrompt prompt) {
    switch (prompt) {
    case NumberPrompt::Blocks:
      model.askBlocks();
      return state().blockCount;
    case NumberPrompt::LineTolerance:
      model.askLineTolerance();
      return state().slineTolerance;
    case NumberPrompt::Shapes:
      model.askShapes();
      return state().shapeCount;
    case NumberPrompt::Spirals:
      model.askSpirals();
      return state().spiralTurns;
    case NumberPrompt::SpiralFactor:
      model.askSpiralFactor();
      return state().spiralFactor;
    default:
      ADD_FAILURE() << "no command for this prompt here";
      return 0;
    }
  }
};

TEST_P(OutOfRangeAnswers, AnswerIsHandledByItsPromptsRule) {
  const AnswerRow &row = GetParam();
  dialogs.expectInput(row.answer, row.text);
  EXPECT_EQ(ask(row.prompt), row.expected);
  EXPECT_CONSISTENT(model);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OutOfRangeAnswers,
    testing::Values(
        // the spiral prompt invites 3..50 but takes 1..50; outside, 3 (not the nearest bound)
        AnswerRow{"spirals_0_falls_back_to_3", NumberPrompt::Spirals, "Spirals (3..50)", "0", 3},
        AnswerRow{"spirals_negative_falls_back_to_3", NumberPrompt::Spirals, "Spirals (3..50)", "-4", 3},
        AnswerRow{"spirals_2_is_taken", NumberPrompt::Spirals, "Spirals (3..50)", "2", 2},
        AnswerRow{"spirals_far_above_falls_back_to_3", NumberPrompt::Spirals, "Spirals (3..50)", "5000", 3},
        AnswerRow{"spirals_text_falls_back_to_3", NumberPrompt::Spirals, "Spirals (3..50)", "lots", 3},
        // shapes fall back too
        AnswerRow{"shapes_negative_falls_back_to_1", NumberPrompt::Shapes, "Number of Shapes(1..25)", "-1", 1},
        AnswerRow{"shapes_30_falls_back_to_1", NumberPrompt::Shapes, "Number of Shapes(1..25)", "30", 1},
        AnswerRow{"tolerance_0_falls_back_to_5", NumberPrompt::LineTolerance, "Enter Straight Line Tolerance (5..50)",
                  "0", 5},
        // blocks clamp instead
        AnswerRow{"blocks_0_clamps_to_2", NumberPrompt::Blocks, "Number of blocks:", "0", 2},
        AnswerRow{"blocks_negative_clamps_to_2", NumberPrompt::Blocks, "Number of blocks:", "-7", 2},
        AnswerRow{"blocks_51_clamps_to_50", NumberPrompt::Blocks, "Number of blocks:", "51", 50},
        AnswerRow{"blocks_spaces_around_a_number", NumberPrompt::Blocks, "Number of blocks:", " 9 ", 9},
        // factors below 1 are taken beyond the 0.99 the prompt shows
        AnswerRow{"factor_0_995_is_taken", NumberPrompt::SpiralFactor, "Spiral factor (0.1..0.99)", "0.995", 0.995},
        AnswerRow{"factor_negative_falls_back", NumberPrompt::SpiralFactor, "Spiral factor (0.1..0.99)", "-0.5", 0.99},
        AnswerRow{"factor_infinite_falls_back", NumberPrompt::SpiralFactor, "Spiral factor (0.1..0.99)", "inf", 0.99}),
    [](const auto &info) { return std::string(info.param.name); });

// Whoever follows a prompt must not be refused: both ends of a range it shows are taken,
// and so is its default answer, which Cancel gives.
TEST(PromptTable, EveryNumberAPromptInvitesIsTaken) {
  const QRegularExpression range(QStringLiteral("\\((-?[0-9.]+)\\.\\.(-?[0-9.]+)\\)"));
  int ranges = 0;
  for (const PromptLimits &row : numberPrompts()) {
    const QString text = promptText(row);
    EXPECT_FALSE(text.contains('{')) << text.toStdString();
    if (const auto m = range.match(text); m.hasMatch()) {
      ++ranges;
      EXPECT_TRUE(accepts(row, m.captured(1).toDouble())) << text.toStdString();
      EXPECT_TRUE(accepts(row, m.captured(2).toDouble())) << text.toStdString();
    }
    const double byDefault = readAnswer(row, defaultAnswer(row, 42), 42);
    EXPECT_TRUE(accepts(row, byDefault)) << text.toStdString();
    if (!std::isnan(row.fallback)) {
      EXPECT_TRUE(accepts(row, row.fallback)) << text.toStdString();
      EXPECT_EQ(byDefault, row.fallback) << text.toStdString();
    }
  }
  EXPECT_EQ(ranges, 4);
}

TEST(PromptTable, RangesShownComeFromTheLimits) {
  EXPECT_EQ(promptText(promptLimits(NumberPrompt::LineTolerance)), "Enter Straight Line Tolerance (5..50)");
  EXPECT_EQ(promptText(promptLimits(NumberPrompt::Shapes)), "Number of Shapes(1..25)");
  EXPECT_EQ(promptText(promptLimits(NumberPrompt::Spirals)), "Spirals (3..50)");
  EXPECT_EQ(promptText(promptLimits(NumberPrompt::SpiralFactor)), "Spiral factor (0.1..0.99)");
}

using Limits = PaintFixture;

// The menu entries and the consistency check hold the fields to the same limits as the prompts.
TEST_F(Limits, SettersRefuseWhatThePromptsRefuse) {
  model.setSpiralTurns(1);
  EXPECT_EQ(state().spiralTurns, 1);
  model.setSpiralTurns(0);
  model.setSpiralTurns(51);
  EXPECT_EQ(state().spiralTurns, 1);
  model.setSpiralFactor(0.995);
  EXPECT_EQ(state().spiralFactor, 0.995);
  model.setSpiralFactor(1.0);
  model.setSpiralFactor(0.05);
  EXPECT_EQ(state().spiralFactor, 0.995);
  EXPECT_CONSISTENT(model);
  state().shapeCount = 26;
  EXPECT_EQ(model.checkConsistency().toStdString(), "a parameter is out of its range");
}

} // namespace
