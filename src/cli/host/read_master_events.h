#pragma once
// The Read Master window as vantrell-cli shows it: the progress bar Read
// Data moves becomes the "read" stage's progress in bytes of the range.
#include <atomic>
#include <cstdint>

#include "cli/host/stage_reporter.h"
#include "core/master/read_master_view.h"

namespace vantrell::cli {

class ReadMasterEvents final : public ReadMasterView {
 public:
  ReadMasterEvents(EventOutput& events, std::uint32_t length) : stages_(events), length_(length) {}

  void SetRange(int low, int high) override;
  void SetPosition(int position) override;
  void SetShowPercentage(bool) override {}
  void ShowFinishedRead() override {}
  void EnableReadRun() override {}

 private:
  StageReporter stages_;
  const std::uint32_t length_;
  std::atomic<int> low_{0};
  std::atomic<int> high_{0};
};

}  // namespace vantrell::cli
