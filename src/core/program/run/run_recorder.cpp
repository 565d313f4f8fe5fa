#include "core/program/run/run_recorder.h"

#include <algorithm>

namespace vantrell {

ResultCounters CountRun(std::size_t socketCount, std::size_t aliveCount, bool finished) {
  const auto total = static_cast<std::int32_t>(socketCount);
  const std::size_t passed = finished ? std::min(aliveCount, socketCount) : 0;
  const auto success = static_cast<std::int32_t>(passed);
  return {total, success, total - success};
}

}  // namespace vantrell
