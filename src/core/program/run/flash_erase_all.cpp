#include "core/program/run/flash_erase_all.h"

#include "core/program/run/download_run.h"
#include "core/operation/quarter_marks.h"
#include "core/program/chip/sector_address.h"
#include "core/text/format.h"

namespace vantrell {
RunEnd EraseEverySector(DownloadRun& run, const FlashGeometry& flash, std::int64_t& startSeconds) {
  const auto sectorCount = static_cast<std::uint32_t>(flash.sectorCount);
  run.chip.channel.Log("☞ Total Erase Sector Count = %d\r\n", static_cast<int>(sectorCount));
  run.PrepareTotalProgress();
  run.board.ShowOnAlive("Flash Erasing~");
  run.view->StageEntered({OperationStage::FlashEraseAll, std::nullopt, sectorCount, StageUnit::Sector});
  startSeconds = run.clock();

  QuarterMarks marks;
  ChipStatus status{};
  for (std::uint32_t s = 0; s < sectorCount; ++s) {
    if (RunEnd end = EndUnlessSuccess(run.chip.commands.SectorErase(SectorAddress(flash, s), status))) return end;
    const bool lastSector = (s + 1) / sectorCount != 0;
    if (!run.checks.CheckChipStatus(0, status, "Flash Erase All", lastSector)) return LinkResult::Reported;
    run.chip.channel.Log("\t\tSector[%02d] erased!\r\n", static_cast<int>(s));
    const std::uint64_t percent = 100ull * (s + 1) / sectorCount;
    if (marks.Reached(percent)) run.view->SetTotalProgressPosition(static_cast<int>(percent));
    run.view->SetProgressText(FormatText("Sector[%02d] Erased", static_cast<int>(s)));
    run.view->StageProgress(s + 1);
  }
  return kGoOn;
}

}  // namespace vantrell
