#pragma once
// The error a command raises to end itself, and the guard every command handler runs inside:
// the guard shows the message in the default error box and leaves the window usable.

#include "core/Error.h"

#include <functional>

class QAction;
class QObject;

namespace corvana {

class Dialogs;

// Runs a command; any exception it throws ends the command and is shown through
// `dialogs.error`. Returns whether the command ran to its end.
bool guarded(Dialogs &dialogs, const std::function<void()> &command);
// The same with the application's dialogs service.
bool guarded(const std::function<void()> &command);

// Connects an action's trigger to a command that runs guarded.
void onTriggered(QAction *action, QObject *context, std::function<void()> command);

} // namespace corvana
