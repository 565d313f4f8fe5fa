#pragma once
// Records what the writer firmware update shows in the main window.
#include <mutex>
#include <string>
#include <vector>

#include "core/app/firmware_update_view.h"

namespace vantrell::test {

class RecordingUpdateView : public FirmwareUpdateView {
 public:
  void SetDeviceStatus(const std::string& text) override { Locked([&] { statuses.push_back(text); }); }
  void ResetProgress(int upper) override {
    Locked([&] {
      progressUpper = upper;
      progress = 0;
    });
  }
  void StepProgress() override { Locked([&] { ++progress; }); }
  void SetByteCounter(const ByteCount& count) override { Locked([&] { byteCounter = count.Text(); }); }
  void UpdateFinished() override { Locked([&] { ++finished; }); }

  std::vector<std::string> statuses;
  int progressUpper = -1;
  int progress = 0;
  std::string byteCounter;
  int finished = 0;

 private:
  template <typename F>
  void Locked(F f) {
    std::lock_guard<std::mutex> lock(mutex_);
    f();
  }
  std::mutex mutex_;
};

}  // namespace vantrell::test
