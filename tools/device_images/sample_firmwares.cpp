// Sample firmwares for the devices of the built-in list. Sizes are those of
// small real firmwares; versions differ so RUN's comparison has something to
// tell apart. Some chips answer Read ID in the extended form, some in the
// short one, so both paths of the chip family get exercised.
#include "tools/device_images/sample_firmwares.h"

#include <algorithm>
#include <iterator>

namespace vantrell::tools {
namespace {

using orbsim::ReadIdForm;

constexpr std::uint32_t kNandBlockSize = 131072;  // 64 pages of 2 KB

const SampleFirmware kFirmwares[] = {
    {.number = 0x0001, .version = 0x0105, .imageSize = 36 * 1024, .readIdForm = ReadIdForm::Extended},
    {.number = 0x0002, .version = 0x0210, .imageSize = 44 * 1024, .readIdForm = ReadIdForm::Short},
    {.number = 0x0003, .version = 0x0103, .imageSize = 52 * 1024, .readIdForm = ReadIdForm::Extended},
    {.number = 0x0004, .version = 0x0101, .imageSize = 40 * 1024,
     .nand = {.blockSize = kNandBlockSize, .blockCount = 1024, .fatStartBlock = 64, .name = "ONF1G08-A",
              .badBlocks = {37, 512, 901}}},
    {.number = 0x0005, .version = 0x0107, .imageSize = 32 * 1024, .readIdForm = ReadIdForm::Short},
    {.number = 0x0006, .version = 0x0112, .imageSize = 48 * 1024, .readIdForm = ReadIdForm::Extended},
    {.number = 0x0007, .version = 0x0200, .imageSize = 46 * 1024,
     .nand = {.blockSize = kNandBlockSize, .blockCount = 2048, .fatStartBlock = 128, .name = "ONF2G08-B",
              .badBlocks = {5, 1033, 2047}}},
    {.number = 0x0008, .version = 0x0102, .imageSize = 38 * 1024,
     .nand = {.blockSize = kNandBlockSize, .blockCount = 1024, .fatStartBlock = 32, .name = "VNF1G08",
              .badBlocks = {211}}},
    {.number = 0x1005, .version = 0x0107, .imageSize = 30 * 1024, .readIdForm = ReadIdForm::Short},
    {.number = 0x1006, .version = 0x0112, .imageSize = 46 * 1024, .readIdForm = ReadIdForm::Extended},
    {.number = 0x8000, .version = 0x0301, .imageSize = 60 * 1024,
     .nand = {.blockSize = kNandBlockSize, .blockCount = 2048, .fatStartBlock = 256, .name = "OGN2G16",
              .badBlocks = {3, 700, 1400, 1999}}},
};

}  // namespace

std::optional<SampleFirmware> SampleFirmwareFor(std::uint16_t number) {
  const auto* found = std::find_if(std::begin(kFirmwares), std::end(kFirmwares),
                                   [number](const SampleFirmware& f) { return f.number == number; });
  if (found == std::end(kFirmwares)) return std::nullopt;
  return *found;
}

}  // namespace vantrell::tools
