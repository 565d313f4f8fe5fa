#pragma once
// The message boxes of the working logic, as vantrell-cli shows them: each
// box is a "box" event. Questions are answered Yes with --yes; otherwise the
// operator is asked on the terminal, and without one the answer is No and
// the question counts as unconfirmed. After Ctrl+C nothing more is shown
// and every question is answered No.
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "core/common/prompt.h"

namespace vantrell::cli {

class EventOutput;
class Interrupt;

class CliPrompt final : public Prompt {
 public:
  using AskOperator = std::function<std::optional<bool>(const std::string& question)>;

  CliPrompt(EventOutput& events, bool yes, AskOperator ask, const Interrupt& interrupt);

  BoxAnswer Show(const PromptMessage& message) override;

  // A question was answered No because nobody could be asked.
  bool Unconfirmed() const;
  // The text of the last box shown; empty before any.
  std::string LastShown() const;

 private:
  BoxAnswer Answer(const PromptMessage& question);

  EventOutput& events_;
  const bool yes_;
  AskOperator ask_;
  const Interrupt& interrupt_;
  mutable std::mutex mutex_;
  bool unconfirmed_ = false;
  std::string lastShown_;
};

}  // namespace vantrell::cli
