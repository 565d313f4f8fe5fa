#pragma once
// A download window that records what the workers show, in order.
#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/common/busy_state.h"
#include "core/program/window/download_window_view.h"

namespace vantrell::test {

class RecordingDownloadView : public DownloadWindowView {
 private:
  mutable std::mutex mutex_;
  template <typename F>
  auto Locked(F f) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return f();
  }

 public:
  static constexpr std::uint32_t kIdleColour = 0xFACE87;

  bool checkSumChecked = false;
  // When set, whether the link was still held as each restore came in.
  const BusyState* watchedBusy = nullptr;

  void SetPackLine(std::size_t socket, const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    packLines_.at(socket) = text;
    packHistory_.at(socket).push_back(text);
  }
  void SetPackColour(std::size_t socket, std::uint32_t colour) override {
    std::lock_guard<std::mutex> lock(mutex_);
    packColours_.at(socket) = colour;
  }
  void SetTotalProgressRange(int low, int high) override {
    std::lock_guard<std::mutex> lock(mutex_);
    range_ = {low, high};
  }
  void SetTotalProgressPosition(int position) override {
    std::lock_guard<std::mutex> lock(mutex_);
    positions_.push_back(position);
  }
  void SetTotalProgressShowPercentage(bool show) override {
    std::lock_guard<std::mutex> lock(mutex_);
    showPercentage_ = show;
  }
  void SetProgressText(const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    progressTexts_.push_back(text);
  }
  void SetByteProgress(const ByteCount& count) override { SetProgressText(count.Text()); }
  void UpdateFileProgress(std::size_t row, int percent) override {
    std::lock_guard<std::mutex> lock(mutex_);
    cells_.emplace_back(row, percent);
  }
  void ShowCounters(const ResultCounters& counters) override {
    std::lock_guard<std::mutex> lock(mutex_);
    counters_.push_back(counters);
  }
  bool IsCheckSumChecked() override { return checkSumChecked; }
  void DisableRunButtons() override {
    std::lock_guard<std::mutex> lock(mutex_);
    ++disabled_;
  }
  void RestoreButtons() override {
    std::lock_guard<std::mutex> lock(mutex_);
    ++restored_;
    if (watchedBusy) busyAtRestore_.push_back(watchedBusy->IsBusy());
  }

  // The run's account: each stage as "<name> <file>" ("Program 0", "Blank Check -").
  void StageEntered(const StageEntry& stage) override {
    const std::string file = stage.file ? std::to_string(*stage.file) : "-";
    Locked([&] { stages_.push_back(std::string(StageName(stage.stage)) + " " + file); });
  }
  void SocketJudged(const SocketVerdict& verdict) override { Locked([&] { verdicts_.push_back(verdict); }); }
  void OperationEnded(const OperationEnd& end) override { Locked([&] { end_ = end; }); }
  std::vector<std::string> Stages() const { return Locked([&] { return stages_; }); }
  std::vector<SocketVerdict> Verdicts() const { return Locked([&] { return verdicts_; }); }
  std::optional<OperationEnd> End() const { return Locked([&] { return end_; }); }

  std::string PackLine(std::size_t socket) const { return Locked([&] { return packLines_.at(socket); }); }
  std::vector<std::string> PackHistory(std::size_t socket) const {
    return Locked([&] { return packHistory_.at(socket); });
  }
  std::uint32_t PackColour(std::size_t socket) const { return Locked([&] { return packColours_.at(socket); }); }
  std::pair<int, int> Range() const { return Locked([&] { return range_; }); }
  std::vector<int> Positions() const { return Locked([&] { return positions_; }); }
  bool ShowsPercentage() const { return Locked([&] { return showPercentage_; }); }
  std::vector<std::string> ProgressTexts() const { return Locked([&] { return progressTexts_; }); }
  std::vector<std::pair<std::size_t, int>> Cells() const { return Locked([&] { return cells_; }); }
  std::vector<ResultCounters> CountersShown() const { return Locked([&] { return counters_; }); }
  int DisableCount() const { return Locked([&] { return disabled_; }); }
  int RestoreCount() const { return Locked([&] { return restored_; }); }
  std::vector<bool> BusyAtRestore() const { return Locked([&] { return busyAtRestore_; }); }

 private:
  std::array<std::string, 7> packLines_;
  std::array<std::vector<std::string>, 7> packHistory_;
  std::array<std::uint32_t, 7> packColours_ = {kIdleColour, kIdleColour, kIdleColour, kIdleColour,
                                               kIdleColour, kIdleColour, kIdleColour};
  std::pair<int, int> range_{0, 0};
  std::vector<int> positions_;
  bool showPercentage_ = false;
  std::vector<std::string> progressTexts_;
  std::vector<std::pair<std::size_t, int>> cells_;
  std::vector<ResultCounters> counters_;
  int disabled_ = 0;
  int restored_ = 0;
  std::vector<bool> busyAtRestore_;
  std::vector<std::string> stages_;
  std::vector<SocketVerdict> verdicts_;
  std::optional<OperationEnd> end_;
};

}  // namespace vantrell::test
