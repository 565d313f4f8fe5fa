#include "cli/host/nand_events.h"

namespace vantrell::cli {

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
