#pragma once
// What every operation on the writer link works with: its abandon flag
// (shared with the window that started it), the link and log, the message
// boxes, the lease on the link, and how long it has been running.
#include <chrono>
#include <memory>

#include "core/common/busy_lease.h"
#include "core/operation/link_open_failure.h"
#include "core/operation/operation_channel.h"
#include "core/common/run_control.h"
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

  // Opens the link; when it will not open, shows failure, logs the line every
  // operation logs for it and returns false.
  bool OpenLink(const PromptMessage& failure = LinkOpenFailureBox()) {
    if (channel.Open()) return true;
    linkOpenFailed = true;
    ReportLinkOpenFailure(prompt, channel, failure);
    return false;
  }

  double ElapsedSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
  }

  std::shared_ptr<RunControl> control;
  OperationChannel channel;
  RunPrompt prompt;
  BusyLease lease;
  // The link would not open (the operation told the operator so).
  bool linkOpenFailed = false;

 private:
  const std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

}  // namespace vantrell
