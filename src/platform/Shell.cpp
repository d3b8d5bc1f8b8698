#include "platform/Shell.h"

#include "platform/Modules.h"
#include "platform/SoundEntry.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace corvana {

namespace {

std::function<bool(const QUrl &)> &urlOpener() {
  static std::function<bool(const QUrl &)> opener;
  return opener;
}

std::function<bool(const QString &, const QStringList &)> &programStarter() {
  static std::function<bool(const QString &, const QStringList &)> starter;
  return starter;
}

bool openUrl(const QUrl &url) {
  if (urlOpener())
    return urlOpener()(url);
  return QDesktopServices::openUrl(url);
}

bool isWave(const QString &file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly))
    return false;
  const QByteArray head = f.read(12);
  return head.size() == 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
}

} // namespace

bool ShellOpen(const QString &urlOrFile) {
  if (urlOrFile.isEmpty())
    return false;
  QUrl url(urlOrFile);
  if (url.scheme().isEmpty() || url.scheme().size() == 1 || urlOrFile.startsWith(u'/')) {
    // A plain path; it must exist for the desktop to open it.
    if (!QFileInfo::exists(urlOrFile))
      return false;
    url = QUrl::fromLocalFile(QFileInfo(urlOrFile).absoluteFilePath());
  } else if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
    return false;
  }
  return openUrl(url);
}

bool StartProgram(const QString &program, const QStringList &arguments) {
  if (program.isEmpty())
    return false;
  if (programStarter())
    return programStarter()(program, arguments);
  return QProcess::startDetached(program, arguments);
}

bool StartNewInstance(const QStringList &arguments) {
  return StartProgram(QCoreApplication::applicationFilePath(), arguments);
}

bool PlaySound(const QString &wavFile) {
  if (!isWave(wavFile))
    return false;
  // The multimedia library is mapped only once a sound is asked for.
  QString error;
  const auto play =
      reinterpret_cast<PlaySoundEntry>(ResolveModuleSymbol(QString::fromLatin1(kSoundModule), kPlaySoundEntry, &error));
  if (!play) {
    qWarning("%s", qPrintable(error));
    return false;
  }
  return play(wavFile);
}

bool PlayMedia(const QString &file) { return ShellOpen(file); }

void SetUrlOpener(std::function<bool(const QUrl &)> opener) { urlOpener() = std::move(opener); }

void SetProgramStarter(std::function<bool(const QString &, const QStringList &)> starter) {
  programStarter() = std::move(starter);
}

} // namespace corvana
