#pragma once
// What the writer firmware update shows in the main window. Called from the
// update's worker thread; the window forwards each call to its own thread.
#include <string>

namespace vantrell {

class FirmwareUpdateView {
 public:
  virtual ~FirmwareUpdateView() = default;
  virtual void SetDeviceStatus(const std::string& text) = 0;  // status line 1007
  // Progress bar 1008: range 0..upper, step 1, position 0.
  virtual void ResetProgress(int upper) = 0;
  virtual void StepProgress() = 0;
  virtual void SetByteCounter(const std::string& text) = 0;  // 1009
  // The update succeeded: opens the device window and returns when it closes.
  virtual void UpdateFinished() = 0;
};

}  // namespace vantrell
