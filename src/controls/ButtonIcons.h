#pragma once
// Tool-bar pictures by their desktop theme name ("document-open", "edit-cut", ...): the theme's
// picture where it has one, else a small drawing of our own, so buttons never shrink to bare
// captions. Every window's tool bar takes its pictures from here, so they look alike; the file
// and folder lists take theirs too.

#include <QIcon>
#include <QString>

namespace corvana {

QIcon ButtonIcon(const QString &themeName);

} // namespace corvana
