#pragma once
// What the writer firmware update shows in the main window. Called from the
// update's worker thread; the window forwards each call to its own thread.
// The progress steps and byte counts of every piece are handed over without
// waiting: faster ones may be skipped, the last one is always shown.
#include <string>

#include "core/operation/byte_count.h"

namespace vantrell {

class FirmwareUpdateView {
 public:
  virtual ~FirmwareUpdateView() = default;
  virtual void SetDeviceStatus(const std::string& text) = 0;  // status line 1007
  // Progress bar 1008: range 0..upper, step 1, position 0.
  virtual void ResetProgress(int upper) = 0;
  virtual void StepProgress() = 0;
  virtual void SetByteCounter(const ByteCount& count) = 0;  // 1009
  // The update succeeded: opens the device window and returns when it closes.
  virtual void UpdateFinished() = 0;
};

}  // namespace vantrell
