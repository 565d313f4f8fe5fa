#include "core/program/run/file_stages.h"

#include "core/program/run/download_run.h"
#include "core/operation/quarter_marks.h"
#include "core/text/format.h"

namespace vantrell {

FileStages::FileStages(DownloadRun& run, const FlashGeometry& flash, StageWeights weights)
    : run_(run), flash_(flash), weights_(weights) {}

RunEnd FileStages::Erase(const FileTarget& file) {
  const auto count = static_cast<std::uint32_t>(flash_.SectorsCovered(file.size));
  run_.chip.channel.Log("☞ Total Erase Sector Count = %d\r\n", static_cast<int>(count));
  run_.view->UpdateFileProgress(file.index, 0);
  run_.view->StageEntered({OperationStage::SectorErase, file.index, count, StageUnit::Sector});

  QuarterMarks marks;
  ChipStatus status{};
  std::uint32_t address = file.address;
  for (std::uint32_t j = 0; j < count; ++j) {
    const auto sector = static_cast<int>(file.startSector + j);
    if (RunEnd end = EndUnlessSuccess(run_.chip.commands.SectorErase(address, status))) return end;
    if (!run_.checks.CheckChipStatus(0, status, "Sector Erase", (j + 1) / count != 0)) return LinkResult::Reported;
    run_.chip.channel.Log("\t\tSector[%02d] erased!\r\n", sector);
    if (run_.options.blank) {
      if (RunEnd end = EndUnlessSuccess(
              run_.chip.commands.FlashBlankCheck(address, SectorBytes(), status, run_.board))) {
        return end;
      }
      if (!run_.checks.CheckChipStatus(0, status, "Blank Check", true)) return LinkResult::Reported;
    }
    address += SectorBytes();
    const std::uint64_t percent = 100ull * (j + 1) / count;
    if (marks.Reached(percent)) ShowProgress(file, percent, TotalPosition(file, weights_.erase, j + 1, count, 0));
    run_.view->SetProgressText(FormatText("Sector[%02d] Erased", sector));
    run_.view->StageProgress(j + 1);
  }
  completionLabel_ = "Sector Erase Complete";
  return kGoOn;
}

RunEnd FileStages::PassEmptyStage(const FileTarget& file, std::uint32_t stageWeight, std::uint32_t weightsBefore,
                                  const char* completionLabel) {
  ShowProgress(file, 100, TotalPosition(file, stageWeight, 1, 1, weightsBefore));
  run_.view->StageProgress(0);
  completionLabel_ = completionLabel;
  return kGoOn;
}

bool FileStages::ReadChunk(std::span<std::uint8_t> into) {
  return !run_.Abandoned() && run_.file.ReadExactly(into);
}

RunEnd FileStages::FailedRead(const std::string& logLine) {
  run_.chip.prompt.Tell("Failed to read selected file!");
  if (!logLine.empty()) run_.chip.channel.LogText(logLine);
  return LinkResult::CommError;
}

int FileStages::TotalPosition(const FileTarget& file, std::uint32_t stageWeight, std::uint64_t done,
                              std::uint64_t of, std::uint32_t weightsBefore) const {
  const std::uint64_t fileCount = run_.job.FileCount();
  const std::uint64_t base = 100ull * file.index;
  const std::uint64_t share = of != 0 ? stageWeight * done / of : 0;
  return static_cast<int>((share + base + weightsBefore) / (fileCount != 0 ? fileCount : 1));
}

void FileStages::ShowProgress(const FileTarget& file, std::uint64_t cellPercent, int totalPosition) {
  run_.view->UpdateFileProgress(file.index, static_cast<int>(cellPercent));
  run_.view->SetTotalProgressPosition(totalPosition);
}

}  // namespace vantrell
