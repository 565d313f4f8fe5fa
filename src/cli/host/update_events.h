#pragma once
// The main window's side of the writer firmware update, as vantrell-cli
// shows it: each status line begins a stage ("Erasing Flash ROM!", ...), the
// byte counter is its progress, and the completion is remembered.
#include <atomic>

#include "cli/host/stage_reporter.h"
#include "core/app/firmware_update_view.h"

namespace vantrell::cli {

class UpdateEvents final : public FirmwareUpdateView {
 public:
  explicit UpdateEvents(EventOutput& events) : stages_(events) {}

  // The last update wrote and verified the whole image.
  bool Succeeded() const { return succeeded_.load(); }

  void SetDeviceStatus(const std::string& text) override;
  void ResetProgress(int) override {}
  void StepProgress() override {}
  void SetByteCounter(const ByteCount& count) override;
  void UpdateFinished() override { succeeded_.store(true); }

 private:
  StageReporter stages_;
  std::atomic<bool> succeeded_{false};
};

}  // namespace vantrell::cli
