#include "families/family_factory.h"

namespace orbsim {

std::unique_ptr<CommandFamily> MakeFamily(const std::optional<FirmwareDescriptor>& descriptor, const SimConfig&) {
  if (!descriptor) return nullptr;
  switch (descriptor->family) {
    case Family::Chip:  // the chip family joins here
    case Family::Nand:  // the NAND family joins here
    case Family::None:
      return nullptr;
  }
  return nullptr;
}

}  // namespace orbsim
