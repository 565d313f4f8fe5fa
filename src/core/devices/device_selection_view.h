#pragma once
// What the main window shows of the device selection: the device combo box
// (1005) and the two status lines under "Message" (1006, 1007).
#include <string>

namespace vantrell {

class DeviceSelectionView {
 public:
  virtual ~DeviceSelectionView() = default;
  // Appends an image's name (without extension) to the device combo box.
  virtual void AddDeviceName(const std::string& name) = 0;
  // First status line (1006): the outcome of the last selection.
  virtual void SetSelectionStatus(const std::string& text) = 0;
  // Second status line (1007): the selected device and its version.
  virtual void SetDeviceStatus(const std::string& text) = 0;
};

}  // namespace vantrell
