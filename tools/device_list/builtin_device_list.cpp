// The devices the writer supports, in the order the program lists them.
//
// Internal-flash devices carry their erase sector and flash size in KB and
// the identification bytes their chips report to Read ID. NAND devices
// (names ending in "NAND") carry no sizes: the writer reads the NAND's
// geometry from the board. The MINI-VELORA variants are the VELORA chips on
// the two-socket adapter, so they share every value but the number and name.
#include "tools/device_list/builtin_device_list.h"

#include "core/devices/device_list_format.h"

namespace vantrell::tools {
namespace {

const DeviceRecord kDevices[] = {
    {.number = 0x0001, .name = "ORBELLE-C128", .sectorSizeKb = 4, .flashSizeKb = 128,
     .chipId = 0x51, .flashMakerId = 0x3A, .flashDeviceId = 0x21},
    {.number = 0x0002, .name = "ORBELLE-C512", .sectorSizeKb = 16, .flashSizeKb = 512,
     .chipId = 0x52, .flashMakerId = 0x3A, .flashDeviceId = 0x25},
    {.number = 0x0003, .name = "ORBELLE-X512", .sectorSizeKb = 64, .flashSizeKb = 512,
     .chipId = 0x53, .flashMakerId = 0x5C, .flashDeviceId = 0x2B},
    {.number = 0x0004, .name = "ORBELLE-N1-NAND"},
    {.number = 0x0005, .name = "VELORA-128", .sectorSizeKb = 4, .flashSizeKb = 128,
     .chipId = 0x65, .flashMakerId = 0x5C, .flashDeviceId = 0x41},
    {.number = 0x0006, .name = "VELORA-512", .sectorSizeKb = 16, .flashSizeKb = 512,
     .chipId = 0x66, .flashMakerId = 0x3A, .flashDeviceId = 0x45},
    {.number = 0x0007, .name = "ORBELLE-N2-NAND"},
    {.number = 0x0008, .name = "VELORA-N-NAND"},
    {.number = 0x1005, .name = "MINI-VELORA-128", .sectorSizeKb = 4, .flashSizeKb = 128,
     .chipId = 0x65, .flashMakerId = 0x5C, .flashDeviceId = 0x41},
    {.number = 0x1006, .name = "MINI-VELORA-512", .sectorSizeKb = 16, .flashSizeKb = 512,
     .chipId = 0x66, .flashMakerId = 0x3A, .flashDeviceId = 0x45},
    {.number = 0x8000, .name = "ORBIS-GATE-NAND", .chipId = 0x80},
    {.number = kTerminatorNumber, .name = kUnregisteredName},
};

}  // namespace

std::span<const DeviceRecord> BuiltinDeviceList() { return kDevices; }

std::vector<std::string> DeviceListProblems(std::span<const DeviceRecord> records) {
  std::vector<std::string> problems;
  for (const DeviceRecord& record : records) {
    if (record.name.size() > kMaxDeviceNameLength) problems.push_back("name too long: " + record.name);
  }
  if (records.empty() || !records.back().IsTerminator()) problems.push_back("the list does not end with the terminator");
  return problems;
}

bool IsNandDeviceName(const std::string& name) { return name.ends_with("NAND"); }

}  // namespace vantrell::tools
