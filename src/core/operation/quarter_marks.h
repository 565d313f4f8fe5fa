#pragma once
// Progress displays move in quarters: a mark starts at 25; when a step's
// percentage is at or above it the display is set and the mark rises by 25,
// once per step however far the percentage moved.
#include <cstdint>

namespace vantrell {

class QuarterMarks {
 public:
  bool Reached(std::uint64_t percent) {
    if (percent < mark_) return false;
    mark_ += kStep;
    return true;
  }
  void Reset() { mark_ = kStep; }

 private:
  static constexpr std::uint64_t kStep = 25;
  std::uint64_t mark_ = kStep;
};

}  // namespace vantrell
