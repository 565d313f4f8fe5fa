#pragma once
// A socket's verdict as the "socket" event gives it: the verdict and its
// reason from the run's account, its pack line as the window shows it, and a
// text that agrees with the result.
#include <string>

#include "cli/output/event_output.h"
#include "core/operation/operation_account.h"

namespace vantrell::cli {

// "passed", "read-id", "failed", "checksum" or "not-finished".
const char* VerdictName(SocketOutcome outcome);

Event SocketEvent(const SocketVerdict& verdict, const std::string& packLine, const OperationEnd& end);

}  // namespace vantrell::cli
