#pragma once
// The download window as vantrell-cli shows it: the run's account becomes
// stage and progress events and its verdicts, and the pack lines are kept to
// show each socket's line beside its verdict.
#include <array>
#include <mutex>
#include <string>
#include <vector>

#include "cli/host/account_events.h"
#include "core/program/chip/chip_types.h"
#include "core/program/window/download_window_view.h"

namespace vantrell::cli {

class DownloadEvents final : public AccountedView<NullDownloadWindowView> {
 public:
  // paths: the job's files in job order; checkSum: the CheckSum box.
  DownloadEvents(EventOutput& events, std::vector<std::string> paths, bool checkSum)
      : AccountedView(events, std::move(paths)), checkSum_(checkSum) {}

  std::string PackLine(std::size_t socket) const;

  void SetPackLine(std::size_t socket, const std::string& text) override;
  bool IsCheckSumChecked() override { return checkSum_; }

 private:
  const bool checkSum_;
  mutable std::mutex mutex_;
  std::array<std::string, kMaxSockets> packLines_;
};

}  // namespace vantrell::cli
