#pragma once
#include <QWidget>

#include "core/app/run_decision.h"

namespace vantrell {
class MainController;
class Prompt;
class SettingsStore;
}  // namespace vantrell

namespace vantrell::gui {

// What a device window needs from the main window.
struct DeviceWindowContext {
  MainController& controller;
  SettingsStore& settings;
  Prompt& prompt;
};

// The device's window, shown modally: the download window for an
// internal-flash device, the NAND Flash Management window for a NAND device.
void OpenDeviceWindow(DeviceWindowKind kind, QWidget* parent, const DeviceWindowContext& context);

}  // namespace vantrell::gui
