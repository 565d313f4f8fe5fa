#include "core/operation/operation_account.h"

namespace vantrell {

const char* StageName(OperationStage stage) {
  switch (stage) {
    case OperationStage::BlankCheck:
      return "Blank Check";
    case OperationStage::FlashEraseAll:
      return "Flash Erase All";
    case OperationStage::SectorErase:
      return "Sector Erase";
    case OperationStage::Program:
      return "Program";
    case OperationStage::Verify:
      return "Verify";
    case OperationStage::ReadMaster:
      return "Read Master";
    case OperationStage::NandRefresh:
      return "Refresh";
    case OperationStage::NandReadBadBlock:
      return "Read Bad Block";
    case OperationStage::NandErase:
      return "Erase";
    case OperationStage::NandEraseAll:
      return "Erase All";
    case OperationStage::NandReadBlock:
      return "Read Block";
    case OperationStage::NandBlockErase:
      return "Block Erase";
    case OperationStage::NandDownload:
      return "Download";
    case OperationStage::NandFatWrite:
      return "FAT Start Block Write";
  }
  return "";
}

const char* UnitName(StageUnit unit) {
  switch (unit) {
    case StageUnit::Byte:
      return "byte";
    case StageUnit::Sector:
      return "sector";
    case StageUnit::Block:
      return "block";
    case StageUnit::None:
      break;
  }
  return "";
}

}  // namespace vantrell
