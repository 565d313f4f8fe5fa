#include "cli/host/nand_events.h"

#include <algorithm>
#include <cstdio>

namespace vantrell::cli {
namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The file a status text names ("File2 Downloading~" → index 1).
std::optional<std::size_t> FileNamed(const std::string& text, const char* format) {
  int number = 0;
  if (std::sscanf(text.c_str(), format, &number) != 1) return std::nullopt;
  if (number < 1 || number > static_cast<int>(kNandFileCount)) return std::nullopt;
  return static_cast<std::size_t>(number - 1);
}

}  // namespace

void NandEvents::SetEdit(NandEdit edit, const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  edits_.at(static_cast<std::size_t>(edit)) = text;
}

std::string NandEvents::EditText(NandEdit edit) {
  std::lock_guard<std::mutex> lock(mutex_);
  return edits_.at(static_cast<std::size_t>(edit));
}

std::string NandEvents::DeviceName() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return deviceName_;
}

std::vector<std::int32_t> NandEvents::BadBlocks() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return badBlocks_;
}

std::optional<ReadBlocksSave> NandEvents::ReadBlocksSaved() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return saved_;
}

void NandEvents::SetInformationText(NandInfoField field, const std::string& text) {
  if (field != NandInfoField::DeviceName) return;
  std::lock_guard<std::mutex> lock(mutex_);
  deviceName_ = text;
}

void NandEvents::SetStatusText(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  EnterStageOf(text);
}

void NandEvents::EnterStageOf(const std::string& text) {
  if (text == "NAND Flash Block Erase ~") {
    EnterCounted("Erase", plan_.eraseBlocks, "block");
  } else if (text == "NAND Flash Erase All ~") {
    EnterCounted("Erase All", plan_.flashBlocks, "block");
  } else if (text == "NAND Flash Blocks Reading~") {
    EnterCounted("Read Block", plan_.readBlocks, "block");
  } else if (auto erased = FileNamed(text, "NAND Flash Block Erasing~, for File%d")) {
    counted_.reset();
    stages_.Enter("Block Erase", erased, plan_.filePaths[*erased]);
  } else if (auto written = FileNamed(text, "File%d Downloading~")) {
    EnterCounted("Download", plan_.fileBytes[*written], "byte", written);
  } else if (StartsWith(text, "FAT Start Block Number <")) {
    counted_.reset();
    stages_.Enter("FAT Start Block Write");
  }
}

void NandEvents::EnterCounted(const std::string& name, std::uint64_t total, const char* unit,
                              std::optional<std::size_t> file) {
  counted_ = Counted{total, unit};
  stages_.Enter(name, file, file ? plan_.filePaths[*file] : std::string());
}

void NandEvents::SetPosition(int position) {
  std::lock_guard<std::mutex> lock(mutex_);
  // The bar is reset to 0 before its stage's text: only a stage's own moves count.
  if (!counted_ || position <= 0) return;
  const auto percent = static_cast<std::uint64_t>(std::min(position, 100));
  const std::uint64_t done = counted_->total * percent / 100;
  if (done > 0) stages_.Progress(done, counted_->total, counted_->unit);
}

void NandEvents::ShowBadBlockList(std::int32_t, std::span<const std::int32_t> entries) {
  std::lock_guard<std::mutex> lock(mutex_);
  badBlocks_.assign(entries.begin(), entries.end());
}

void NandEvents::ShowReadBlocks(std::span<const std::uint8_t> blocks) {
  // Saved while shown: the run's buffer is released once the view closes.
  const ReadBlocksSave saved = SaveReadBlocks(readOut_, blocks);
  std::lock_guard<std::mutex> lock(mutex_);
  saved_ = saved;
}

}  // namespace vantrell::cli
