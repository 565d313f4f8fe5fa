#include "cli/host/download_events.h"

namespace vantrell::cli {

std::string DownloadEvents::PackLine(std::size_t socket) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return socket < packLines_.size() ? packLines_[socket] : std::string();
}

void DownloadEvents::SetPackLine(std::size_t socket, const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (socket < packLines_.size()) packLines_[socket] = text;
  if (anyStage_) return;
  if (text == "Blank Checking~" || text == "Flash Erasing~") {
    anyStage_ = true;
    stages_.Enter(text == "Blank Checking~" ? "Blank Check" : "Flash Erase All");
  }
}

void DownloadEvents::SetProgressText(const std::string& text) {
  if (text.rfind("Sector[", 0) != 0) return;
  std::lock_guard<std::mutex> lock(mutex_);
  anyStage_ = true;
  const bool fileStage = file_.has_value();
  if (fileStage ? EnterFileStage("Sector Erase") : stages_.Enter("Flash Erase All")) sectorsErased_ = 0;
  ++sectorsErased_;
  std::uint64_t total = plan_.sectorCount;
  if (fileStage) total = *file_ < plan_.fileSectors.size() ? plan_.fileSectors[*file_] : sectorsErased_;
  stages_.Progress(sectorsErased_, total, "sector");
}

void DownloadEvents::SetByteProgress(const ByteCount& count) {
  std::lock_guard<std::mutex> lock(mutex_);
  EnterFileStage(std::string(count.label) == "Write" ? "Program" : "Verify");
  stages_.Progress(count.done, count.total, "byte");
}

void DownloadEvents::UpdateFileProgress(std::size_t row, int) {
  std::lock_guard<std::mutex> lock(mutex_);
  file_ = row;
}

bool DownloadEvents::EnterFileStage(const std::string& name) {
  anyStage_ = true;
  const std::string path = file_ && *file_ < plan_.paths.size() ? plan_.paths[*file_] : std::string();
  return stages_.Enter(name, file_, path);
}

}  // namespace vantrell::cli
