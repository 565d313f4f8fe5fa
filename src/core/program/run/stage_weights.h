#pragma once
// Shares of one file's progress, in percent, taken by its erase, program and
// verify stages; fixed for a run from the options.
#include <cstdint>

#include "core/program/window/run_options.h"

namespace vantrell {

struct StageWeights {
  std::uint32_t erase = 0;
  std::uint32_t program = 0;
  std::uint32_t verify = 0;

  bool operator==(const StageWeights&) const = default;
};

StageWeights StageWeightsFor(const RunOptions& options);

}  // namespace vantrell
