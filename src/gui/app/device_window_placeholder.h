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
// internal-flash device, a placeholder for a NAND device until its window exists.
void OpenDeviceWindow(DeviceWindowKind kind, QWidget* parent, const DeviceWindowContext& context);

// A bare modal window of the device's class until its real window exists.
void OpenPlaceholderDeviceWindow(DeviceWindowKind kind, QWidget* parent);

}  // namespace vantrell::gui
