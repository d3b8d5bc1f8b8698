#pragma once
// The entry of the sound module (src/sound, libcorvana_sound.so), which PlaySound opens on
// the first sound.

#include <QString>

namespace corvana {

inline constexpr const char *kSoundModule = "sound";
inline constexpr const char *kPlaySoundEntry = "corvana_play_sound";
// Starts playing a wave file without waiting for it.
using PlaySoundEntry = bool (*)(const QString &wavFile);

} // namespace corvana
