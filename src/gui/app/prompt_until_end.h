#pragma once
// The main window's boxes, until an end request cut start-up short: from
// then on each box is answered as its close box would answer it, unseen, so
// that the rest of start-up shows nothing and the program can end.
#include <memory>

#include "core/common/prompt.h"

namespace vantrell::gui {

class ProgramEnd;

class PromptUntilEnd final : public Prompt {
 public:
  PromptUntilEnd(std::shared_ptr<Prompt> prompt, const ProgramEnd& end) : prompt_(std::move(prompt)), end_(end) {}

  BoxAnswer Show(const PromptMessage& message) override;
  BoxAnswer ShowUnless(const PromptMessage& message, const std::function<bool()>& dropped) override;

 private:
  std::shared_ptr<Prompt> prompt_;
  const ProgramEnd& end_;
};

}  // namespace vantrell::gui
