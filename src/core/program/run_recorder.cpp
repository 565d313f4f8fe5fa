#include "core/program/run_recorder.h"

namespace vantrell {

ResultCounters CountRun(std::size_t socketCount, std::size_t aliveCount) {
  const auto total = static_cast<std::int32_t>(socketCount);
  const auto success = static_cast<std::int32_t>(aliveCount < socketCount ? aliveCount : socketCount);
  return {total, success, total - success};
}

}  // namespace vantrell
