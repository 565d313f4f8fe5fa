#pragma once
// The boxes of a worker that its window may abandon: once cancelled, nothing
// more is shown, not even a box already on its way to the screen.
#include "core/common/cancellation.h"
#include "core/common/prompt.h"

namespace vantrell {

class CancellablePrompt final : public Prompt {
 public:
  CancellablePrompt(Prompt& prompt, CancellationToken cancel) : prompt_(prompt), cancel_(std::move(cancel)) {}
  BoxAnswer Show(const PromptMessage& message) override {
    return prompt_.ShowUnless(message, [this] { return cancel_.IsCancelled(); });
  }

 private:
  Prompt& prompt_;
  CancellationToken cancel_;
};

}  // namespace vantrell
