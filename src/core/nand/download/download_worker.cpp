// Download: the checked files, each erased and written from its start
// block, in the order File1, File2, File3, then the FAT start block number.
#include <string>

#include "core/common/prompt.h"
#include "core/nand/download/nand_block_range.h"
#include "core/nand/download/nand_download.h"
#include "core/nand/download/nand_file_writer.h"
#include "core/nand/operations/end_nand_operation.h"
#include "core/nand/operations/nand_progress.h"
#include "core/nand/operations/nand_run.h"
#include "core/nand/operations/nand_workers.h"
#include "core/operation/run_end.h"
#include "core/text/decimal_text.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

RunEnd Refuse(NandRun& run, const std::string& text) {
  run.prompt.Tell(text);
  return LinkResult::CommError;
}

// File k's blocks, from its start block as the edit reads now: refused when
// they run into an earlier file of this download or past the flash.
RunEnd PlanFile(NandRun& run, std::size_t k, NandFileRanges& ranges) {
  const std::int32_t start = DecimalTextValue(run.view->EditText(StartBlockEdit(k)));
  const auto range = FileBlockRange(start, run.download->files[k].data.size(), run.flash.blockSize);
  if (range) {
    if (const auto earlier = OverlappedEarlierFile(k, *range, ranges)) return Refuse(run, OverlapText(k, *earlier));
  }
  if (!range || !InsideFlash(*range, run.flash)) return Refuse(run, DoesNotFitText(k));
  ranges[k] = range;
  return kGoOn;
}

RunEnd EraseFileBlocks(NandRun& run, std::size_t k, const NandBlockRange& range) {
  const auto blocks = static_cast<std::uint64_t>(range.last - range.first + 1);
  run.EnterStage({OperationStage::NandBlockErase, k, blocks, StageUnit::Block});
  for (std::int64_t block = range.first; block <= range.last; ++block) {
    if (RunEnd end = EndUnlessSuccess(run.commands.EraseBlock(static_cast<std::uint32_t>(block)))) return end;
    run.view->StageProgress(static_cast<std::uint64_t>(block - range.first + 1));
  }
  return kGoOn;
}

RunEnd DownloadFile(NandRun& run, std::size_t k, NandFileRanges& ranges) {
  if (RunEnd end = PlanFile(run, k, ranges)) return end;
  const std::vector<std::uint8_t>& data = run.download->files[k].data;
  ResetProgressBar(run);
  run.view->SetStatusText(FormatText("NAND Flash Block Erasing~, for File%d", NandFileNumber(k)));
  if (RunEnd end = EraseFileBlocks(run, k, *ranges[k])) return end;
  run.view->SetStatusText(FormatText("File%d Downloading~", NandFileNumber(k)));
  NandProgress progress(run, {OperationStage::NandDownload, k, data.size(), StageUnit::Byte});
  return WriteNandFile(run, data, static_cast<std::uint32_t>(ranges[k]->first), progress);
}

RunEnd WriteFatStartBlock(NandRun& run) {
  const std::int32_t number = DecimalTextValue(run.view->EditText(NandEdit::FatStart));
  run.view->SetStatusText(FormatText("FAT Start Block Number <0x%x> Writing", static_cast<unsigned>(number)));
  run.EnterStage({OperationStage::NandFatWrite, std::nullopt, 0, StageUnit::None});
  return EndUnlessSuccess(run.commands.WriteFatStartBlockNumber(static_cast<std::uint32_t>(number)));
}

LinkResult Download(NandRun& run) {
  if (!run.download) {
    return run.Refuse(ApplicationBox("Download File & FAT Start Block Number are not selected!"));
  }
  if (!run.OpenLink()) return LinkResult::Reported;
  if (RunEnd end = EndUnlessSuccess(run.commands.NdflProgramStart())) return *end;
  std::string summary;
  NandFileRanges ranges;
  for (std::size_t k = 0; k < kNandFileCount; ++k) {
    if (!run.download->files[k].checked) continue;
    if (RunEnd end = DownloadFile(run, k, ranges)) return *end;
    summary += FormatText("File%d Download\r\n", NandFileNumber(k));
  }
  if (run.download->fatChecked) {
    if (RunEnd end = WriteFatStartBlock(run)) return *end;
    summary += "FAT Start Block Number Write\r\n";
  }
  summary += "Complete!";
  if (RunEnd end = EndUnlessSuccess(run.commands.NdflProgramEnd())) return *end;
  run.prompt.Tell(summary);
  return LinkResult::Finished;
}

}  // namespace

int DownloadWorker(NandRun& run) { return EndNandOperation(run, NandEnding::Change, Download(run)); }

}  // namespace vantrell
