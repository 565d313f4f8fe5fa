#include "core/common/busy_refusal.h"

#include "core/common/prompt.h"

namespace vantrell {

std::optional<BusyLease> TakeLinkOrSayBusy(BusyState& busy, Prompt& prompt) {
  std::optional<BusyLease> lease = BusyLease::TryTake(busy);
  if (!lease) prompt.Tell(ApplicationBox(kWriterBusyText));
  return lease;
}

}  // namespace vantrell
