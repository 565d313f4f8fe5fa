#include "core/nand/operations/nand_progress.h"

#include "core/nand/operations/nand_run.h"

namespace vantrell {

void ResetProgressBar(NandRun& run) {
  run.view->SetRange(0, 100);
  run.view->SetPosition(0);
  run.view->SetShowPercentage(true);
}

NandProgress::NandProgress(NandRun& run, const StageEntry& stage)
    : run_(run), total_(stage.units), countsBytes_(stage.unit == StageUnit::Byte), bytesBefore_(run.bytes) {
  run_.view->StageEntered(stage);
}

void NandProgress::Reached(std::uint64_t done) {
  run_.view->StageProgress(done);
  if (countsBytes_) run_.bytes = bytesBefore_ + done;
  if (total_ == 0) return;
  // Lengths stay far below 2^57, so done × 100 cannot overflow.
  const std::uint64_t percent = done * 100 / total_;
  if (percent == shown_) return;
  shown_ = percent;
  run_.view->SetPosition(static_cast<int>(percent));
}

}  // namespace vantrell
