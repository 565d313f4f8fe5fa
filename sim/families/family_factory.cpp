#include "families/family_factory.h"

#include "families/chip/chip_family.h"
#include "families/nand/nand_family.h"
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

std::unique_ptr<CommandFamily> MakeNandFamily(const FirmwareDescriptor& descriptor, const SimConfig& config,
                                              const std::string& stateDirectory) {
  NandConfig nand;
  try {
    nand = NandConfig::FromJson(config.families.value("nand", nlohmann::json()));
  } catch (const std::exception&) {
    // Checked when the configuration was read; the descriptor's board otherwise.
  }
  return NandFamily::Make(descriptor, nand, stateDirectory);
}

}  // namespace

std::unique_ptr<CommandFamily> MakeFamily(const std::optional<FirmwareDescriptor>& descriptor, const SimConfig& config,
                                          const std::string& stateDirectory) {
  if (!descriptor) return nullptr;
  switch (descriptor->family) {
    case Family::Chip:
      return MakeChipFamily(*descriptor, config);
    case Family::Nand:
      return MakeNandFamily(*descriptor, config, stateDirectory);
    case Family::None:
      return nullptr;
  }
  return nullptr;
}

}  // namespace orbsim
