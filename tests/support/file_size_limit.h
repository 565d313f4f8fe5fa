#pragma once
// A write that truly fails, whoever the tests run as (root ignores file
// modes). While in scope, a file being replaced cannot grow past the limit,
// and such a write fails with "File too large" instead of ending the process.
//
// On POSIX systems it is the kernel's file size limit, so the failure comes
// from the system itself and holds for every file of the process; Windows
// has no such limit, and there the core's file growth limit stands in for it.
#include <cstdint>

#if defined(_WIN32)
#include "core/platform/file_growth_limit.h"
#else
#include <csignal>

#include <sys/resource.h>
#endif

namespace vantrell::test {

#if defined(_WIN32)
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(std::uint64_t bytes) { SetFileGrowthLimit(bytes); }
  ~ScopedFileSizeLimit() { SetFileGrowthLimit(std::nullopt); }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;
};
#else
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~ScopedFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = SIG_DFL;
};
#endif

}  // namespace vantrell::test
