#pragma once
// The message boxes of a worker its window may abandon: once abandoned,
// nothing more is shown, not even a box already on its way to the screen, and
// every question reads No.
#include <string>

#include "core/common/prompt.h"
#include "core/common/run_control.h"

namespace vantrell {

class RunPrompt final : public Prompt {
 public:
  RunPrompt(Prompt& prompt, const RunControl& control) : prompt_(prompt), control_(control) {}

  using Prompt::Tell;
  // An application box (the application's title, OK, warning icon).
  void Tell(std::string text) { Show(ApplicationBox(std::move(text))); }
  BoxAnswer Show(const PromptMessage& message) override {
    if (control_.Abandoned()) return BoxAnswer::No;
    return prompt_.ShowUnless(message, [this] { return control_.Abandoned(); });
  }
  Prompt& Raw() { return prompt_; }

 private:
  Prompt& prompt_;
  const RunControl& control_;
};

}  // namespace vantrell
