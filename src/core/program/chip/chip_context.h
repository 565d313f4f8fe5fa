#pragma once
// What every chip run works with: its abandon flag (shared with the window
// that started it), the link and log, the message boxes, the command set and
// the lease on the link.
#include <cstddef>
#include <memory>

#include "core/app/busy_lease.h"
#include "core/program/chip/chip_channel.h"
#include "core/program/chip/chip_commands.h"
#include "core/operation/run_control.h"
#include "core/operation/run_prompt.h"

namespace vantrell {

class Prompt;
class WriterLink;

class ChipContext {
 public:
  ChipContext(WriterLink& link, Prompt& prompt, std::size_t socketCount, BusyLease lease,
              std::shared_ptr<RunControl> control = std::make_shared<RunControl>())
      : control(std::move(control)),
        channel(link, *this->control),
        prompt(prompt, *this->control),
        commands(channel, socketCount),
        lease(std::move(lease)) {}

  bool Abandoned() const { return control->Abandoned(); }

  std::shared_ptr<RunControl> control;
  ChipChannel channel;
  RunPrompt prompt;
  ChipCommands commands;
  BusyLease lease;
};

}  // namespace vantrell
