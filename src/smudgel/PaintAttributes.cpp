#include "smudgel/PaintAttributes.h"

#include "platform/Colors.h"

namespace corvana::smudgel {

namespace {

constexpr PenModeEntry PenModes[] = {
    {"Copy", PenMode::Copy},
    {"Xor", PenMode::Xor},
    {"Not Xor", PenMode::NotXor},
    {"Black", PenMode::Black},
    {"White", PenMode::White},
    {"Not", PenMode::Not},
    {"Not Copy", PenMode::NotCopy},
    {"Merge Pen Not", PenMode::MergePenNot},
    {"Mask Pen Not", PenMode::MaskPenNot},
    {"Merge Not Pen", PenMode::MergeNotPen},
    {"Mask Not Pen", PenMode::MaskNotPen},
    {"Merge", PenMode::Merge},
    {"Not Merge", PenMode::NotMerge},
    {"Mask", PenMode::Mask},
    {"Not Mask", PenMode::NotMask},
};

constexpr CopyModeEntry CopyModes[] = {
    {"Copy", cmSrcCopy},
    {"Black", cmBlackness},
    {"Destination Invert", cmDstInvert},
    {"Merge Copy", cmMergeCopy},
    {"Merge Paint", cmMergePaint},
    {"Not Source Copy", cmNotSrcCopy},
    {"Not Source Erase", cmNotSrcErase},
    {"Source And", cmSrcAnd},
    {"Source Erase", cmSrcErase},
    {"Source Invert", cmSrcInvert},
    {"Source Paint", cmSrcPaint},
    {"White", cmWhiteness},
};

constexpr PenStyleEntry PenStyles[] = {
    {"Solid", PenStyle::Solid},
    {"Dash", PenStyle::Dash},
    {"Dot", PenStyle::Dot},
    {"Dash Dot", PenStyle::DashDot},
    {"Dash Dot Dot", PenStyle::DashDotDot},
    {"Clear", PenStyle::Clear},
    {"Inside Frame", PenStyle::InsideFrame},
};

constexpr BrushStyleEntry BrushStyles[] = {
    {"Solid", BrushStyle::Solid},       {"Clear", BrushStyle::Clear},         {"Horizontal", BrushStyle::Horizontal},
    {"Vertical", BrushStyle::Vertical}, {"FDiagonal", BrushStyle::FDiagonal}, {"BDiagonal", BrushStyle::BDiagonal},
    {"Cross", BrushStyle::Cross},       {"DiagCross", BrushStyle::DiagCross},
};

constexpr ColorEntry Colors[] = {
    {"clBlack", clBlack},    {"clMaroon", clMaroon},   {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy},      {"clPurple", clPurple},   {"clTeal", clTeal},   {"clGray", clGray},
    {"clSilver", clSilver},  {"clRed", clRed},         {"clLime", clLime},   {"clYellow", clYellow},
    {"clBlue", clBlue},      {"clFuchsia", clFuchsia}, {"clAqua", clAqua},   {"$00A6CAF0", 0xA6CAF0},
    {"$00C0DCC0", 0xC0DCC0}, {"$00FFFBF0", 0xFFFBF0},  {"clWhite", clWhite},
};

} // namespace

std::span<const PenModeEntry> penModeEntries() { return PenModes; }

QString penModeStatus(PenMode mode) {
  for (const PenModeEntry &e : PenModes)
    if (e.mode == mode)
      return QStringLiteral("Pen=") + QLatin1String(e.caption);
  return {};
}

std::span<const CopyModeEntry> copyModeEntries() { return CopyModes; }
std::span<const PenStyleEntry> penStyleEntries() { return PenStyles; }
std::span<const BrushStyleEntry> brushStyleEntries() { return BrushStyles; }
std::span<const ColorEntry> colorEntries() { return Colors; }

} // namespace corvana::smudgel
