#pragma once
// The error a command raises to end itself, and the guard every command handler runs inside:
// the guard shows the message in the default error box and leaves the window usable.

#include <QString>
#include <functional>
#include <stdexcept>

class QAction;
class QObject;

namespace corvana {

class Dialogs;

class Error : public std::runtime_error {
public:
  explicit Error(const QString &message);
  const QString &message() const { return m_message; }

  static Error cannotOpen(const QString &path);   // "Cannot open file %s"
  static Error cannotCreate(const QString &path); // "Cannot create file %s"

private:
  QString m_message;
};

// Runs a command; any exception it throws ends the command and is shown through
// `dialogs.error`. Returns whether the command ran to its end.
bool guarded(Dialogs &dialogs, const std::function<void()> &command);
// The same with the application's dialogs service.
bool guarded(const std::function<void()> &command);

// Connects an action's trigger to a command that runs guarded.
void onTriggered(QAction *action, QObject *context, std::function<void()> command);

} // namespace corvana
