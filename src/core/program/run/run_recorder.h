#pragma once
// Where a finished run leaves what the main window keeps: the sockets still
// alive and the grown result counters.
#include <optional>

#include "core/link/link_result.h"
#include "core/common/run_control.h"
#include "core/program/chip/chip_types.h"
#include "core/operation/result_counters.h"

namespace vantrell {

class RunRecorder {
 public:
  virtual ~RunRecorder() = default;
  // Keeps the code the run ended with and alive as the last run's ChipAlive
  // and, when added is given, grows the counters by it. Returns the counters
  // now held, or nothing (and keeps nothing) when the run has been abandoned.
  virtual std::optional<ResultCounters> RecordRun(const RunControl& control, LinkResult code, const SocketFlags& alive,
                                                  const ResultCounters* added) = 0;
};

// What a run adds to the counters: every served socket to the total, those
// still alive to the successes, the rest to the failures. A run that did not
// finish (a link failure, a refused job, an unreadable file) leaves its chips
// half done whatever their checks said, so all of them count as failures.
ResultCounters CountRun(std::size_t socketCount, std::size_t aliveCount, bool finished);

}  // namespace vantrell
