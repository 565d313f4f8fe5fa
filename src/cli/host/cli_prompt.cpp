#include "cli/host/cli_prompt.h"

#include "cli/app/interrupt.h"
#include "cli/output/event_output.h"
#include "cli/output/terminal_output.h"

namespace vantrell::cli {
namespace {

const char* AnswerName(BoxAnswer answer) {
  switch (answer) {
    case BoxAnswer::Yes:
      return "yes";
    case BoxAnswer::No:
      return "no";
    case BoxAnswer::Cancel:
      return "cancel";
    case BoxAnswer::Ok:
      break;
  }
  return "ok";
}

}  // namespace

CliPrompt::CliPrompt(EventOutput& events, bool yes, AskOperator ask, const Interrupt& interrupt)
    : events_(events), yes_(yes), ask_(std::move(ask)), interrupt_(interrupt) {}

BoxAnswer CliPrompt::Show(const PromptMessage& message) {
  if (interrupt_.Raised()) return BoxAnswer::No;
  const bool question = message.buttons == BoxButtons::YesNo;
  const BoxAnswer answer = question ? Answer(message) : BoxAnswer::Ok;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    lastShown_ = message.text;
  }
  Event event = MakeEvent("box");
  event["caption"] = message.caption;
  event["text"] = message.text;
  event["question"] = question;
  event["answer"] = AnswerName(answer);
  events_.Emit(event);
  return answer;
}

BoxAnswer CliPrompt::Answer(const PromptMessage& question) {
  if (yes_) return BoxAnswer::Yes;
  const std::optional<bool> said =
      ask_ ? ask_("[" + question.caption + "] " + OneLine(question.text)) : std::optional<bool>();
  if (said) return *said ? BoxAnswer::Yes : BoxAnswer::No;
  std::lock_guard<std::mutex> lock(mutex_);
  unconfirmed_ = true;
  return BoxAnswer::No;
}

bool CliPrompt::Unconfirmed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return unconfirmed_;
}

std::string CliPrompt::LastShown() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lastShown_;
}

}  // namespace vantrell::cli
