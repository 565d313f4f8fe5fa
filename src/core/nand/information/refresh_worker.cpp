#include "core/common/prompt.h"
#include "core/nand/operations/end_nand_operation.h"
#include "core/nand/information/flash_information.h"
#include "core/nand/operations/nand_run.h"
#include "core/nand/operations/nand_workers.h"
#include "core/operation/run_end.h"

namespace vantrell {
namespace {

LinkResult Refresh(NandRun& run) {
  if (!run.OpenLink(WindowBox("USB Open Error!", kLinkOpenFailureText))) return LinkResult::Reported;
  run.EnterStage({OperationStage::NandRefresh, std::nullopt, 0, StageUnit::None});
  if (RunEnd end = EndUnlessSuccess(run.commands.NdflProgramStart())) return *end;
  if (RunEnd end = ReadFlashInformation(run)) return *end;
  if (RunEnd end = ReadBadBlockCount(run)) return *end;
  if (RunEnd end = ReadFatStartBlock(run)) return *end;
  if (RunEnd end = EndUnlessSuccess(run.commands.NdflProgramEnd())) return *end;
  run.flash.informationRead = true;
  run.KeepFlash();
  return LinkResult::Finished;
}

}  // namespace

int RefreshWorker(NandRun& run) { return EndNandOperation(run, NandEnding::Information, Refresh(run)); }

}  // namespace vantrell
