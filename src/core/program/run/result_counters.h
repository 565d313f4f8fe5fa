#pragma once
// The download window's running result counters ("SumTotal", "SumSuccess",
// "SumFail"). They belong to the main window, not to one showing.
#include <cstdint>

namespace vantrell {

struct ResultCounters {
  std::int32_t total = 0;
  std::int32_t success = 0;
  std::int32_t fail = 0;

  bool operator==(const ResultCounters&) const = default;
};

}  // namespace vantrell
