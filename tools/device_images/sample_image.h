#pragma once
// Builds the sample device image of one device: the 4-byte header the
// program reads, the descriptor the writer simulator reads, then filler.
#include <cstdint>
#include <string>
#include <vector>

#include "core/devices/device_record.h"
#include "tools/device_images/sample_firmwares.h"

namespace vantrell::tools {

std::vector<std::uint8_t> MakeSampleImage(const DeviceRecord& record, const SampleFirmware& firmware);

// The device's name as a file name: characters that some file system
// refuses, or that a shell would trip over, become '_'.
std::string ImageFileName(const std::string& deviceName);

}  // namespace vantrell::tools
