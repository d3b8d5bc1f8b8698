#pragma once
// The script every document of a view runs in its own (application) world: it reports link
// clicks and hovers, form submits, control clicks, background sounds and frame focus over the
// web channel, and follows a link or submits a form again when the view asks it to. Beside it
// are the calls the view makes into a shown document.

#include <QString>

namespace corvana {

// Name under which the view's bridge object is registered on the web channel.
inline constexpr const char *kBridgeObjectName = "corvanaBridge";

QString PageScriptSource();

// A call the view runs in a shown document, in the application world.
// Selects the next occurrence of `text`; the value is whether one was found.
QString FindScript(const QString &text, bool matchCase);
// Scrolls to the element named by `anchor` (without "#").
QString ScrollToAnchorScript(const QString &anchor);

} // namespace corvana
