// The device catalogue: loading the list from the program file, its failure
// boxes, and lookups that never leave the list.
#include "core/devices/device_catalogue.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "core/devices/device_list_format.h"
#include "core/platform/program_file_fixture.h"
#include "core/text/format.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

using test::ReadBytes;
using test::WriteBytes;
using test::WriteProgramFile;

DeviceRecord Chip(std::uint16_t number, std::string name) {
  return {.number = number, .name = std::move(name), .sectorSizeKb = 4, .flashSizeKb = 128,
          .chipId = 0x51, .flashMakerId = 0x3A, .flashDeviceId = 0x21};
}

class DeviceCatalogueTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::ScriptedPrompt prompt;
  DeviceCatalogue catalogue;
  const std::vector<DeviceRecord> list = {Chip(1, "ORBELLE-C128"), Chip(5, "VELORA-128"),
                                          DeviceRecord{.number = 0x8000, .name = "ORBIS-GATE-NAND", .chipId = 0x80},
                                          TerminatorRecord()};

  std::string ProgramFile() const { return ProgramFilePath(dir.Path()); }
  void WriteList(std::span<const DeviceRecord> records) {
    WriteProgramFile(ProgramFile(), {{kIdrDevVer, EncodeDeviceList(records)}});
  }
  void WriteListBytes(std::vector<std::uint8_t> bytes) { WriteProgramFile(ProgramFile(), {{kIdrDevVer, bytes}}); }
  bool Load() { return catalogue.LoadDeviceList(dir.Path(), prompt); }
};

TEST_F(DeviceCatalogueTest, LoadsEveryRecordInListOrderTerminatorIncluded) {
  WriteList(list);
  ASSERT_TRUE(Load());
  EXPECT_TRUE(prompt.Shown().empty());
  EXPECT_EQ(catalogue.Records(), list);
  EXPECT_EQ(catalogue.DeviceCount(), 4u);
}

TEST_F(DeviceCatalogueTest, FindDeviceGivesTheRecordOrTheTerminator) {
  WriteList(list);
  ASSERT_TRUE(Load());
  EXPECT_EQ(catalogue.FindDevice(5), 1u);
  EXPECT_EQ(catalogue.FindDevice(0x8000), 2u);
  EXPECT_EQ(catalogue.FindDevice(0x4242), 3u);
  EXPECT_EQ(catalogue.FindDevice(kTerminatorNumber), 3u);
  EXPECT_EQ(catalogue.DeviceAt(catalogue.FindDevice(0x4242)).name, "Not Registered!");
}

TEST_F(DeviceCatalogueTest, FirstOfTwoEqualNumbersWins) {
  catalogue.Assign({Chip(7, "FIRST"), Chip(7, "SECOND"), TerminatorRecord()});
  EXPECT_EQ(catalogue.DeviceAt(catalogue.FindDevice(7)).name, "FIRST");
}

TEST_F(DeviceCatalogueTest, RecordsBehindTheTerminatorAreNeverFound) {
  catalogue.Assign({Chip(1, "A"), TerminatorRecord(), Chip(2, "HIDDEN")});
  EXPECT_EQ(catalogue.FindDevice(2), 1u);
}

TEST_F(DeviceCatalogueTest, TrailingPartialRecordIsIgnored) {
  std::vector<DeviceRecord> twelve;
  for (std::uint16_t n = 1; n <= 11; ++n) twelve.push_back(Chip(n, "D" + std::to_string(n)));
  twelve.push_back(TerminatorRecord());
  std::vector<std::uint8_t> bytes = EncodeDeviceList(twelve);
  ASSERT_EQ(bytes.size(), 576u);
  bytes.pop_back();
  WriteListBytes(bytes);
  ASSERT_TRUE(Load());
  EXPECT_EQ(catalogue.DeviceCount(), 11u);
  EXPECT_EQ(catalogue.DeviceAt(10).name, "D11");
}

// A list cut before its terminator: lookups stop at the end and read as unknown.
TEST_F(DeviceCatalogueTest, ListWithoutTerminatorReportsUnknownAtItsEnd) {
  catalogue.Assign({Chip(1, "A"), Chip(2, "B")});
  EXPECT_EQ(catalogue.FindDevice(2), 1u);
  EXPECT_EQ(catalogue.FindDevice(9), 2u);
  EXPECT_TRUE(catalogue.DeviceAt(2).IsTerminator());
  EXPECT_EQ(catalogue.DeviceAt(2).name, "Not Registered!");
  EXPECT_EQ(catalogue.DeviceAt(999).sectorSizeKb, 0u);
}

