#pragma once
// Starting an operation while another one holds the writer link is refused
// with a word to the operator, never silently. The writer log is left alone:
// nothing was sent.
#include <optional>

#include "core/common/busy_lease.h"

namespace vantrell {

class Prompt;

inline constexpr const char* kWriterBusyText = "The writer is busy. Try again when the current operation has finished.";

// The link for one operation, or nothing after telling the operator that
// another operation holds it.
std::optional<BusyLease> TakeLinkOrSayBusy(BusyState& busy, Prompt& prompt);

}  // namespace vantrell
