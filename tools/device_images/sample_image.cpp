#include "tools/device_images/sample_image.h"

#include <algorithm>
#include <cctype>

#include "tools/device_list/builtin_device_list.h"

namespace vantrell::tools {
namespace {

orbsim::FirmwareDescriptor DescriptorFor(const DeviceRecord& record, const SampleFirmware& firmware) {
  orbsim::FirmwareDescriptor d;
  d.imageSize = firmware.imageSize;
  d.chipId = record.chipId;
  d.flashMakerId = record.flashMakerId;
  d.flashDeviceId = record.flashDeviceId;
  if (IsNandDeviceName(record.name)) {
    d.family = orbsim::Family::Nand;
    d.nandBlockSize = firmware.nand.blockSize;
    d.nandBlockCount = firmware.nand.blockCount;
    d.nandFatStartBlock = firmware.nand.fatStartBlock;
    d.nandName = firmware.nand.name;
    d.badBlocks = firmware.nand.badBlocks;
  } else {
    d.family = orbsim::Family::Chip;
    d.readIdForm = firmware.readIdForm;
    d.sectorSizeKb = record.sectorSizeKb;
    d.flashSizeKb = record.flashSizeKb;
  }
  return d;
}

// Stands in for code: the same bytes at every build, different per device.
void AppendFiller(std::vector<std::uint8_t>& image, std::uint32_t seed, std::size_t size) {
  std::uint32_t state = seed | 1u;
  while (image.size() < size) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    image.push_back(static_cast<std::uint8_t>(state));
  }
}

}  // namespace

std::vector<std::uint8_t> MakeSampleImage(const DeviceRecord& record, const SampleFirmware& firmware) {
  std::vector<std::uint8_t> image = {
      static_cast<std::uint8_t>(record.number), static_cast<std::uint8_t>(record.number >> 8),
      static_cast<std::uint8_t>(firmware.version), static_cast<std::uint8_t>(firmware.version >> 8)};
  const std::vector<std::uint8_t> descriptor = DescriptorFor(record, firmware).Encode();
  image.insert(image.end(), descriptor.begin(), descriptor.end());
  AppendFiller(image, (static_cast<std::uint32_t>(record.number) << 16) | firmware.version, firmware.imageSize);
  image.resize(firmware.imageSize);
  return image;
}

std::string ImageFileName(const std::string& deviceName) {
  std::string name = deviceName;
  std::replace_if(
      name.begin(), name.end(),
      [](char c) { return !std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.'; }, '_');
  return name + ".bin";
}

}  // namespace vantrell::tools
