#include "core/program/run/download_worker.h"

#include "core/program/run/chip_identity.h"
#include "core/program/run/download_run.h"
#include "core/program/run/end_chip_operation.h"
#include "core/program/run/file_stages.h"
#include "core/program/run/flash_erase_all.h"
#include "core/program/chip/sector_address.h"
#include "core/program/run/transfer_summary.h"

namespace vantrell {
namespace {

RunEnd BlankCheckWholeFlash(DownloadRun& run, const FlashGeometry& flash) {
  ChipStatus status{};
  if (run.options.blank) {
    run.view->StageEntered({OperationStage::BlankCheck, std::nullopt, flash.sectorCount, StageUnit::Sector});
    const auto sectorBytes = static_cast<std::uint32_t>(flash.sectorBytes);
    for (std::uint64_t s = 0; s < flash.sectorCount; ++s) {
      const LinkResult r = run.chip.commands.FlashBlankCheck(SectorAddress(flash, s), sectorBytes, status, run.board);
      if (RunEnd end = EndUnlessSuccess(r)) return end;
      if (!run.checks.CheckChipStatus(0, status, "Blank Check", true)) return LinkResult::Reported;
      run.view->StageProgress(s + 1);
    }
  }
  if (RunEnd end = EndUnlessSuccess(run.chip.commands.CommEnd(status))) return end;
  if (!run.checks.CheckChipStatus(0, status, "Blank Check Complete", true)) return LinkResult::Reported;
  run.chip.prompt.Tell("Blank Check Complete!");
  return LinkResult::Finished;
}

bool JobIsValid(DownloadRun& run, DownloadJobSizes& sizes) {
  if (run.Abandoned()) return false;
  return ValidateDownloadJob(run.job, run.device, run.chip.prompt.Raw(), run.chip.channel.RawLog(), sizes);
}

void LogBanner(DownloadRun& run) {
  OperationChannel& channel = run.chip.channel;
  channel.LogText("\r\n\r\n\r\n");
  channel.LogText("---------------------------------------\r\n");
  channel.LogText("--------  Start File Download  --------\r\n");
  channel.LogText("---------------------------------------\r\n\r\n");
  channel.Log("Current Device Chip ID = 0x%02X\r\n", run.device.chipId);
  channel.Log("Current Device Sector Size = %d[KB]\r\n", static_cast<int>(run.device.sectorSizeKb));
  channel.Log("Current Device Flash Size = %d[KB]\r\n", static_cast<int>(run.device.flashSizeKb));
}

FileTarget TargetOf(const DownloadRun& run, const FlashGeometry& flash, std::size_t k) {
  FileTarget target;
  target.index = k;
  target.startSector = k < run.job.sectors.size() ? static_cast<std::uint32_t>(run.job.sectors[k]) : 0;
  target.address = SectorAddress(flash, target.startSector);
  target.size = run.file.Size();
  target.expectedChecksum = k < run.job.checksums.size() ? run.job.checksums[k] : 0;
  return target;
}

RunEnd OpenJobFile(DownloadRun& run, const FlashGeometry& flash, const std::string& path) {
  OperationChannel& channel = run.chip.channel;
  if (run.Abandoned() || !run.file.Open(path)) {
    run.chip.prompt.Tell("Cannot Open File!");
    channel.Log("Cannot Open File! <- %s\r\n", path.c_str());
    return LinkResult::CommError;
  }
  channel.Log("\r\n ☞ <%s> File Open!\r\n", path.c_str());
  const std::uint64_t size = run.file.Size();
  const auto loggedSize = static_cast<int>(static_cast<std::uint32_t>(size));
  channel.Log(" ☞ File Size = %d\r\n", loggedSize);
  if (size > flash.flashBytes) {
    run.chip.prompt.Tell("Download File Size is over!");
    channel.LogText("Download File Size is over!\r\n");
    channel.Log("  -> File Size = %d, Internal Flash Size = %d\r\n", loggedSize, static_cast<int>(flash.flashBytes));
    return LinkResult::CommError;
  }
  return kGoOn;
}

RunEnd WriteFile(DownloadRun& run, const FlashGeometry& flash, FileStages& stages, std::size_t k) {
  run.chip.channel.Log("\r\n\r\n\r\n <<<<<<<< %dth File Write >>>>>>>> \r\n", static_cast<int>(k + 1));
  if (RunEnd end = OpenJobFile(run, flash, run.job.paths[k])) return end;
  const FileTarget target = TargetOf(run, flash, k);
  if (run.options.erase) {
    if (RunEnd end = stages.Erase(target)) return end;
  }
  if (run.options.program) {
    if (RunEnd end = stages.Program(target)) return end;
  }
  if (run.options.verify) {
    if (RunEnd end = stages.Verify(target)) return end;
  }
  run.file.Close();
  return kGoOn;
}

LinkResult FinishFiles(DownloadRun& run, const std::string& completionLabel, std::int64_t startSeconds,
                       std::uint64_t totalBytes) {
  const std::int64_t endSeconds = run.clock();
  run.chip.channel.LogText("\r\n\r\n => Files Download Finish!\r\n");
  const TimeReport report = TransferTimeReport(endSeconds - startSeconds, totalBytes);
  for (const std::string& line : report.logLines) run.chip.channel.LogText(line);

  ChipStatus status{};
  if (RunEnd end = EndUnlessSuccess(run.chip.commands.CommEnd(status))) return *end;
  if (!run.checks.CheckChipStatus(0, status, completionLabel, true)) return LinkResult::Reported;
  run.chip.prompt.Tell("Finish!!\r\n" + report.summary);
  return LinkResult::Finished;
}

LinkResult Download(DownloadRun& run) {
  const FlashGeometry flash(run.device);
  run.board.SetAll(1);
  run.file.Close();
  if (RunEnd end = OpenAndIdentifyChips(run, StaleInput::Clear)) return *end;
  if (run.options.IsBlankCheckOnly()) return *BlankCheckWholeFlash(run, flash);

  std::optional<std::int64_t> startSeconds;
  if (run.options.eraseAll) {
    std::int64_t erasedFrom = 0;
    if (RunEnd end = EraseEverySector(run, flash, erasedFrom)) return *end;
    startSeconds = erasedFrom;
    run.chip.channel.LogText("\r\nErase All Complete!\r\n");
  }
  // The rate counts the sizes validation measured; a job of no files moved nothing.
  DownloadJobSizes sizes;
  if (run.job.FileCount() > 0 && !JobIsValid(run, sizes)) return LinkResult::CommError;

  LogBanner(run);
  run.PrepareTotalProgress();
  FileStages stages(run, flash, StageWeightsFor(run.options));
  if (!startSeconds) startSeconds = run.clock();

  for (std::size_t k = 0; k < run.job.FileCount(); ++k) {
    if (RunEnd end = WriteFile(run, flash, stages, k)) return *end;
  }
  return FinishFiles(run, stages.CompletionLabel(), *startSeconds, sizes.totalBytes);
}

}  // namespace

int DownloadWorker(DownloadRun& run) { return EndChipOperation(run, Download(run)); }

}  // namespace vantrell
