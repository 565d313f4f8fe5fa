#pragma once
#include <QWidget>

#include "core/app/run_decision.h"

namespace vantrell::gui {

// A bare modal window of the device's class until its real window exists.
void OpenPlaceholderDeviceWindow(DeviceWindowKind kind, QWidget* parent);

}  // namespace vantrell::gui
