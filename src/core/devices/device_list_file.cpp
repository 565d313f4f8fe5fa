#include "core/devices/device_list_file.h"

#include "core/devices/device_catalogue.h"
#include "core/devices/device_list_format.h"
#include "core/platform/resource_table.h"

namespace vantrell {
namespace {

constexpr const char* kCannotOpen = "file can not open!";

std::string ReadFailure(ResourceStep step) {
  return step == ResourceStep::LoadLibrary ? std::string(kCannotOpen) : DeviceListReadFailure(step);
}

}  // namespace

DeviceListLoad LoadDeviceListFile(const std::string& programFile) {
  const ResourceRead list = ReadProgramResource(programFile, kIdrDevVer);
  if (!list) return {{}, ReadFailure(list.failedStep)};
  return {DecodeDeviceList(list.bytes), {}};
}

bool RegisterDeviceList(const std::string& programFile, std::span<const DeviceRecord> records, std::string* error) {
  ResourceTableRead table = ReadProgramResources(programFile);
  if (!table) {
    if (error) *error = ReadFailure(table.failedStep);
    return false;
  }
  table.resources[kIdrDevVer] = EncodeDeviceList(records);
  return WriteProgramResources(programFile, table.resources, error);
}

}  // namespace vantrell
