#pragma once
// Picks the command family a firmware serves from its descriptor.
#include <memory>
#include <optional>
#include <string>

#include "descriptor/firmware_descriptor.h"
#include "families/command_family.h"

namespace orbsim {

struct SimConfig;

// No descriptor, or one the simulator cannot serve: no family, so every chip
// or NAND request is refused. A NAND family keeps its board in the state
// directory.
std::unique_ptr<CommandFamily> MakeFamily(const std::optional<FirmwareDescriptor>& descriptor, const SimConfig& config,
                                          const std::string& stateDirectory);

}  // namespace orbsim
