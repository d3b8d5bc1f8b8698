#pragma once
// The program's fixed start-up order, from titling the application to the last window
// created at start. The message loop is the caller's.

#include <QString>
#include <QStringList>
#include <optional>

namespace corvana {

// The text to print when the command line asks for usage (--help) or the version (--version);
// nothing when the program is to start. Any other argument is a file to open.
std::optional<QString> CommandLineReply(const QStringList &arguments);
// What the running program settles before its first window: where its data and settings live,
// its icon, and the desktop entry its windows belong to.
void SettleProgram();
void StartCorvana();

} // namespace corvana
