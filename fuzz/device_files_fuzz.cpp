// What the program reads from files it did not write: a device image in the
// "Device" directory, the device list, and the resource table at the end of
// the program file. Whatever the bytes, a load gives back exactly what the
// file holds or nothing, a decoded list encodes to the same list, and a
// table read never hands out bytes that fail their check.
#include <filesystem>

#include "core/common/prompt.h"
#include "core/devices/device_catalogue.h"
#include "core/devices/device_images.h"
#include "core/devices/device_list_format.h"
#include "core/devices/device_selection_view.h"
#include "core/link/message_log.h"
#include "core/platform/resource_table.h"
#include "fuzz_support.h"

namespace vantrell {
namespace {

class QuietPrompt final : public Prompt {
 public:
  BoxAnswer Show(const PromptMessage&) override { return BoxAnswer::Ok; }
};

class NoSelectionView final : public DeviceSelectionView {
 public:
  void AddDeviceName(const std::string&) override {}
  void SetSelectionStatus(const std::string&) override {}
  void SetDeviceStatus(const std::string&) override {}
};

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void CheckImage(const std::vector<std::uint8_t>& bytes) {
  static const std::string directory = fuzz::ScratchPath("program");
  std::filesystem::create_directories(directory + "/Device");
  WriteFile(directory + "/Device/image.bin", bytes);
  MessageLog log;
  QuietPrompt prompt;
  NoSelectionView view;
  DeviceCatalogue catalogue;
  DeviceImages images(directory, log, prompt, view, catalogue);
  const bool loaded = images.LoadDeviceImage("image.bin");
  FUZZ_CHECK(loaded == (bytes.size() >= DeviceImages::kHeaderSize));
  FUZZ_CHECK(images.HasImage() == loaded);
  if (loaded) FUZZ_CHECK(std::equal(bytes.begin(), bytes.end(), images.Image().begin(), images.Image().end()));
  const auto header = images.ReadImageHeader("image.bin");
  FUZZ_CHECK(header.has_value() == loaded);
  if (header) FUZZ_CHECK(header->number == (bytes[0] | bytes[1] << 8) && header->version == (bytes[2] | bytes[3] << 8));
}

void CheckDeviceList(const std::vector<std::uint8_t>& bytes) {
  const std::vector<DeviceRecord> records = DecodeDeviceList(bytes);
  FUZZ_CHECK(records.size() == bytes.size() / kDeviceRecordSize);
  // A name filling its whole field without a NUL is read to the field's end;
  // written back it keeps a NUL, so it loses its last character.
  for (const DeviceRecord& r : records) FUZZ_CHECK(r.name.size() <= kDeviceNameField);
  const std::vector<DeviceRecord> again = DecodeDeviceList(EncodeDeviceList(records));
  FUZZ_CHECK(again.size() == records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    FUZZ_CHECK(again[i].number == records[i].number && again[i].name == records[i].name.substr(0, kMaxDeviceNameLength) &&
               again[i].sectorSizeKb == records[i].sectorSizeKb && again[i].flashSizeKb == records[i].flashSizeKb &&
               again[i].chipId == records[i].chipId && again[i].flashMakerId == records[i].flashMakerId &&
               again[i].flashDeviceId == records[i].flashDeviceId);
  }
}

void CheckResourceTable(const std::vector<std::uint8_t>& bytes, const std::vector<std::uint8_t>& resource) {
  const std::string path = fuzz::ScratchPath("Vantrell");
  WriteFile(path, bytes);
  for (std::uint32_t id : {kIdrDevVer, kIdrDevUpdate, kIdrAutoUpdate}) {
    const ResourceRead read = ReadProgramResource(path, id);
    if (!read) FUZZ_CHECK(read.bytes.empty());
  }
  // Whatever the file held before, a table written into it reads back whole.
  if (AppendResources(path, {{kIdrDevVer, resource}})) {
    const ResourceRead read = ReadProgramResource(path, kIdrDevVer);
    FUZZ_CHECK(read && read.bytes == resource);
    FUZZ_CHECK(!ReadProgramResource(path, kIdrAutoUpdate));
  }
  std::remove(path.c_str());
}

}  // namespace
}  // namespace vantrell

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  switch (data.ConsumeIntegralInRange(0, 2)) {
    case 0: vantrell::CheckImage(data.ConsumeRemainingBytes<std::uint8_t>()); break;
    case 1: vantrell::CheckDeviceList(data.ConsumeRemainingBytes<std::uint8_t>()); break;
    default: {
      const auto resource = data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange<std::size_t>(0, 200));
      vantrell::CheckResourceTable(data.ConsumeRemainingBytes<std::uint8_t>(), resource);
    }
  }
  return 0;
}
