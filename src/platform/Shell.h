#pragma once
// What the suite asks of the desktop: opening links and files with their default program,
// starting programs, and playing sound. Each call reports whether it succeeded.

#include <QString>
#include <QStringList>
#include <functional>

class QUrl;

namespace corvana {

// Opens a URL or local file with the desktop's default program.
bool ShellOpen(const QString &urlOrFile);
// Starts a program with arguments, detached.
bool StartProgram(const QString &program, const QStringList &arguments);
// Starts another instance of this program.
bool StartNewInstance(const QStringList &arguments);
// Plays a ".WAV" file without waiting for it.
bool PlaySound(const QString &wavFile);
// Hands a ".MID", ".AVI" or other media file to the desktop's player.
bool PlayMedia(const QString &file);

// Tests replace how URLs reach the desktop and how programs start; nullptr restores the real ones.
void SetUrlOpener(std::function<bool(const QUrl &)> opener);
void SetProgramStarter(std::function<bool(const QString &, const QStringList &)> starter);

} // namespace corvana
