#include "cli/host/read_master_events.h"

#include <algorithm>

namespace vantrell::cli {

void ReadMasterEvents::SetRange(int low, int high) {
  low_.store(low);
  high_.store(high);
  stages_.Enter("read");
}

void ReadMasterEvents::SetPosition(int position) {
  const std::int64_t low = low_.load();
  const std::int64_t span = std::int64_t{high_.load()} - low;
  if (span <= 0) return;
  const std::int64_t step = std::clamp<std::int64_t>(position - low, 0, span);
  stages_.Progress(static_cast<std::uint64_t>(length_) * static_cast<std::uint64_t>(step) / static_cast<std::uint64_t>(span),
                   length_, "byte");
}

}  // namespace vantrell::cli
