#include "core/program/end_read_master_operation.h"

#include "core/program/chip_context.h"
#include "core/program/chip_ending.h"

namespace vantrell {

int EndReadMasterOperation(ChipContext& chip, const ReadMasterViewSlot& views, LinkResult code) {
  if (!chip.Abandoned()) {
    ReportChipEnding(code, chip);
    if (code == LinkResult::Finished && !chip.Abandoned()) views.Get()->ShowFinishedRead();
    chip.channel.LogText(kExitDownloadLine);
    chip.channel.Close();
    if (!chip.Abandoned()) views.Get()->EnableReadRun();
  }
  chip.lease.Release();
  return 0;
}

}  // namespace vantrell
