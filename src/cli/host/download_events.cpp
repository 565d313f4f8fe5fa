#include "cli/host/download_events.h"

namespace vantrell::cli {

std::string DownloadEvents::PackLine(std::size_t socket) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return socket < packLines_.size() ? packLines_[socket] : std::string();
}

void DownloadEvents::SetPackLine(std::size_t socket, const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (socket < packLines_.size()) packLines_[socket] = text;
}

}  // namespace vantrell::cli
