// Erase (a range of blocks the operator typed) and Erase All (every block,
// then the writer's bad block count and FAT start block number read back).
#include <string>

#include "core/common/prompt.h"
#include "core/nand/blocks/block_eraser.h"
#include "core/nand/blocks/block_range_refusals.h"
#include "core/nand/operations/end_nand_operation.h"
#include "core/nand/information/flash_information.h"
#include "core/nand/operations/nand_progress.h"
#include "core/nand/operations/nand_run.h"
#include "core/nand/operations/nand_workers.h"
#include "core/operation/run_end.h"
#include "core/text/decimal_text.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

// Erases first to last inside an open bracket and shows the bad blocks met.
RunEnd EraseAndListBadBlocks(NandRun& run, OperationStage stage, std::int64_t first, std::int64_t last) {
  NandProgress progress(run, {stage, std::nullopt, static_cast<std::uint64_t>(last - first + 1), StageUnit::Block});
  std::string badBlocks;
  if (RunEnd end = EraseBlockRange(run, first, last, progress, badBlocks)) return end;
  if (!badBlocks.empty()) run.prompt.Tell(badBlocks);
  return kGoOn;
}

LinkResult Erase(NandRun& run) {
  const std::int32_t first = DecimalTextValue(run.view->EditText(NandEdit::EraseFirst));
  const std::int32_t last = DecimalTextValue(run.view->EditText(NandEdit::EraseLast));
  if (const std::string refusal = EraseRangeRefusal(first, last, run.flash.totalBlockCount); !refusal.empty()) {
    return run.Refuse(ApplicationBox(refusal));
  }
  if (!run.OpenLink()) return LinkResult::Reported;
  ResetProgressBar(run);
  run.view->SetStatusText("NAND Flash Block Erase ~");
  if (RunEnd end = EndUnlessSuccess(run.commands.NdflProgramStart())) return *end;
  if (RunEnd end = EraseAndListBadBlocks(run, OperationStage::NandErase, first, last)) return *end;
  if (RunEnd end = EndUnlessSuccess(run.commands.NdflProgramEnd())) return *end;
  run.view->SetStatusText("NAND Flash Block Erase Complete!");
  run.prompt.Tell("Erase Complete!");
  return LinkResult::Finished;
}

// Erase All ends as a change, except when it fails to read what the writer
// knows of the flash: then only Refresh comes back.
struct EraseAllEnd {
  NandEnding ending;
  LinkResult code;
};

EraseAllEnd Changed(LinkResult code) { return {NandEnding::Change, code}; }
EraseAllEnd NotRead(LinkResult code) { return {NandEnding::Information, code}; }

EraseAllEnd EraseAll(NandRun& run) {
  if (!run.OpenLink()) return Changed(LinkResult::Reported);
  ResetProgressBar(run);
  run.view->SetStatusText("NAND Flash Erase All ~");
  if (RunEnd end = EndUnlessSuccess(run.commands.NdflProgramStart())) return Changed(*end);
  if (!run.flash.informationRead) {
    if (RunEnd end = ReadFlashInformation(run)) return NotRead(*end);
    run.flash.informationRead = true;
    run.KeepFlash();
  }
  const std::int64_t lastBlock = std::int64_t{run.flash.totalBlockCount} - 1;
  if (RunEnd end = EraseAndListBadBlocks(run, OperationStage::NandEraseAll, 0, lastBlock)) return Changed(*end);
  if (RunEnd end = ReadBadBlockCount(run)) return NotRead(*end);
  if (RunEnd end = ReadFatStartBlock(run)) return NotRead(*end);
  if (RunEnd end = EndUnlessSuccess(run.commands.NdflProgramEnd())) return Changed(*end);
  run.view->SetStatusText("NAND Flash Erase All Complete!");
  run.prompt.Tell("Erase All Complete!");
  return Changed(LinkResult::Finished);
}

}  // namespace

int EraseWorker(NandRun& run) { return EndNandOperation(run, NandEnding::Change, Erase(run)); }

int EraseAllWorker(NandRun& run) {
  const EraseAllEnd end = EraseAll(run);
  return EndNandOperation(run, end.ending, end.code);
}

}  // namespace vantrell
