#include "core/devices/device_catalogue.h"

#include "core/common/prompt.h"
#include "core/devices/device_list_format.h"
#include "core/platform/resource_table.h"

namespace vantrell {
namespace {

constexpr const char* kLoadErrorCaption = "Error!";

const DeviceRecord& UnknownDevice() {
  static const DeviceRecord terminator = TerminatorRecord();
  return terminator;
}

}  // namespace

std::string DeviceListReadFailure(ResourceStep step) {
  switch (step) {
    case ResourceStep::LoadLibrary:
      return std::string("LoadLibrary Error!\r\n(") + kProgramFileName + ")";
    case ResourceStep::FindResource:
      return "FindResource Error!(IDR_DEV_VER)";
    case ResourceStep::LoadResource:
      return "LoadResource Error!(IDR_DEV_VER)";
    case ResourceStep::LockResource:
    case ResourceStep::None:
      break;
  }
  return "LockResource Error!(IDR_DEV_VER)";
}

bool DeviceCatalogue::LoadDeviceList(const std::string& programDirectory, Prompt& prompt) {
  const ResourceRead list = ReadProgramResource(ProgramFilePath(programDirectory), kIdrDevVer);
  if (!list) {
    prompt.Tell(WindowBox(kLoadErrorCaption, DeviceListReadFailure(list.failedStep)));
    prompt.Tell(ApplicationBox("Load Device List Fail!"));
    return false;
  }
  records_ = DecodeDeviceList(list.bytes);
  return true;
}

std::size_t DeviceCatalogue::FindDevice(std::uint16_t number) const {
  std::size_t index = 0;
  while (index < records_.size() && records_[index].number != number && !records_[index].IsTerminator()) ++index;
  return index;
}

const DeviceRecord& DeviceCatalogue::DeviceAt(std::size_t index) const {
  return index < records_.size() ? records_[index] : UnknownDevice();
}

}  // namespace vantrell
