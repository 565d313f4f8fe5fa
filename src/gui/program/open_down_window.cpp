#include "gui/program/open_down_window.h"

#include "core/app/main_controller.h"
#include "core/program/session/programming_session.h"
#include "gui/program/down_window.h"

namespace vantrell::gui {

void OpenDownWindow(MainController& controller, SettingsStore& settings, Prompt& prompt, QWidget* parent) {
  ProgrammingSession* session = controller.Programming();
  if (session == nullptr) return;  // no driver, no runs
  session->SetDevice(controller.Images().Selected());
  CDownWindow window({*session, settings, prompt, controller.ReadMaster()}, parent);
  window.exec();
}

}  // namespace vantrell::gui
