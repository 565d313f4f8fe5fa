#pragma once
// The device list in the program file, as the device list editor reads it
// and registers an edited one: the resource IDR_DEV_VER of the table the
// program file carries, through the same code the program reads it with.
#include <span>
#include <string>
#include <vector>

#include "core/devices/device_record.h"

namespace vantrell {

struct DeviceListLoad {
  std::vector<DeviceRecord> records;
  std::string failure;  // empty when loaded
  explicit operator bool() const { return failure.empty(); }
};

// The records of the program file's device list. Failures read
// "file can not open!" when the file cannot be opened, otherwise as the
// program itself tells them ("FindResource Error!(IDR_DEV_VER)", ...).
DeviceListLoad LoadDeviceListFile(const std::string& programFile);

// Writes the records as the program file's new device list; every other
// resource of the file is carried over unchanged. The file is replaced as a
// whole, keeping its mode: on failure (false, with the reason) it is left
// byte for byte as it was.
bool RegisterDeviceList(const std::string& programFile, std::span<const DeviceRecord> records, std::string* error);

}  // namespace vantrell
