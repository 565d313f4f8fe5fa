#pragma once
// What the sample image of each device of the built-in list carries beyond
// its catalogue record: the firmware version, its size, how its chips answer
// Read ID, and for NAND devices the geometry of the simulated flash.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "descriptor/firmware_descriptor.h"

namespace vantrell::tools {

struct SampleNandGeometry {
  std::uint32_t blockSize = 0;
  std::uint32_t blockCount = 0;
  std::uint32_t fatStartBlock = 0;
  std::string name = {};  // at most 15 characters
  std::vector<std::uint32_t> badBlocks = {};
};

struct SampleFirmware {
  std::uint16_t number = 0;
  std::uint16_t version = 0;
  std::uint32_t imageSize = 0;  // bytes, header included
  orbsim::ReadIdForm readIdForm = orbsim::ReadIdForm::Short;
  SampleNandGeometry nand = {};  // NAND devices only
};

// The sample firmware of a device number; none for a number without one.
std::optional<SampleFirmware> SampleFirmwareFor(std::uint16_t number);

}  // namespace vantrell::tools
