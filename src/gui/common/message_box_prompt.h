#pragma once
// Prompt shown as Qt message boxes over a parent window, from any thread.
#include <QPointer>
#include <QWidget>

#include "core/common/prompt.h"

namespace vantrell::gui {

class MessageBoxPrompt : public Prompt {
 public:
  explicit MessageBoxPrompt(QWidget* parent) : parent_(parent) {}
  BoxAnswer Show(const PromptMessage& message) override;
  // dropped() is asked on the GUI thread, just before the box would open.
  BoxAnswer ShowUnless(const PromptMessage& message, const std::function<bool()>& dropped) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace vantrell::gui
