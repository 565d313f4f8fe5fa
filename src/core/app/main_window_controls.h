#pragma once
// What RUN needs of the main window besides its status lines.
#include "core/app/run_decision.h"

namespace vantrell {

class MainWindowControls {
 public:
  virtual ~MainWindowControls() = default;
  // RUN (1003) and the device combo box (1005); off while an update runs.
  virtual void SetRunControlsEnabled(bool enabled) = 0;
  // Shows the device's window modally; returns when it closes.
  virtual void ShowDeviceWindow(DeviceWindowKind kind) = 0;
};

}  // namespace vantrell
