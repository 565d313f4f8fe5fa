#pragma once
// The device list the program is built with (resource IDR_DEV_VER).
#include <span>
#include <string>
#include <vector>

#include "core/devices/device_record.h"

namespace vantrell::tools {

// The records in list order, the terminator last.
std::span<const DeviceRecord> BuiltinDeviceList();

// What keeps a list from being carried as it is: a name too long for its
// field, or no terminator at the end. Empty when the list is fine.
std::vector<std::string> DeviceListProblems(std::span<const DeviceRecord> records);

// A NAND device's name ends in "NAND": RUN opens the NAND window for it.
bool IsNandDeviceName(const std::string& name);

}  // namespace vantrell::tools
