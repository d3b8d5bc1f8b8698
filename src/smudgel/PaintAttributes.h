#pragma once
// The entries of the paint window's attribute menus and lists as data: pen modes with their
// status texts, copy modes, pen and brush styles, line widths and the colour list.

#include "raster/RasterTypes.h"

#include <QString>
#include <span>

namespace corvana::smudgel {

struct PenModeEntry {
  const char *caption; // "Not Xor"
  PenMode mode;
};
struct CopyModeEntry {
  const char *caption;
  CopyMode code;
};
struct PenStyleEntry {
  const char *caption;
  PenStyle style;
};
struct BrushStyleEntry {
  const char *caption;
  BrushStyle style;
};
struct ColorEntry {
  const char *text; // "clMaroon", "$00A6CAF0"
  TColor color;
};

// The fifteen pen modes offered, in menu order (the one that leaves pixels alone is not).
std::span<const PenModeEntry> penModeEntries();
// What status panel 1 shows for a pen mode: "Pen=Not Xor".
QString penModeStatus(PenMode mode);
std::span<const CopyModeEntry> copyModeEntries();
std::span<const PenStyleEntry> penStyleEntries();
std::span<const BrushStyleEntry> brushStyleEntries();
// The colour list's nineteen entries.
std::span<const ColorEntry> colorEntries();

constexpr int MaxListedLineWidth = 5;

} // namespace corvana::smudgel
