#include "core/app/busy_refusal.h"

#include "core/app/prompt.h"

namespace vantrell {

std::optional<BusyLease> TakeLinkOrSayBusy(BusyState& busy, Prompt& prompt) {
  std::optional<BusyLease> lease = BusyLease::TryTake(busy);
  if (!lease) prompt.Tell(ApplicationBox(kWriterBusyText));
  return lease;
}

}  // namespace vantrell
