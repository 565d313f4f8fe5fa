#include "families/family_factory.h"

#include "families/chip_family.h"
#include "sim_config.h"

namespace orbsim {
namespace {

std::unique_ptr<CommandFamily> MakeChipFamily(const FirmwareDescriptor& descriptor, const SimConfig& config) {
  ChipConfig chips;
  try {
    chips = ChipConfig::FromJson(config.families.value("chip", nlohmann::json()));
  } catch (const std::exception&) {
    // Checked when the configuration was read; chips as they come otherwise.
  }
  return ChipFamily::Make(descriptor, chips);
}

}  // namespace

std::unique_ptr<CommandFamily> MakeFamily(const std::optional<FirmwareDescriptor>& descriptor, const SimConfig& config) {
  if (!descriptor) return nullptr;
  switch (descriptor->family) {
    case Family::Chip:
      return MakeChipFamily(*descriptor, config);
    case Family::Nand:  // the NAND family joins here
    case Family::None:
      return nullptr;
  }
  return nullptr;
}

}  // namespace orbsim
