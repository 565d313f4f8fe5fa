#include "core/platform/file_growth_limit.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <limits>

namespace vantrell {
namespace {

constexpr std::uint64_t kNoLimit = std::numeric_limits<std::uint64_t>::max();

std::atomic<std::uint64_t> limit{kNoLimit};

}  // namespace

void SetFileGrowthLimit(std::optional<std::uint64_t> bytes) { limit.store(bytes.value_or(kNoLimit)); }

std::optional<std::uint64_t> FileGrowthLimit() {
  const std::uint64_t bytes = limit.load(std::memory_order_relaxed);
  if (bytes == kNoLimit) return std::nullopt;
  return bytes;
}

std::string FileGrowthLimitReason() { return std::strerror(EFBIG); }

}  // namespace vantrell
