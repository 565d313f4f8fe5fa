#include "core/devices/device_info.h"

#include "core/devices/device_catalogue.h"
#include "core/devices/device_list_format.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

// Without a header there is no number to look up: the device is unknown.
const DeviceRecord& DeviceOf(const std::optional<ImageHeader>& header, const DeviceCatalogue& catalogue) {
  static const DeviceRecord unknown = TerminatorRecord();
  return header ? catalogue.DeviceAt(catalogue.FindDevice(header->number)) : unknown;
}

}  // namespace

PromptMessage CurrentDeviceInfoBox(const SelectedDevice& selected, const DeviceCatalogue& catalogue) {
  const DeviceRecord& record = catalogue.DeviceAt(catalogue.FindDevice(selected.number));
  std::string text = FormatText("Current Device Name = %s\r\n\r\n", record.name.c_str());
  text += FormatText("Current Device Number = 0x%04X\r\n\r\n", static_cast<unsigned>(selected.number));
  text += "Current Device Version = " + FormatDeviceVersion(selected.version) + "\r\n\r\n";
  text += FormatText("Current Device Sector Size = %u[KB]\r\n\r\n", record.sectorSizeKb);
  text += FormatText("Current Device Flash Size = %u[KB]\r\n", record.flashSizeKb);
  return WindowBox("Information", std::move(text));
}

std::vector<DeviceInfoRow> ListDeviceInfo(DeviceImages& images, const DeviceCatalogue& catalogue) {
  std::vector<DeviceInfoRow> rows;
  for (const std::string& fileName : images.FileNames()) {
    const std::optional<ImageHeader> header = images.ReadImageHeader(fileName);
    const DeviceRecord& record = DeviceOf(header, catalogue);
    rows.push_back({record.name, header, record.sectorSizeKb, record.flashSizeKb, fileName});
  }
  return rows;
}

DeviceInfoCells DeviceInfoRowTexts(const DeviceInfoRow& row) {
  const bool known = row.header.has_value();
  return {row.deviceName,
          known ? FormatText("0x%04X", static_cast<unsigned>(row.header->number)) : std::string(),
          known ? FormatDeviceVersion(row.header->version) : std::string(),
          FormatText("%u", row.sectorSizeKb),
          FormatText("%u", row.flashSizeKb),
          row.fileName};
}

}  // namespace vantrell
