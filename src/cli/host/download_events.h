#pragma once
// The download window as vantrell-cli shows it: the calls a download or
// Erase All run makes on its window become stage and progress events, and
// the pack lines are kept for the sockets' verdicts at the end.
//
// The stage follows from what the run shows: "Sector[..] Erased" texts are
// the Erase All stage before any file has started and a file's Sector Erase
// stage after; byte counts are Program ("Write") or Verify; the first
// "Blank Checking~" or "Flash Erasing~" pack line of a run that has no stage
// yet starts the whole-flash Blank Check or the Erase All stage.
#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cli/host/stage_reporter.h"
#include "core/program/chip/chip_types.h"
#include "core/program/run/download_window_view.h"

namespace vantrell::cli {

// What the run will do, as far as its progress needs to know.
struct DownloadPlan {
  std::vector<std::string> paths;          // the job's files, in job order
  std::vector<std::uint64_t> fileSectors;  // sectors each file covers
  std::uint64_t sectorCount = 0;           // sectors of the whole flash
  bool checkSum = false;                   // the CheckSum box
};

class DownloadEvents final : public DownloadWindowView {
 public:
  DownloadEvents(EventOutput& events, DownloadPlan plan) : stages_(events), plan_(std::move(plan)) {}

  std::string PackLine(std::size_t socket) const;

  void SetPackLine(std::size_t socket, const std::string& text) override;
  void SetPackColour(std::size_t, std::uint32_t) override {}
  void SetTotalProgressRange(int, int) override {}
  void SetTotalProgressPosition(int) override {}
  void SetTotalProgressShowPercentage(bool) override {}
  void SetProgressText(const std::string& text) override;
  void SetByteProgress(const ByteCount& count) override;
  void UpdateFileProgress(std::size_t row, int percent) override;
  void ShowCounters(const ResultCounters&) override {}
  bool IsCheckSumChecked() override { return plan_.checkSum; }
  void DisableRunButtons() override {}
  void RestoreButtons() override {}

 private:
  // Enters the stage of the file the run is on (none before the first file).
  bool EnterFileStage(const std::string& name);

  StageReporter stages_;
  const DownloadPlan plan_;
  mutable std::mutex mutex_;
  std::array<std::string, kMaxSockets> packLines_;
  std::optional<std::size_t> file_;
  bool anyStage_ = false;
  std::uint64_t sectorsErased_ = 0;
};

}  // namespace vantrell::cli
