#include "gui/program/run_button_rules.h"

namespace vantrell::gui {

RunButtonRules::RunButtonRules() {
  states_.blankCheck = true;
  states_.eraseAll = true;
}

void RunButtonRules::ListChanged(bool hasFiles) {
  if (!running_) SetFileButtons(hasFiles);
}

void RunButtonRules::RunStarted() {
  running_ = true;
  states_ = {};
}

void RunButtonRules::RunEnded(bool hasFiles) {
  running_ = false;
  if (hasFiles) SetFileButtons(true);
  states_.blankCheck = true;
  states_.eraseAll = true;
}

void RunButtonRules::SetFileButtons(bool on) {
  states_.autoRun = on;
  states_.removeFiles = on;
  states_.removeAll = on;
  states_.program = on;
  states_.verify = on;
}

}  // namespace vantrell::gui
