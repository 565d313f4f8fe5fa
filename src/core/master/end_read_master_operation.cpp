#include "core/master/end_read_master_operation.h"

#include "core/program/chip/chip_context.h"
#include "core/program/chip/chip_ending.h"

namespace vantrell {

int EndReadMasterOperation(ChipContext& chip, const ReadMasterViewSlot& views, LinkResult code,
                           std::uint64_t bytesRead) {
  const bool reported = !chip.Abandoned();
  if (reported) {
    ReportChipEnding(code, chip);
    if (code == LinkResult::Finished && !chip.Abandoned()) views.Get()->ShowFinishedRead();
    chip.channel.LogText(kExitDownloadLine);
    chip.channel.Close();
  }
  // The link is free before Read Run comes back, so a read started the
  // moment it does is not refused.
  chip.lease.Release();
  if (reported && !chip.Abandoned()) {
    views.Get()->EnableReadRun();
    OperationEnd end;
    end.code = code;
    end.linkOpenFailed = chip.linkOpenFailed;
    end.bytes = bytesRead;
    end.elapsedSeconds = chip.ElapsedSeconds();
    views.Get()->OperationEnded(end);
  }
  return 0;
}

}  // namespace vantrell
