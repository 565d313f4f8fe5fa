#include "core/program/run/erase_all_worker.h"

#include "core/program/run/chip_identity.h"
#include "core/program/run/download_run.h"
#include "core/program/run/end_chip_operation.h"
#include "core/program/run/flash_erase_all.h"
#include "core/program/run/transfer_summary.h"

namespace vantrell {
namespace {

LinkResult EraseAll(DownloadRun& run) {
  const FlashGeometry flash(run.device);
  run.board.SetAll(1);
  run.file.Close();
  if (RunEnd end = OpenAndIdentifyChips(run, StaleInput::Keep)) return *end;

  std::int64_t startSeconds = 0;
  if (RunEnd end = EraseEverySector(run, flash, startSeconds)) return *end;

  ChipStatus status{};
  if (RunEnd end = EndUnlessSuccess(run.chip.commands.CommEnd(status))) return *end;
  if (!run.checks.CheckChipStatus(0, status, "Flash Erase All Complete", true)) return LinkResult::Reported;

  const TimeReport report = EraseAllTimeReport(run.clock() - startSeconds);
  for (const std::string& line : report.logLines) run.chip.channel.LogText(line);
  run.chip.prompt.Tell("Erase All Complete!\r\n" + report.summary);
  return LinkResult::Finished;
}

}  // namespace

int EraseAllWorker(DownloadRun& run) { return EndChipOperation(run, EraseAll(run)); }

}  // namespace vantrell
