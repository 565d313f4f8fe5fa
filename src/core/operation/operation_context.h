#pragma once
// What every operation on the writer link works with: its abandon flag
// (shared with the window that started it), the link and log, the message
// boxes, and the lease on the link.
#include <memory>

#include "core/app/busy_lease.h"
#include "core/operation/operation_channel.h"
#include "core/operation/run_control.h"
#include "core/operation/run_prompt.h"

namespace vantrell {

class Prompt;
class WriterLink;

class OperationContext {
 public:
  OperationContext(WriterLink& link, Prompt& prompt, BusyLease lease,
                   std::shared_ptr<RunControl> control = std::make_shared<RunControl>())
      : control(std::move(control)),
        channel(link, *this->control),
        prompt(prompt, *this->control),
        lease(std::move(lease)) {}

  bool Abandoned() const { return control->Abandoned(); }

  std::shared_ptr<RunControl> control;
  OperationChannel channel;
  RunPrompt prompt;
  BusyLease lease;
};

}  // namespace vantrell
