#pragma once
// A device selection view that records what the main window would show.
#include <string>
#include <vector>

#include "core/devices/device_selection_view.h"

namespace vantrell::test {

class RecordingSelectionView : public DeviceSelectionView {
 public:
  void AddDeviceName(const std::string& name) override { names.push_back(name); }
  void SetSelectionStatus(const std::string& text) override { selectionStatus = text; }
  void SetDeviceStatus(const std::string& text) override { deviceStatus = text; }

  std::vector<std::string> names;
  std::string selectionStatus = "No Device selected!";
  std::string deviceStatus = " .....";
};

}  // namespace vantrell::test
