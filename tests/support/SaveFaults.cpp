#include "support/SaveFaults.h"

#include "core/Error.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvana::test {

SaveOutcome SaveWithDiskFull(const std::function<void()> &save, long limitBytes) {
  const pid_t child = fork();
  if (child == 0) {
    // A write past the limit then fails with EFBIG instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{rlim_t(limitBytes), rlim_t(limitBytes)};
    setrlimit(RLIMIT_FSIZE, &limit);
    int code = 0;
    try {
      save();
    } catch (const Error &) {
      code = 1;
    } catch (...) {
      code = 2;
    }
    _exit(code);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
    return SaveOutcome::Crashed;
  switch (WEXITSTATUS(status)) {
  case 0:
    return SaveOutcome::Saved;
  case 1:
    return SaveOutcome::ErrorRaised;
  default:
    return SaveOutcome::Crashed;
  }
}

} // namespace corvana::test
