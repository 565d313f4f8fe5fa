#include "cli/output/progress_throttle.h"

namespace vantrell::cli {

bool ProgressThrottle::Admit(std::uint64_t done, std::uint64_t total, Clock::time_point now) {
  if (done < total && last_ && now - *last_ < gap_) return false;
  last_ = now;
  return true;
}

}  // namespace vantrell::cli
