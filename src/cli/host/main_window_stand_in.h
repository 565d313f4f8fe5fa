#pragma once
// The main window's parts that the start-up and RUN talk to, without a
// window: the device combo box is an index (the image named on the command
// line, else the one the windows selected last), status lines go nowhere,
// and "showing" a device window remembers which one RUN opened.
#include <atomic>
#include <optional>
#include <string>

#include "core/app/main_window_controls.h"
#include "core/app/main_window_shell.h"
#include "core/devices/device_selection_view.h"

namespace vantrell {
class DeviceImages;
}

namespace vantrell::cli {

class CliShell final : public MainWindowShell {
 public:
  // imageName: a file of the Device directory, with or without ".bin".
  explicit CliShell(std::optional<std::string> imageName) : imageName_(std::move(imageName)) {}
  // The listing the image name is looked up in (the start-up's scan).
  void ListedIn(const DeviceImages& images) { images_ = &images; }

  void MoveWindowTo(int, int) override {}
  void SetComboIndex(int index) override { stored_ = index; }
  // The named image's place in the listing (-1 when it is not listed),
  // else the index the windows stored.
  int ComboIndex() const override;
  WindowRect RestoredRect() const override { return {}; }

 private:
  std::optional<std::string> imageName_;
  const DeviceImages* images_ = nullptr;
  int stored_ = -1;
};

class CliSelectionView final : public DeviceSelectionView {
 public:
  void AddDeviceName(const std::string&) override {}
  void SetSelectionStatus(const std::string&) override {}
  void SetDeviceStatus(const std::string&) override {}
};

class CliControls final : public MainWindowControls {
 public:
  void SetRunControlsEnabled(bool) override {}
  void ShowDeviceWindow(DeviceWindowKind kind) override { opened_.store(static_cast<int>(kind)); }
  // The device window RUN last opened, if any.
  std::optional<DeviceWindowKind> Opened() const;

 private:
  std::atomic<int> opened_{-1};
};

// Whether fileName (as listed, with extension) is the image called name.
bool IsImageNamed(const std::string& fileName, const std::string& name);

}  // namespace vantrell::cli
