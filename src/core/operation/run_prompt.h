#pragma once
// Message boxes of one run. An abandoned run shows nothing more.
#include "core/common/prompt.h"
#include "core/operation/run_control.h"

namespace vantrell {

class RunPrompt {
 public:
  RunPrompt(Prompt& prompt, const RunControl& control) : prompt_(prompt), control_(control) {}

  // An application box (the application's title, OK, warning icon).
  void Tell(std::string text) { Show(ApplicationBox(std::move(text))); }
  // Shown only while the run has not been abandoned, up to the moment it opens.
  void Show(const PromptMessage& message) {
    if (control_.Abandoned()) return;
    prompt_.ShowUnless(message, [this] { return control_.Abandoned(); });
  }
  Prompt& Raw() { return prompt_; }

 private:
  Prompt& prompt_;
  const RunControl& control_;
};

}  // namespace vantrell
