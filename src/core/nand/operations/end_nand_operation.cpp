#include "core/nand/operations/end_nand_operation.h"

#include "core/nand/commands/report_nand_result.h"
#include "core/nand/operations/nand_run.h"

namespace vantrell {
namespace {

void BeforeExit(NandRun& run, NandEnding ending, LinkResult code) {
  if (ending == NandEnding::BlockRead && code == LinkResult::Finished) run.view->ShowReadBlocks(run.readBack);
  if (ending != NandEnding::BadBlockList) return;
  if (code == LinkResult::CommError) run.prompt.Tell("Rx Bad Block Count is Wrong!");
  if (code == LinkResult::Finished) run.view->ShowBadBlockList(run.flash.badBlockCount, run.badBlocks);
}

void RestoreControls(NandRun& run, NandEnding ending, LinkResult code) {
  switch (ending) {
    case NandEnding::Information:
      if (code == LinkResult::Finished) run.view->RestoreAll(run.flash.hasBadBlocks);
      run.view->EnableRefresh();
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

void GiveAccount(NandRun& run, LinkResult code) {
  OperationEnd end;
  end.code = code;
  end.linkOpenFailed = run.linkOpenFailed;
  end.refusal = run.refusal;
  end.bytes = run.bytes;
  end.elapsedSeconds = run.ElapsedSeconds();
  run.view->OperationEnded(end);
}

template <typename T>
void Release(std::vector<T>& buffer) {
  std::vector<T>().swap(buffer);
}

}  // namespace

int EndNandOperation(NandRun& run, NandEnding ending, LinkResult code) {
  run.outcome = code;
  if (!run.Abandoned()) {
    ReportNandResult(code, run.commands, [&] { BeforeExit(run, ending, code); });
    GiveAccount(run, code);
  }
  Release(run.badBlocks);
  Release(run.readBack);
  Release(run.blockBuffer);
  // The link is given back before the controls come back, so an operation
  // started with them finds it free; the window is not waited for after this.
  run.lease.Release();
  RestoreControls(run, ending, code);
  return 0;
}

}  // namespace vantrell
