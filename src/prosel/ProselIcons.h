#pragma once
// Tool-bar pictures for the editor's buttons: the desktop theme's where it has one, otherwise
// a small drawing of our own, so the buttons never fall back to bare captions.

#include <QIcon>

namespace corvana {

QIcon ProselButtonIcon(const QString &buttonName);

} // namespace corvana
