#pragma once
// Progress arrives at every packet; readers want about ten a second. A
// progress goes out when the last one is at least a gap old, and the last
// one of a stage (done == total) always goes out.
#include <chrono>
#include <cstdint>
#include <optional>

namespace vantrell::cli {

class ProgressThrottle {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr Clock::duration kGap = std::chrono::milliseconds(100);

  explicit ProgressThrottle(Clock::duration gap = kGap) : gap_(gap) {}

  bool Admit(std::uint64_t done, std::uint64_t total, Clock::time_point now);

 private:
  Clock::duration gap_;
  std::optional<Clock::time_point> last_;
};

}  // namespace vantrell::cli
