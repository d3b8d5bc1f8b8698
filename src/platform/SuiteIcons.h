#pragma once
// The suite's icons, drawn for it as SVG and compiled into the program: one for the suite (the
// frame, the desktop entry) and one per window, found by the window's form name, so a window
// gets its icon when its form is created.

#include <QList>

class QIcon;
class QImage;
class QString;

namespace corvana {

// The icon of the form named `formName` ("ProselF"): its own when one is drawn for it, else
// the suite's.
QIcon FormIcon(const QString &formName);
// The suite's icon: the frame's, and the one the desktop shows for the program.
QIcon SuiteIcon();
// The name of the drawing for a form: "prosel" for "ProselF", "corvana" for the frame and for
// a form that has no drawing of its own.
QString FormIconName(const QString &formName);
// Whether a drawing of that name exists.
bool HasIconDrawing(const QString &name);
// The drawing `name` rendered at size × size pixels; a null image when there is none.
QImage RenderIcon(const QString &name, int size);
// The pixel sizes every icon carries, so each window and the task switcher get a sharp one up
// to 256 px (128 px at 200 % scaling).
QList<int> IconPixelSizes();

} // namespace corvana
