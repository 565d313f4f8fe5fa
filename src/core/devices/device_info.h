#pragma once
// The two information views of the "Info" menu: the selected device in a
// message box, and one row per device image for the All Device Information
// window.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/common/prompt.h"
#include "core/devices/device_images.h"

namespace vantrell {

class DeviceCatalogue;

// One image of the Device directory and the device it serves.
struct DeviceInfoRow {
  std::string deviceName;
  // Nothing when the image's header could not be read: its number and
  // version are then shown blank, and the device is an unknown one.
  std::optional<ImageHeader> header;
  std::uint32_t sectorSizeKb = 0;
  std::uint32_t flashSizeKb = 0;
  std::string fileName;
};

inline constexpr int kDeviceInfoColumns = 6;
using DeviceInfoCells = std::array<std::string, kDeviceInfoColumns>;

// "Current Device Information": the five lines about the selected device,
// captioned "Information". Before any selection it describes device 0, which
// the catalogue does not know.
PromptMessage CurrentDeviceInfoBox(const SelectedDevice& selected, const DeviceCatalogue& catalogue);

// Reads the header of every listed image, in list order, and looks its
// device up. Every image gets a row, whatever its header read gave; each
// unreadable file has been told and logged on the way.
std::vector<DeviceInfoRow> ListDeviceInfo(DeviceImages& images, const DeviceCatalogue& catalogue);

// The texts of a row's six columns: name, number, version, sector size,
// flash size, file name.
DeviceInfoCells DeviceInfoRowTexts(const DeviceInfoRow& row);

}  // namespace vantrell
