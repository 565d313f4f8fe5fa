// What the build put beside the program: the device list it carries and a
// sample image for every device of it. Every record is checked against the
// rules the rest of the program relies on.
#include <algorithm>
#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "core/devices/device_catalogue.h"
#include "core/devices/device_images.h"
#include "core/devices/device_list_format.h"
#include "core/devices/recording_selection_view.h"
#include "core/platform/resource_table.h"
#include "support/log_capture.h"
#include "support/scripted_prompt.h"

namespace vantrell {
namespace {

bool IsNand(const DeviceRecord& r) { return r.name.ends_with("NAND"); }
bool IsMiniVelora(const DeviceRecord& r) { return r.name.starts_with("MINI-VELORA"); }

class BuiltProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(ProgramFilePath(VANTRELL_BIN_DIR))) GTEST_SKIP() << "the program is not built";
    const ResourceRead read = ReadProgramResource(ProgramFilePath(VANTRELL_BIN_DIR), kIdrDevVer);
    ASSERT_TRUE(read) << "resource step " << static_cast<int>(read.failedStep);
    raw = read.bytes;
    records = DecodeDeviceList(raw);
  }

  const DeviceRecord& Numbered(std::uint16_t number) const {
    return *std::find_if(records.begin(), records.end(), [&](const DeviceRecord& r) { return r.number == number; });
  }

  std::vector<std::uint8_t> raw;
  std::vector<DeviceRecord> records;
};

TEST_F(BuiltProgramTest, CarriesElevenDevicesAndTheTerminator) {
  ASSERT_EQ(raw.size(), 576u);
  ASSERT_EQ(records.size(), 12u);
  EXPECT_EQ(records.back(), TerminatorRecord());
  EXPECT_TRUE(std::all_of(raw.end() - 48 + 24, raw.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(BuiltProgramTest, EveryRecordKeepsItsFieldsClean) {
  for (std::size_t i = 0; i < raw.size() / kDeviceRecordSize; ++i) {
    const std::uint8_t* r = raw.data() + i * kDeviceRecordSize;
    const std::size_t nameLength = records[i].name.size();
    SCOPED_TRACE(records[i].name);
    EXPECT_GT(nameLength, 0u);
    EXPECT_LE(nameLength, kMaxDeviceNameLength);
    EXPECT_TRUE(std::all_of(r + 2 + nameLength, r + 24, [](std::uint8_t b) { return b == 0; })) << "name field tail";
    EXPECT_EQ(r[33], 0) << "reserved byte 33";
    EXPECT_TRUE(std::all_of(r + 36, r + 48, [](std::uint8_t b) { return b == 0; })) << "reserved tail";
  }
}

TEST_F(BuiltProgramTest, EveryDeviceFitsItsFamily) {
  int chips = 0, nands = 0, nandsWithChipId = 0;
  for (std::size_t i = 0; i + 1 < records.size(); ++i) {
    const DeviceRecord& r = records[i];
    SCOPED_TRACE(r.name);
    if (IsNand(r)) {
      ++nands;
      EXPECT_EQ(r.sectorSizeKb, 0u);
      EXPECT_EQ(r.flashSizeKb, 0u);
      EXPECT_EQ(r.flashMakerId, 0);
      EXPECT_EQ(r.flashDeviceId, 0);
      nandsWithChipId += r.chipId != 0;
    } else {
      ++chips;
      EXPECT_TRUE(r.sectorSizeKb == 4 || r.sectorSizeKb == 16 || r.sectorSizeKb == 64);
      EXPECT_TRUE(r.flashSizeKb == 128 || r.flashSizeKb == 512);
      EXPECT_NE(r.chipId, 0);
      EXPECT_NE(r.flashMakerId, 0);
      EXPECT_NE(r.flashDeviceId, 0);
    }
  }
  EXPECT_EQ(chips, 7);
  EXPECT_EQ(nands, 4);
  EXPECT_EQ(nandsWithChipId, 1);
}

TEST_F(BuiltProgramTest, NumbersAreTheListedOnesAndUnique) {
  std::multiset<std::uint16_t> numbers;
  for (const DeviceRecord& r : records) numbers.insert(r.number);
  EXPECT_EQ(numbers, (std::multiset<std::uint16_t>{1, 2, 3, 4, 5, 6, 7, 8, 0x1005, 0x1006, 0x8000, 0xFFFF}));
}

TEST_F(BuiltProgramTest, MiniVeloraVariantsAreTheirBaseDevicesOnTwoSockets) {
  for (auto [variant, base] : {std::pair<std::uint16_t, std::uint16_t>{0x1005, 5}, {0x1006, 6}}) {
    DeviceRecord mini = Numbered(variant);
    EXPECT_TRUE(IsMiniVelora(mini)) << mini.name;
    mini.number = base;
    mini.name = Numbered(base).name;
    EXPECT_EQ(mini, Numbered(base));
  }
  EXPECT_EQ(std::count_if(records.begin(), records.end(), IsMiniVelora), 2);
}

TEST_F(BuiltProgramTest, TheCatalogueLoadsItFromTheProgramDirectory) {
  test::ScriptedPrompt prompt;
  DeviceCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadDeviceList(VANTRELL_BIN_DIR, prompt));
  EXPECT_TRUE(prompt.Shown().empty());
  EXPECT_EQ(catalogue.Records(), records);
}

TEST_F(BuiltProgramTest, EverySampleImageSelectsItsListedDevice) {
  test::ScriptedPrompt prompt;
  test::LogCapture capture;
  test::RecordingSelectionView view;
  DeviceCatalogue catalogue;
  catalogue.Assign(records);
  DeviceImages images(VANTRELL_BIN_DIR, capture.log, prompt, view, catalogue);
  ASSERT_TRUE(images.ScanDeviceImages());

  std::set<std::uint16_t> selected;
  for (std::size_t i = 0; i < images.FileCount(); ++i) {
    ASSERT_TRUE(images.SelectDeviceImage(static_cast<int>(i))) << images.FileNames()[i];
    const SelectedDevice& device = images.Selected();
    EXPECT_EQ(images.FileNames()[i], device.name + ".bin");
    EXPECT_GE(images.Image().size(), 16u * 1024) << "sized like a firmware";
    selected.insert(device.number);
  }
  std::set<std::uint16_t> listed;
  for (std::size_t i = 0; i + 1 < records.size(); ++i) listed.insert(records[i].number);
  EXPECT_EQ(selected, listed);
  EXPECT_TRUE(prompt.Shown().empty());
}

}  // namespace
}  // namespace vantrell
