#include "core/operation/operation_account.h"

#include <array>

namespace vantrell {
namespace {

// In the order of the enumerations.
constexpr std::array<const char*, 14> kStageNames = {
    "Blank Check", "Flash Erase All", "Sector Erase", "Program", "Verify", "Read Master", "Refresh",
    "Read Bad Block", "Erase", "Erase All", "Read Block", "Block Erase", "Download", "FAT Start Block Write"};
static_assert(static_cast<std::size_t>(OperationStage::NandFatWrite) + 1 == kStageNames.size());

constexpr std::array<const char*, 4> kUnitNames = {"", "byte", "sector", "block"};
static_assert(static_cast<std::size_t>(StageUnit::Block) + 1 == kUnitNames.size());

}  // namespace

const char* StageName(OperationStage stage) { return kStageNames.at(static_cast<std::size_t>(stage)); }

const char* UnitName(StageUnit unit) { return kUnitNames.at(static_cast<std::size_t>(unit)); }

}  // namespace vantrell
