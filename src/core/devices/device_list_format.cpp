#include "core/devices/device_list_format.h"

#include <algorithm>
#include <cstring>

namespace vantrell {
namespace {

constexpr std::size_t kNameOffset = 2;
constexpr std::size_t kSectorSizeOffset = 24;
constexpr std::size_t kFlashSizeOffset = 28;
constexpr std::size_t kChipIdOffset = 32;
constexpr std::size_t kFlashMakerIdOffset = 34;
constexpr std::size_t kFlashDeviceIdOffset = 35;

std::uint32_t GetU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

DeviceRecord DecodeRecord(const std::uint8_t* r) {
  DeviceRecord record;
  record.number = static_cast<std::uint16_t>(r[0] | (r[1] << 8));
  // A name filling its whole field without a NUL stops at the field's end.
  const auto* name = reinterpret_cast<const char*>(r + kNameOffset);
  record.name.assign(name, strnlen(name, kDeviceNameField));
  record.sectorSizeKb = GetU32(r + kSectorSizeOffset);
  record.flashSizeKb = GetU32(r + kFlashSizeOffset);
  record.chipId = r[kChipIdOffset];
  record.flashMakerId = r[kFlashMakerIdOffset];
  record.flashDeviceId = r[kFlashDeviceIdOffset];
  return record;
}

void EncodeRecord(const DeviceRecord& record, std::uint8_t* r) {
  r[0] = static_cast<std::uint8_t>(record.number);
  r[1] = static_cast<std::uint8_t>(record.number >> 8);
  std::memcpy(r + kNameOffset, record.name.data(), std::min(record.name.size(), kMaxDeviceNameLength));
  PutU32(r + kSectorSizeOffset, record.sectorSizeKb);
  PutU32(r + kFlashSizeOffset, record.flashSizeKb);
  r[kChipIdOffset] = record.chipId;
  r[kFlashMakerIdOffset] = record.flashMakerId;
  r[kFlashDeviceIdOffset] = record.flashDeviceId;
}

}  // namespace

std::vector<DeviceRecord> DecodeDeviceList(std::span<const std::uint8_t> bytes) {
  std::vector<DeviceRecord> records;
  const std::size_t count = bytes.size() / kDeviceRecordSize;
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) records.push_back(DecodeRecord(bytes.data() + i * kDeviceRecordSize));
  return records;
}

std::vector<std::uint8_t> EncodeDeviceList(std::span<const DeviceRecord> records) {
  std::vector<std::uint8_t> bytes(records.size() * kDeviceRecordSize, 0);
  for (std::size_t i = 0; i < records.size(); ++i) EncodeRecord(records[i], bytes.data() + i * kDeviceRecordSize);
  return bytes;
}

DeviceRecord TerminatorRecord() {
  DeviceRecord record;
  record.number = kTerminatorNumber;
  record.name = kUnregisteredName;
  return record;
}

}  // namespace vantrell
