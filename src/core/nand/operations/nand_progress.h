#pragma once
// The NAND window's progress bar as a worker drives it through a stage: set
// back to 0 % at the start, then moved to done × 100 ÷ total. A position is
// handed to the window only when its percentage changes, so a stage of a
// hundred thousand packets makes at most a hundred display updates. The
// stage's account is told its entry and every step.
#include <cstdint>

#include "core/operation/operation_account.h"

namespace vantrell {

class NandRun;

// Range 0 to 100, position 0, the percentage shown.
void ResetProgressBar(NandRun& run);

// Follows one stage on a bar that was reset for it.
class NandProgress {
 public:
  NandProgress(NandRun& run, const StageEntry& stage);

  void Reached(std::uint64_t done);

 private:
  NandRun& run_;
  std::uint64_t total_;
  std::uint64_t shown_ = 0;
  // A stage counted in bytes adds them to the run's bytes transferred.
  bool countsBytes_;
  std::uint64_t bytesBefore_;
};

}  // namespace vantrell
