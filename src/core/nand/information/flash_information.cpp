#include "core/nand/information/flash_information.h"

#include "core/nand/information/bad_block_table.h"
#include "core/nand/operations/nand_run.h"
#include "core/text/cp949.h"
#include "core/text/format.h"

namespace vantrell {

RunEnd ReadFlashInformation(NandRun& run) {
  NandFlashInfo info;
  if (RunEnd end = EndUnlessSuccess(run.commands.ReadNandFlashInformation(info))) return end;
  // Both numbers were checked to fit a signed 32-bit value.
  run.flash.blockSize = static_cast<std::int32_t>(info.blockSize);
  run.flash.totalBlockCount = static_cast<std::int32_t>(info.totalBlockCount);
  run.KeepFlash();
  run.view->SetInformationText(NandInfoField::DeviceName, Cp949ToUtf8(info.name));
  run.view->SetInformationText(NandInfoField::TotalBlockCount, FormatText("%d", run.flash.totalBlockCount));
  run.view->SetInformationText(NandInfoField::BlockSize, FormatText("%d byte", run.flash.blockSize));
  return kGoOn;
}

RunEnd ReadBadBlockCount(NandRun& run) {
  std::int32_t count = 0;
  if (RunEnd end = EndUnlessSuccess(run.commands.ReadBadBlockCount(count))) return end;
  if (!BadBlockCountAccepted(count, run.flash)) {
    run.prompt.Tell("Rx Bad Block Count is Wrong!");
    return LinkResult::CommError;
  }
  run.flash.badBlockCount = count;
  run.flash.hasBadBlocks = count > 0;
  run.KeepFlash();
  run.view->SetInformationText(NandInfoField::BadBlockCount, FormatText("%d", count));
  return kGoOn;
}

RunEnd ReadFatStartBlock(NandRun& run) {
  std::int32_t number = 0;
  if (RunEnd end = EndUnlessSuccess(run.commands.ReadFatStartBlockNumber(number))) return end;
  run.flash.fatStartBlock = number;
  run.KeepFlash();
  run.view->SetInformationText(NandInfoField::FatStartBlock, FormatText("%d", number));
  run.view->SetFatStartEditText(FormatText("%05d", number));
  return kGoOn;
}

}  // namespace vantrell
