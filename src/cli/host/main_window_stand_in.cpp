#include "cli/host/main_window_stand_in.h"

#include "core/devices/device_images.h"

namespace vantrell::cli {

bool IsImageNamed(const std::string& fileName, const std::string& name) {
  if (fileName == name) return true;
  // The combo box shows a name without its extension.
  const std::size_t dot = fileName.find_last_of('.');
  return dot != std::string::npos && fileName.compare(0, dot, name) == 0 && dot == name.size();
}

int CliShell::ComboIndex() const {
  if (!imageName_) return stored_;
  if (images_ == nullptr) return -1;
  const auto& files = images_->FileNames();
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (IsImageNamed(files[i], *imageName_)) return static_cast<int>(i);
  }
  return -1;
}

std::optional<DeviceWindowKind> CliControls::Opened() const {
  const int kind = opened_.load();
  if (kind < 0) return std::nullopt;
  return static_cast<DeviceWindowKind>(kind);
}

}  // namespace vantrell::cli
