#pragma once
// A set of commands a firmware answers. The writer's own commands are always
// served; the chip or NAND family comes with the firmware it runs.
#include <cstdint>

#include "families/sim_packet.h"

namespace orbsim {

class CommandFamily {
 public:
  virtual ~CommandFamily() = default;
  virtual bool Serves(std::uint8_t code) const = 0;
  virtual Answer Handle(const Request& request) = 0;
};

}  // namespace orbsim
