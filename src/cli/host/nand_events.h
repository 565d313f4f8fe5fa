#pragma once
// The NAND Flash Management window as vantrell-cli shows it: the edits hold
// what the command line gave, the operation's account becomes "stage" and
// "progress" events, and what the window would show at the end (the Bad
// Block List, the blocks read) is kept or saved for the result.
#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cli/host/account_events.h"
#include "core/nand/blocks/read_blocks_file.h"
#include "core/nand/operations/nand_flash_state.h"
#include "core/nand/operations/nand_window_view.h"

namespace vantrell::cli {

class NandEvents final : public AccountedView<NullNandWindowView> {
 public:
  // filePaths: a download's files, File1 to File3.
  explicit NandEvents(EventOutput& events, std::vector<std::string> filePaths = {})
      : AccountedView(events, std::move(filePaths)) {}

  // The text an edit holds, as the operator would have typed it.
  void SetEdit(NandEdit edit, const std::string& text);
  // Where the blocks of a Read Block are saved once read (Save As).
  void SaveReadBlocksTo(const std::string& path) { readOut_ = path; }

  std::string DeviceName() const;
  std::vector<std::int32_t> BadBlocks() const;
  // How saving the blocks read went; nothing when no blocks were shown.
  std::optional<ReadBlocksSave> ReadBlocksSaved() const;

  void SetInformationText(NandInfoField field, const std::string& text) override;
  std::string EditText(NandEdit edit) override;
  void ShowBadBlockList(std::int32_t count, std::span<const std::int32_t> entries) override;
  void ShowReadBlocks(std::span<const std::uint8_t> blocks) override;

 private:
  std::string readOut_;
  mutable std::mutex mutex_;
  std::array<std::string, 8> edits_;
  std::string deviceName_;
  std::vector<std::int32_t> badBlocks_;
  std::optional<ReadBlocksSave> saved_;
};

}  // namespace vantrell::cli
