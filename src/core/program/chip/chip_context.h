#pragma once
// What every chip run works with: the operation's flag, link, log, boxes and
// lease, and the chip command set.
#include <cstddef>
#include <memory>

#include "core/operation/operation_context.h"
#include "core/program/chip/chip_commands.h"

namespace vantrell {

class ChipContext : public OperationContext {
 public:
  ChipContext(WriterLink& link, Prompt& prompt, std::size_t socketCount, BusyLease lease,
              std::shared_ptr<RunControl> control = std::make_shared<RunControl>())
      : OperationContext(link, prompt, std::move(lease), std::move(control)), commands(channel, socketCount) {}

  ChipCommands commands;
};

}  // namespace vantrell
