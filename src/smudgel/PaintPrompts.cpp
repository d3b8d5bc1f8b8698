#include "smudgel/PaintPrompts.h"

#include "platform/Dialogs.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <limits>

namespace corvana::smudgel {

namespace {

// whole numbers without a range of their own
constexpr double Lo = INT_MIN;
constexpr double Hi = INT_MAX;
constexpr double Keep = std::numeric_limits<double>::quiet_NaN();

using enum NumberPrompt;
using enum OutOfRange;

// clang-format off
constexpr std::array Table{
    //           prompt         caption    text                                             default  decimal  min    max   fallback outside
    PromptLimits{Blocks,        "Smudgel", "Number of blocks:",                             "8",     false,   2,     50,   8,       Clamp},
    PromptLimits{LineTolerance, "Smudgel", "Enter Straight Line Tolerance ({min}..{max})",  "5",     false,   5,     50,   5,       Fallback},
    PromptLimits{Rounding,      "Smudgel", "Enter Rounding",                                "10",    false,   Lo,    Hi,   10,      Fallback},
    PromptLimits{Shapes,        "Smudgel", "Number of Shapes({min}..{max})",                "1",     false,   1,     25,   1,       Fallback},
    // the prompt invites three turns and up, yet one and two (the Spirals menu's own
    // entries) are taken from it too
    PromptLimits{Spirals,       "Smudgel", "Spirals (3..{max})",                            "3",     false,   1,     50,   3,       Fallback},
    // shows the largest two-place factor; any factor below 1 is taken
    PromptLimits{SpiralFactor,  "Smudgel", "Spiral factor ({min}..0.99)",                   "0.99",  true,    0.1,   1.0,  0.99,    Fallback},
    PromptLimits{ShadowDx,      "Smudgel", "Enter shadow x offset",                         "-2",    false,   Lo,    Hi,   Keep,    Fallback},
    PromptLimits{ShadowDy,      "Smudgel", "Enter shadow y offset",                         "-2",    false,   Lo,    Hi,   Keep,    Fallback},
    // sizes the bitmap refuses are reported when the image is resized
    PromptLimits{ImageHeight,   "Smudgel", "Image height:",                                 "100",   false,   Lo,    Hi,   100,     Fallback},
    PromptLimits{ImageWidth,    "Smudgel", "Image width:",                                  "100",   false,   Lo,    Hi,   100,     Fallback},
    // no default text: the current value is offered
    PromptLimits{ResizeHeight,  "Smudgel", "Enter height:",                                 nullptr, false,   Lo,    Hi,   Keep,    Fallback},
    PromptLimits{ResizeWidth,   "Smudgel", "Enter width:",                                  nullptr, false,   Lo,    Hi,   Keep,    Fallback},
    PromptLimits{ButtonWidth,   "Smudgel", "Enter button width",                            "88",    false,   Lo,    Hi,   88,      Fallback},
    PromptLimits{ButtonHeight,  "Smudgel", "Enter button height",                           "31",    false,   Lo,    Hi,   31,      Fallback},
    // the upper bound is the image height, checked by the caller
    PromptLimits{LineWidth,     "Smudgel", "Enter new line width:",                         "1",     false,   1,     Hi,   1,       Fallback},
};
// clang-format on

QString Number(const PromptLimits &row, double v) {
  return row.decimal ? QString::number(v) : QString::number(qint64(v));
}

double FallbackFor(const PromptLimits &row, double current) {
  return std::isnan(row.fallback) ? current : row.fallback;
}

} // namespace

std::span<const PromptLimits> numberPrompts() { return Table; }

const PromptLimits &promptLimits(NumberPrompt prompt) {
  const auto row =
      std::find_if(Table.begin(), Table.end(), [prompt](const PromptLimits &r) { return r.prompt == prompt; });
  Q_ASSERT(row != Table.end());
  return *row;
}

QString promptText(const PromptLimits &row) {
  return QString::fromUtf8(row.text)
      .replace(QLatin1String("{min}"), Number(row, row.min))
      .replace(QLatin1String("{max}"), Number(row, row.max));
}

bool accepts(const PromptLimits &row, double value) {
  return value >= row.min && (row.decimal ? value < row.max : value <= row.max);
}

double readAnswer(const PromptLimits &row, const QString &answer, double current) {
  bool ok = false;
  const QString text = answer.trimmed();
  const double value = row.decimal ? QLocale().toDouble(text, &ok) : double(text.toInt(&ok, 10));
  if (!ok || !std::isfinite(value))
    return FallbackFor(row, current);
  if (accepts(row, value))
    return value;
  if (row.outside == Fallback)
    return FallbackFor(row, current);
  return std::clamp(value, row.min, row.decimal ? std::nextafter(row.max, row.min) : row.max);
}

QString defaultAnswer(const PromptLimits &row, double current) {
  return row.defaultText ? QString::fromUtf8(row.defaultText) : Number(row, current);
}

int askInteger(Dialogs &dialogs, NumberPrompt prompt, int current) {
  const PromptLimits &row = promptLimits(prompt);
  Q_ASSERT(!row.decimal);
  return int(readAnswer(
      row, dialogs.inputBox(QString::fromUtf8(row.caption), promptText(row), defaultAnswer(row, current)), current));
}

double askDecimal(Dialogs &dialogs, NumberPrompt prompt, double current) {
  const PromptLimits &row = promptLimits(prompt);
  return readAnswer(row, dialogs.inputBox(QString::fromUtf8(row.caption), promptText(row), defaultAnswer(row, current)),
                    current);
}

} // namespace corvana::smudgel
