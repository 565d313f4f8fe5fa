#pragma once
// The NAND Flash Management window as vantrell-cli shows it: the edits hold
// what the command line gave, the status texts that begin a stage become
// "stage" events, the progress bar's percentage becomes that stage's
// progress in blocks or bytes, and what the window would show at the end
// (the Bad Block List, the blocks read) is kept or saved for the result.
#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cli/host/stage_reporter.h"
#include "core/nand/blocks/read_blocks_file.h"
#include "core/nand/operations/nand_flash_state.h"
#include "core/nand/operations/nand_window_view.h"

namespace vantrell::cli {

// How far each stage goes, in the unit its progress is counted in, and the
// files of a download.
struct NandStagePlan {
  std::uint64_t eraseBlocks = 0;  // Erase
  std::uint64_t flashBlocks = 0;  // Erase All
  std::uint64_t readBlocks = 0;   // Read Block
  std::array<std::uint64_t, kNandFileCount> fileBytes{};
  std::array<std::string, kNandFileCount> filePaths{};
};

class NandEvents final : public NandWindowView {
 public:
  NandEvents(EventOutput& events, NandStagePlan plan) : stages_(events), plan_(std::move(plan)) {}

  // The text an edit holds, as the operator would have typed it.
  void SetEdit(NandEdit edit, const std::string& text);
  // Where the blocks of a Read Block are saved once read (Save As).
  void SaveReadBlocksTo(const std::string& path) { readOut_ = path; }
  // A stage the window shows no text for (Refresh, Read Bad Block).
  void EnterStage(const std::string& name) { stages_.Enter(name); }

  std::string DeviceName() const;
  std::vector<std::int32_t> BadBlocks() const;
  // How saving the blocks read went; nothing when no blocks were shown.
  std::optional<ReadBlocksSave> ReadBlocksSaved() const;

  void SetRange(int, int) override {}
  void SetPosition(int position) override;
  void SetShowPercentage(bool) override {}
  void SetInformationText(NandInfoField field, const std::string& text) override;
  void SetFatStartEditText(const std::string&) override {}
  void SetStatusText(const std::string& text) override;
  std::string EditText(NandEdit edit) override;
  void DisableOperationControls() override {}
  void DisableReadBadBlock() override {}
  void RestoreAll(bool) override {}
  void EnableRefresh() override {}
  void EnableReadBadBlock() override {}
  void ShowBadBlockList(std::int32_t count, std::span<const std::int32_t> entries) override;
  void ShowReadBlocks(std::span<const std::uint8_t> blocks) override;

 private:
  struct Counted {
    std::uint64_t total = 0;
    const char* unit = "block";
  };
  // Enters the stage a status text begins; any other text changes nothing.
  void EnterStageOf(const std::string& text);
  void EnterCounted(const std::string& name, std::uint64_t total, const char* unit,
                    std::optional<std::size_t> file = std::nullopt);

  StageReporter stages_;
  const NandStagePlan plan_;
  std::string readOut_;
  mutable std::mutex mutex_;
  std::array<std::string, 8> edits_;
  std::optional<Counted> counted_;  // the running stage moves the bar
  std::string deviceName_;
  std::vector<std::int32_t> badBlocks_;
  std::optional<ReadBlocksSave> saved_;
};

}  // namespace vantrell::cli
