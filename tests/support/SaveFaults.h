#pragma once
// Running a save while the disk is full: the save runs in a child process whose files may not
// grow past a few bytes, as on a disk that fills mid-write.

#include <functional>

namespace corvana::test {

enum class SaveOutcome { Saved, ErrorRaised, Crashed };

// Runs `save` in a forked child whose file size limit is `limitBytes`; a corvana::Error it
// raises is the outcome the user would see as an error box.
SaveOutcome SaveWithDiskFull(const std::function<void()> &save, long limitBytes = 64);

} // namespace corvana::test
