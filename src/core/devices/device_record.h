#pragma once
// What the program knows of a target device: one record of the device list,
// and the device the selected image serves.
#include <cstdint>
#include <string>

namespace vantrell {

inline constexpr std::uint16_t kTerminatorNumber = 0xFFFF;
inline constexpr const char* kUnregisteredName = "Not Registered!";

struct DeviceRecord {
  std::uint16_t number = 0;
  std::string name;
  std::uint32_t sectorSizeKb = 0;
  std::uint32_t flashSizeKb = 0;
  std::uint8_t chipId = 0;
  std::uint8_t flashMakerId = 0;
  std::uint8_t flashDeviceId = 0;

  bool IsTerminator() const { return number == kTerminatorNumber; }
  bool operator==(const DeviceRecord&) const = default;
};

// The device of the selected image: number and version from the image
// header, the rest from the catalogue record of that number.
struct SelectedDevice {
  std::uint16_t number = 0;
  std::uint16_t version = 0;  // high byte major, low byte minor
  std::string name;
  std::uint32_t sectorSizeKb = 0;
  std::uint32_t flashSizeKb = 0;
  std::uint8_t chipId = 0;
  std::uint8_t flashMakerId = 0;
  std::uint8_t flashDeviceId = 0;
};

}  // namespace vantrell
