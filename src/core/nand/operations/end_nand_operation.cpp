#include "core/nand/operations/end_nand_operation.h"

#include "core/nand/commands/report_nand_result.h"
#include "core/nand/operations/nand_run.h"

namespace vantrell {
namespace {

void BeforeExit(NandRun& run, NandEnding ending, LinkResult code) {
  const bool finished = code == LinkResult::Finished;
  switch (ending) {
    case NandEnding::Information:
      if (finished) run.view->RestoreAll(run.flash.hasBadBlocks);
      run.view->EnableRefresh();
      return;
    case NandEnding::Change:
      return;
    case NandEnding::BlockRead:
      if (finished) run.view->ShowReadBlocks(run.readBack);
      return;
    case NandEnding::BadBlockList:
      if (code == LinkResult::CommError) run.prompt.Tell("Rx Bad Block Count is Wrong!");
      if (finished) run.view->ShowBadBlockList(run.flash.badBlockCount, run.badBlocks);
      return;
  }
}

void AfterClose(NandRun& run, NandEnding ending) {
  switch (ending) {
    case NandEnding::Information:
      return;
    case NandEnding::Change:
    case NandEnding::BlockRead:
      run.view->RestoreAll(run.flash.hasBadBlocks);
      return;
    case NandEnding::BadBlockList:
      run.view->EnableReadBadBlock();
      return;
  }
}

template <typename T>
void Release(std::vector<T>& buffer) {
  std::vector<T>().swap(buffer);
}

}  // namespace

int EndNandOperation(NandRun& run, NandEnding ending, LinkResult code) {
  if (!run.Abandoned()) {
    ReportNandResult(code, run.commands, [&] { BeforeExit(run, ending, code); });
    AfterClose(run, ending);
  }
  Release(run.badBlocks);
  Release(run.readBack);
  Release(run.blockBuffer);
  run.lease.Release();
  return 0;
}

}  // namespace vantrell
