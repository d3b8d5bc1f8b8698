// The sound module: plays wave files through the multimedia library, which the program maps
// only once the first sound is asked for.

#include "platform/SoundEntry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

extern "C" Q_DECL_EXPORT bool corvana_play_sound(const QString &wavFile) {
  // One effect at a time, kept alive while it plays.
  static QPointer<QSoundEffect> effect;
  if (!effect)
    effect = new QSoundEffect(QCoreApplication::instance());
  effect->stop();
  effect->setSource(QUrl::fromLocalFile(QFileInfo(wavFile).absoluteFilePath()));
  effect->play();
  return true;
}
