#pragma once
// Picks the command family a firmware serves from its descriptor.
#include <memory>
#include <optional>

#include "descriptor/firmware_descriptor.h"
#include "families/command_family.h"

namespace orbsim {

struct SimConfig;

// No descriptor, or a family the simulator does not emulate yet: no family,
// so every chip or NAND request is refused.
std::unique_ptr<CommandFamily> MakeFamily(const std::optional<FirmwareDescriptor>& descriptor, const SimConfig& config);

}  // namespace orbsim
