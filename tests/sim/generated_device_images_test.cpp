// The sample device images the build writes beside the program: each one
// carries a descriptor the simulator can become, matching the device list
// the program carries.
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "core/devices/device_catalogue.h"
#include "descriptor/firmware_descriptor.h"
#include "support/scripted_prompt.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(GeneratedDeviceImages, EachDecodesAsTheDeviceItsHeaderNames) {
  const fs::path directory = fs::path(VANTRELL_BIN_DIR) / "Device";
  if (!fs::exists(directory)) GTEST_SKIP() << "the sample images are not built";
  test::ScriptedPrompt prompt;
  DeviceCatalogue catalogue;
  if (!catalogue.LoadDeviceList(VANTRELL_BIN_DIR, prompt)) GTEST_SKIP() << "the program is not built";

  int images = 0, extended = 0, shortForm = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
    if (entry.path().extension() != ".bin") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++images;
    const std::vector<std::uint8_t> image = FileBytes(entry.path());
    const auto header = orbsim::ImageHeader::Of(image);
    const auto descriptor = orbsim::FirmwareDescriptor::Decode(image);
    ASSERT_TRUE(header && descriptor);
    EXPECT_EQ(descriptor->imageSize, image.size());

    const DeviceRecord& record = catalogue.DeviceAt(catalogue.FindDevice(header->number));
    ASSERT_FALSE(record.IsTerminator());
    EXPECT_EQ(descriptor->chipId, record.chipId);
    if (record.name.ends_with("NAND")) {
      EXPECT_EQ(descriptor->family, orbsim::Family::Nand);
      EXPECT_EQ(descriptor->nandBlockSize, 131072u);
      EXPECT_GE(descriptor->nandBlockCount, 1024u);
      EXPECT_LT(descriptor->nandFatStartBlock, descriptor->nandBlockCount);
      EXPECT_FALSE(descriptor->nandName.empty());
      EXPECT_FALSE(descriptor->badBlocks.empty());
      for (std::uint32_t block : descriptor->badBlocks) EXPECT_LT(block, descriptor->nandBlockCount);
    } else {
      EXPECT_EQ(descriptor->family, orbsim::Family::Chip);
      EXPECT_EQ(descriptor->sectorSizeKb, record.sectorSizeKb);
      EXPECT_EQ(descriptor->flashSizeKb, record.flashSizeKb);
      EXPECT_EQ(descriptor->flashMakerId, record.flashMakerId);
      EXPECT_EQ(descriptor->flashDeviceId, record.flashDeviceId);
      (descriptor->readIdForm == orbsim::ReadIdForm::Extended ? extended : shortForm)++;
    }
  }
  EXPECT_EQ(images, 11);
  EXPECT_GT(extended, 0);
  EXPECT_GT(shortForm, 0);
}

}  // namespace
}  // namespace vantrell