TEST_F(DeviceCatalogueTest, EmptyCatalogueKnowsNoDevice) {
  EXPECT_EQ(catalogue.DeviceCount(), 0u);
  EXPECT_EQ(catalogue.FindDevice(1), 0u);
  EXPECT_EQ(catalogue.DeviceAt(catalogue.FindDevice(1)).name, "Not Registered!");
}

TEST_F(DeviceCatalogueTest, ProgramUnderAnotherNameFailsWithTheLoadLibraryBoxes) {
  WriteList(list);
  std::filesystem::rename(ProgramFile(), dir.File("Vantrell-1.18"));
  EXPECT_FALSE(Load());
  const std::vector<PromptMessage> expected = {WindowBox("Error!", FormatText("LoadLibrary Error!\r\n(%s)", kProgramFileName)),
                                               ApplicationBox("Load Device List Fail!")};
  EXPECT_EQ(prompt.Shown(), expected);
  EXPECT_EQ(prompt.Shown()[1].icon, BoxIcon::Warning);
}

TEST_F(DeviceCatalogueTest, EachFailedStepHasItsBoxAndLeavesTheCatalogueAlone) {
  catalogue.Assign(list);
  struct Case {
    std::string text;
    std::function<void()> damage;
  };
  const std::vector<Case> cases = {
      {"FindResource Error!(IDR_DEV_VER)", [&] { WriteBytes(ProgramFile(), test::ProgramBody()); }},
      {"FindResource Error!(IDR_DEV_VER)", [&] { WriteProgramFile(ProgramFile(), {{kIdrDevUpdate, {1, 2}}}); }},
#if !defined(_WIN32)
      // Damage to the appended table; Windows carries the list in the image.
      {"LoadResource Error!(IDR_DEV_VER)",
       [&] {
         WriteList(list);
         std::string bytes = ReadBytes(ProgramFile());
         bytes[bytes.size() - 20] = '\x7F';  // the entry count
         WriteBytes(ProgramFile(), bytes);
       }},
      {"LockResource Error!(IDR_DEV_VER)",
       [&] {
         WriteList(list);
         std::string bytes = ReadBytes(ProgramFile());
         bytes[test::ProgramBody().size() + 2] ^= 0x20;  // a letter of the first name
         WriteBytes(ProgramFile(), bytes);
       }},
#endif
  };
  for (const Case& c : cases) {
    test::ScriptedPrompt casePrompt;
    c.damage();
    EXPECT_FALSE(catalogue.LoadDeviceList(dir.Path(), casePrompt));
    const std::vector<PromptMessage> expected = {WindowBox("Error!", c.text), ApplicationBox("Load Device List Fail!")};
    EXPECT_EQ(casePrompt.Shown(), expected);
    EXPECT_EQ(catalogue.Records(), list);
  }
}

TEST(DeviceListFormat, ReservedBytesAreNotRead) {
  std::vector<std::uint8_t> bytes = EncodeDeviceList(std::vector<DeviceRecord>{Chip(3, "X")});
  bytes[33] = 0xEE;
  for (std::size_t i = 36; i < 48; ++i) bytes[i] = 0xEE;
  EXPECT_EQ(DecodeDeviceList(bytes), std::vector<DeviceRecord>{Chip(3, "X")});
}

TEST(DeviceListFormat, NameFillingItsFieldStopsAtTheField) {
  std::vector<std::uint8_t> bytes = EncodeDeviceList(std::vector<DeviceRecord>{Chip(3, "")});
  for (std::size_t i = 2; i < 24; ++i) bytes[i] = 'N';
  EXPECT_EQ(DecodeDeviceList(bytes).at(0).name, std::string(22, 'N'));
  EXPECT_EQ(DecodeDeviceList(bytes).at(0).sectorSizeKb, 4u);
}

TEST(DeviceListFormat, EncodingKeepsTheNameTerminated) {
  const std::vector<std::uint8_t> bytes = EncodeDeviceList(std::vector<DeviceRecord>{Chip(3, std::string(30, 'L'))});
  ASSERT_EQ(bytes.size(), 48u);
  EXPECT_EQ(bytes[23], 0);
  EXPECT_EQ(DecodeDeviceList(bytes).at(0).name, std::string(21, 'L'));
}

}  // namespace
}  // namespace vantrell
