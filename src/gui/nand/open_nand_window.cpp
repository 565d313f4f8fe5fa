#include "gui/nand/open_nand_window.h"

#include "core/app/main_controller.h"
#include "core/nand/operations/nand_session.h"
#include "gui/nand/nand_flash_management.h"

namespace vantrell::gui {

void OpenNandWindow(MainController& controller, QWidget* parent) {
  NandSession* session = controller.Nand();
  if (session == nullptr) return;  // no driver, no workers
  session->SetDevice(controller.Images().Selected());
  CNandFlashManagement window(*session, parent);
  window.exec();
}

}  // namespace vantrell::gui
