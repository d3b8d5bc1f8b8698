#pragma once
// The script every document of a view runs in its own (application) world: it reports link
// clicks and hovers, form submits, control clicks, background sounds and frame focus over the
// web channel, and follows a link or submits a form again when the view asks it to.

#include <QString>

namespace corvana {

// Name under which the view's bridge object is registered on the web channel.
inline constexpr const char *kBridgeObjectName = "corvanaBridge";

QString PageScriptSource();

} // namespace corvana
