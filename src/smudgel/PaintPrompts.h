#pragma once
// The number prompts of the paint window as one table: caption, text, default answer, the
// range an answer is taken in, and what an answer outside it or not a number becomes.

#include <QString>
#include <span>

namespace corvana {
class Dialogs;
}

namespace corvana::smudgel {

enum class NumberPrompt : quint8 {
  Blocks,
  LineTolerance,
  Rounding,
  Shapes,
  Spirals,
  SpiralFactor,
  ShadowDx,
  ShadowDy,
  ImageHeight,
  ImageWidth,
  ResizeHeight,
  ResizeWidth,
  ButtonWidth,
  ButtonHeight,
  LineWidth
};

// What a number outside the range becomes.
enum class OutOfRange : quint8 { Clamp, Fallback };

struct PromptLimits {
  NumberPrompt prompt;
  const char *caption;
  const char *text;        // "{min}" and "{max}" stand for the range
  const char *defaultText; // null: the field's current value
  // A whole number is taken from min to max; a decimal, read in the user's locale, from min up
  // to but not including max.
  bool decimal;
  double min;
  double max;
  double fallback; // for text that is not a number; NaN keeps the field's value
  OutOfRange outside;
};

std::span<const PromptLimits> numberPrompts();
const PromptLimits &promptLimits(NumberPrompt prompt);

// The prompt as the user reads it.
QString promptText(const PromptLimits &row);
bool accepts(const PromptLimits &row, double value);
// What an answer sets; `current` is the field's value before.
double readAnswer(const PromptLimits &row, const QString &answer, double current);
// The answer the prompt offers.
QString defaultAnswer(const PromptLimits &row, double current);

// Ask through the dialogs service (Cancel answers the default text) and read the answer.
int askInteger(Dialogs &dialogs, NumberPrompt prompt, int current);
double askDecimal(Dialogs &dialogs, NumberPrompt prompt, double current);

} // namespace corvana::smudgel
