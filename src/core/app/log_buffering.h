#pragma once
// The message log buffered while an operation holds the writer link, and
// flushed the moment it gives the link back: a block read of hundreds of
// thousands of log lines writes the file in large pieces, and nothing logged
// is lost to a program killed between operations.
#include "core/common/busy_state.h"
#include "core/link/message_log.h"

namespace vantrell {

// Both outlive every operation. Set once, before any operation starts.
inline void BufferLogDuringOperations(BusyState& busy, MessageLog& log) {
  busy.SetListener([&log](bool operationRunning) { log.SetBuffered(operationRunning); });
}

}  // namespace vantrell
