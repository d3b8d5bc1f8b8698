#pragma once
// Helpers for driving an HTML view in tests: running page script and waiting for the view.

#include "htmlview/HtmlView.h"

#include <QVariant>

namespace corvana::test {

// Runs script in the page's own world of the top document and returns its value.
QVariant RunPageScript(THtmlViewBase &view, const QString &script);
// Loads a file and waits for the load to end.
void LoadAndWait(THtmlViewBase &view, const QString &file);

} // namespace corvana::test
