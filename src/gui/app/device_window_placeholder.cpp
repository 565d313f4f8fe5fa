#include "gui/app/device_window_placeholder.h"

#include "gui/nand/open_nand_window.h"
#include "gui/program/open_down_window.h"

namespace vantrell::gui {

void OpenDeviceWindow(DeviceWindowKind kind, QWidget* parent, const DeviceWindowContext& context) {
  if (kind == DeviceWindowKind::Download) {
    OpenDownWindow(context.controller, context.settings, context.prompt, parent);
  } else {
    OpenNandWindow(context.controller, parent);
  }
}

}  // namespace vantrell::gui
