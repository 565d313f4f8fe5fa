#pragma once
// The device list as the program carries it: packed 48-byte records,
// little-endian, no header, the terminator record last.
//
//   offset size field
//    0      2   number
//    2     22   name, NUL-terminated, the rest zero
//   24      4   sectorSizeKb
//   28      4   flashSizeKb
//   32      1   chipId
//   33      1   reserved
//   34      1   flashMakerId
//   35      1   flashDeviceId
//   36     12   reserved
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/devices/device_record.h"

namespace vantrell {

inline constexpr std::size_t kDeviceRecordSize = 48;
inline constexpr std::size_t kDeviceNameField = 22;
// Longest name a record holds: the field keeps its NUL.
inline constexpr std::size_t kMaxDeviceNameLength = kDeviceNameField - 1;

// One record for every whole 48 bytes; a trailing partial record is ignored.
std::vector<DeviceRecord> DecodeDeviceList(std::span<const std::uint8_t> bytes);

// The records back to back. Names longer than kMaxDeviceNameLength are cut.
std::vector<std::uint8_t> EncodeDeviceList(std::span<const DeviceRecord> records);

// The terminator record closing every list.
DeviceRecord TerminatorRecord();

}  // namespace vantrell
