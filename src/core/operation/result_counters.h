#pragma once
// The download window's running result counters ("SumTotal", "SumSuccess",
// "SumFail"). They belong to the main window, not to one showing.
#include <cstdint>
#include <limits>

namespace vantrell {

struct ResultCounters {
  std::int32_t total = 0;
  std::int32_t success = 0;
  std::int32_t fail = 0;

  // A line that has counted two thousand million chips stays at the largest
  // count rather than wrapping to a negative one the stored value would keep.
  void Add(const ResultCounters& added) {
    total = SaturatingSum(total, added.total);
    success = SaturatingSum(success, added.success);
    fail = SaturatingSum(fail, added.fail);
  }

  bool operator==(const ResultCounters&) const = default;

 private:
  static std::int32_t SaturatingSum(std::int32_t count, std::int32_t added) {
    constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
    if (added <= 0) return count;
    return count > kLargest - added ? kLargest : count + added;
  }
};

}  // namespace vantrell
