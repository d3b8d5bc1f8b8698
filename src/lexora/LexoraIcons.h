#pragma once
// Pictures for the highlighting editor's tool-bar buttons: the desktop theme's where it has
// one, else a small drawing of our own, so the buttons never shrink to bare captions.

#include <QIcon>

namespace corvana {

QIcon LexoraButtonIcon(const QString &buttonName);

} // namespace corvana
