#include "gui/app/prompt_until_end.h"

#include "gui/app/program_end.h"

namespace vantrell::gui {
namespace {

// What a box answers when it is closed rather than answered.
BoxAnswer ClosedAnswer(BoxButtons buttons) {
  switch (buttons) {
    case BoxButtons::YesNo: return BoxAnswer::No;
    case BoxButtons::OkCancel: return BoxAnswer::Cancel;
    case BoxButtons::Ok: break;
  }
  return BoxAnswer::Ok;
}

}  // namespace

BoxAnswer PromptUntilEnd::Show(const PromptMessage& message) {
  if (end_.CutStartUpShort()) return ClosedAnswer(message.buttons);
  return prompt_->Show(message);
}

BoxAnswer PromptUntilEnd::ShowUnless(const PromptMessage& message, const std::function<bool()>& dropped) {
  if (end_.CutStartUpShort()) return ClosedAnswer(message.buttons);
  return prompt_->ShowUnless(message, dropped);
}

}  // namespace vantrell::gui
