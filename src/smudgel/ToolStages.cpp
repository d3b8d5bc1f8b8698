#include "smudgel/ToolStages.h"

#include <array>

namespace corvana::smudgel {

namespace {

using enum Tool;
using enum Stage;
using enum MouseEvent;
using enum Action;

constexpr bool ThenNoTool = true;

// clang-format off
constexpr std::array Table{
    //         tool         stage   event    action                 next
    Transition{Line,        First,  Move,    BandLine,              First},
    Transition{Line,        First,  Release, FinalLine,             First},
    Transition{Sline,       First,  Move,    SlineStroke,           First},
    Transition{Rectangle,   First,  Move,    BandFigure,            First},
    Transition{Rectangle,   First,  Release, FinalFigure,           First},
    Transition{RoundRect,   First,  Move,    BandFigure,            First},
    Transition{RoundRect,   First,  Release, FinalFigure,           First},
    Transition{Ellipse,     First,  Move,    BandFigure,            First},
    Transition{Ellipse,     First,  Release, FinalFigure,           First},

    // arc, chord and pie: drag the box, click the start, click the end; the band ellipse
    // stays meanwhile, and the press after the figure starts a new box
    Transition{Arc,         First,  Move,    BandFigure,            First},
    Transition{Arc,         First,  Release, KeepArcBox,            Second},
    Transition{Arc,         Second, Release, KeepArcStart,          Third},
    Transition{Arc,         Third,  Release, DrawArcFigure,         Done},
    Transition{Arc,         Done,   Press,   Nothing,               First},
    Transition{Chord,       First,  Move,    BandFigure,            First},
    Transition{Chord,       First,  Release, KeepArcBox,            Second},
    Transition{Chord,       Second, Release, KeepArcStart,          Third},
    Transition{Chord,       Third,  Release, DrawArcFigure,         Done},
    Transition{Chord,       Done,   Press,   Nothing,               First},
    Transition{Pie,         First,  Move,    BandFigure,            First},
    Transition{Pie,         First,  Release, KeepArcBox,            Second},
    Transition{Pie,         Second, Release, KeepArcStart,          Third},
    Transition{Pie,         Third,  Release, DrawArcFigure,         Done},
    Transition{Pie,         Done,   Press,   Nothing,               First},

    // bezier: the first drag lays the chord, the next two pull the control points (a press
    // alone pulls too); after the third the tool passes through Done straight to First
    Transition{Bezier,      First,  Move,    BandBezier,            First},
    Transition{Bezier,      First,  Release, Nothing,               Second},
    Transition{Bezier,      Second, Press,   PullControl1,          Second},
    Transition{Bezier,      Second, Move,    PullControl1,          Second},
    Transition{Bezier,      Second, Release, Nothing,               Third},
    Transition{Bezier,      Third,  Press,   PullControl2,          Third},
    Transition{Bezier,      Third,  Move,    PullControl2,          Third},
    Transition{Bezier,      Third,  Release, FinalBezier,           First},
    Transition{Bezier,      Done,   Press,   Nothing,               First},
    Transition{Bezier,      Done,   Release, Nothing,               First},

    Transition{Spiral,      First,  Move,    BandLine,              First},
    Transition{Spiral,      First,  Release, DrawSpiral,            First},
    Transition{Star,        First,  Move,    BandLine,              First},
    Transition{Star,        First,  Release, DrawStars,             First},
    Transition{Sym,         First,  Press,   SeedSymmetry,          First},
    Transition{Sym,         First,  Move,    SymStrokes,            First},
    Transition{Spray,       First,  Move,    SprayDots,             First},
    Transition{Freehand,    First,  Move,    FreehandStroke,        First},
    Transition{VMirror,     First,  Move,    MirroredStrokes,       First},
    Transition{HMirror,     First,  Move,    MirroredStrokes,       First},
    Transition{CMirror,     First,  Move,    MirroredStrokes,       First},
    Transition{Mirror4,     First,  Move,    MirroredStrokes,       First},
    Transition{Blocks,      First,  Move,    FillBlock,             First},
    Transition{Blocks,      First,  Release, FillBlock,             First},
    Transition{Text,        First,  Release, WriteText,             First},
    Transition{ShadowText,  First,  Release, WriteShadowText,       First},
    Transition{FloodFill,   First,  Release, FillSurface,           First},

    // a selection and a picked colour leave no tool, so the next drag draws nothing
    Transition{Snapshot,    First,  Press,   HoldSelectionPen,      First},
    Transition{Snapshot,    First,  Move,    BandSelection,         First},
    Transition{Snapshot,    First,  Release, EndSelection,          First, ThenNoTool},
    Transition{Paste,       First,  Move,    StampWhenShifted,      First},
    Transition{Paste,       First,  Release, PasteAt,               First},
    Transition{PasteMask,   First,  Release, PasteMaskAt,           First},
    Transition{PasteColor,  First,  Release, PasteColorAt,          First},
    Transition{PasteColorX, First,  Release, PasteColorInvertedAt,  First},
    Transition{PaintPick,   First,  Release, PickColor,             First, ThenNoTool},
};
// clang-format on

} // namespace

std::span<const Transition> transitions() { return Table; }

const Transition *transitionFor(StagedTool tool, MouseEvent event) {
  for (const Transition &row : Table) {
    if (row.tool == tool.tool() && row.stage == tool.stage() && row.event == event)
      return &row;
  }
  return nullptr;
}

StagedTool nextTool(const Transition &row) {
  return row.leavesNoTool ? StagedTool(None) : StagedTool(row.tool, row.next);
}

} // namespace corvana::smudgel
