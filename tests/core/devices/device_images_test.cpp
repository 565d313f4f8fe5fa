// The device images: listing the Device directory, loading one image and
// selecting the device it serves, with the log lines, boxes and status
// texts the operator sees.
#include "core/devices/device_images.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/common/prompt.h"
#include "core/devices/device_catalogue.h"
#include "core/devices/device_list_format.h"
#include "core/devices/recording_selection_view.h"
#include "core/platform/utf8_path.h"
#include "core/text/format.h"
#include "support/log_capture.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

using test::Cp949;
using test::MakeImage;

const DeviceRecord kVelora = {.number = 5, .name = "VELORA-128", .sectorSizeKb = 4, .flashSizeKb = 128,
                              .chipId = 0x65, .flashMakerId = 0x5C, .flashDeviceId = 0x41};

class DeviceImagesTest : public ::testing::Test {
 protected:
  DeviceImagesTest() {
    std::filesystem::create_directory(Utf8Path(imageDir));
    catalogue.Assign({kVelora, TerminatorRecord()});
  }

  void AddImage(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    test::WriteBytes(InImages(name), bytes);
  }
  // A path in the image directory as the program spells it.
  std::string InImages(const std::string& name) const { return PathUtf8(Utf8Path(imageDir) / Utf8Path(name)); }
  std::string Log() { return capture.Bytes(); }

  test::TempDir programDir;
  const std::string imageDir = programDir.File("Device");
  test::LogCapture capture;
  test::ScriptedPrompt prompt;
  test::RecordingSelectionView view;
  DeviceCatalogue catalogue;
  DeviceImages images{programDir.Path(), capture.log, prompt, view, catalogue};
};

TEST_F(DeviceImagesTest, ListsNamesWithoutExtensionAndStoresTheFileNames) {
  AddImage("a.bin", MakeImage(5, 0x0105, 16));
  AddImage("b.old.bin", MakeImage(5, 0x0105, 16));
  AddImage("notes.txt", {1, 2, 3});
  std::filesystem::create_directory(Utf8Path(InImages("folder.bin")));
  ASSERT_TRUE(images.ScanDeviceImages());
  EXPECT_EQ(view.names, (std::vector<std::string>{"a", "b.old"}));
  EXPECT_EQ(images.FileNames(), (std::vector<std::string>{"a.bin", "b.old.bin"}));
  EXPECT_EQ(Log(), "First file name is a.bin\r\nNext file name is b.old.bin\r\n");
}

TEST_F(DeviceImagesTest, ListsInNameOrderWhateverTheExtensionCase) {
  for (const char* name : {"zeta.bin", "ALPHA.BIN", "mid.Bin"}) AddImage(name, MakeImage(5, 1, 8));
  ASSERT_TRUE(images.ScanDeviceImages());
  EXPECT_EQ(images.FileNames(), (std::vector<std::string>{"ALPHA.BIN", "mid.Bin", "zeta.bin"}));
  EXPECT_EQ(view.names, (std::vector<std::string>{"ALPHA", "mid", "zeta"}));
}

TEST_F(DeviceImagesTest, MissingDirectoryOrNoImageIsAnInvalidHandle) {
  AddImage("readme.txt", {1});
  EXPECT_FALSE(images.ScanDeviceImages());
  std::filesystem::remove_all(imageDir);
  EXPECT_FALSE(images.ScanDeviceImages());
  EXPECT_EQ(Log(), "Invalid file handle. Error is 2\r\nInvalid file handle. Error is 2\r\n");
  EXPECT_TRUE(view.names.empty());
  EXPECT_EQ(images.FileCount(), 0u);
}

TEST_F(DeviceImagesTest, OnlyTheFirstHundredImagesAreListed) {
  for (int i = 0; i < 105; ++i) AddImage(FormatText("img%03d.bin", i), MakeImage(5, 1, 8));
  ASSERT_TRUE(images.ScanDeviceImages());
  EXPECT_EQ(images.FileCount(), 100u);
  EXPECT_EQ(view.names.size(), 100u);
  EXPECT_EQ(images.FileNames().back(), "img099.bin");
  EXPECT_NE(Log().find("Next file name is img099.bin\r\nToo many device images: the first 100 of 105 are listed.\r\n"),
            std::string::npos);
}

TEST_F(DeviceImagesTest, SelectingAnImageLogsShowsAndKeepsItsDevice) {
  AddImage("VELORA-128.bin", MakeImage(5, 0x0105, 64));
  ASSERT_TRUE(images.ScanDeviceImages());
  ASSERT_TRUE(images.SelectDeviceImage(0));

  const std::string path = InImages("VELORA-128.bin");
  EXPECT_EQ(Log(), Cp949("First file name is VELORA-128.bin\r\n"
                         "Load Binary File Name = " + path + "\r\n"
                         " ☞<" + path + "> File Size = 64\r\n"
                         "Binary File < VELORA-128.bin > Selected!\r\n"));
  EXPECT_EQ(Cp949(" ☞"), " \xA2\xD1");
  EXPECT_EQ(view.selectionStatus, " Device < VELORA-128.bin > is selected!");
  EXPECT_EQ(view.deviceStatus, " [VELORA-128] - Version 1.05");
  EXPECT_TRUE(prompt.Shown().empty());

  const SelectedDevice& device = images.Selected();
  EXPECT_EQ(device.number, 5);
  EXPECT_EQ(device.version, 0x0105);
  EXPECT_EQ(device.name, "VELORA-128");
  EXPECT_EQ(device.sectorSizeKb, 4u);
  EXPECT_EQ(device.flashSizeKb, 128u);
  EXPECT_EQ(device.chipId, 0x65);
  EXPECT_EQ(device.flashMakerId, 0x5C);
  EXPECT_EQ(device.flashDeviceId, 0x41);
  ASSERT_TRUE(images.HasImage());
  EXPECT_TRUE(std::ranges::equal(images.Image(), MakeImage(5, 0x0105, 64)));
}

TEST_F(DeviceImagesTest, UnlistedNumberSelectsAsNotRegisteredWithZeroSizes) {
  AddImage("future.bin", MakeImage(0x4242, 0x0210, 40));
  ASSERT_TRUE(images.ScanDeviceImages());
  ASSERT_TRUE(images.SelectDeviceImage(0));
  EXPECT_EQ(view.deviceStatus, " [Not Registered!] - Version 2.10");
  EXPECT_EQ(images.Selected().number, 0x4242);
  EXPECT_EQ(images.Selected().name, "Not Registered!");
  EXPECT_EQ(images.Selected().sectorSizeKb, 0u);
  EXPECT_EQ(images.Selected().flashSizeKb, 0u);
  EXPECT_EQ(images.Selected().chipId, 0);
}

TEST_F(DeviceImagesTest, IndexBeyondTheListFailsWithAnEmptyNameAndKeepsTheSelection) {
  AddImage("v.bin", MakeImage(5, 0x0105, 64));
  ASSERT_TRUE(images.ScanDeviceImages());
  ASSERT_TRUE(images.SelectDeviceImage(0));
  const std::size_t logged = Log().size();

  EXPECT_FALSE(images.SelectDeviceImage(3));
  EXPECT_EQ(Log().substr(logged), "Load Binary File Name = " + InImages("") + "\r\n"
                                  "Cannot Open File!\r\n"
                                  "Binary File <  > Read Fail!\r\n");
  EXPECT_EQ(prompt.Shown(), (std::vector<PromptMessage>{ApplicationBox("Cannot Open File!"),
                                                         ApplicationBox("Binary File Can't Select!")}));
  EXPECT_EQ(view.selectionStatus, " Device <  > can't select!");
  EXPECT_EQ(view.deviceStatus, " [VELORA-128] - Version 1.05");
  EXPECT_EQ(images.Selected().name, "VELORA-128");
  EXPECT_TRUE(images.HasImage()) << "an image that could not be opened leaves the loaded one";
  EXPECT_FALSE(images.SelectDeviceImage(-1));
}

TEST_F(DeviceImagesTest, ImageShorterThanItsHeaderIsAFailedReadThatKeepsNoImage) {
  AddImage("a.bin", MakeImage(5, 0x0105, 64));
  AddImage("short.bin", {0x05, 0x00, 0x05});
  ASSERT_TRUE(images.ScanDeviceImages());
  ASSERT_TRUE(images.SelectDeviceImage(0));
  const std::size_t logged = Log().size();

  EXPECT_FALSE(images.SelectDeviceImage(1));
  const std::string path = InImages("short.bin");
  EXPECT_EQ(Log().substr(logged), Cp949("Load Binary File Name = " + path + "\r\n"
                                        " ☞<" + path + "> File Size = 3\r\n"
                                        "Failed to read file!"
                                        "Binary File < short.bin > Read Fail!\r\n"));
  EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{"Failed to read file!", "Binary File Can't Select!"}));
  EXPECT_EQ(view.selectionStatus, " Device < short.bin > can't select!");
  EXPECT_FALSE(images.HasImage());
  EXPECT_TRUE(images.Image().empty());
  EXPECT_EQ(images.Selected().name, "VELORA-128") << "the selected device keeps its values";
}

TEST_F(DeviceImagesTest, NewLoadReplacesTheImage) {
  AddImage("a.bin", MakeImage(5, 0x0105, 64));
  AddImage("b.bin", MakeImage(5, 0x0106, 100));
  ASSERT_TRUE(images.ScanDeviceImages());
  ASSERT_TRUE(images.SelectDeviceImage(0));
  ASSERT_TRUE(images.SelectDeviceImage(1));
  EXPECT_TRUE(std::ranges::equal(images.Image(), MakeImage(5, 0x0106, 100)));
  EXPECT_EQ(images.Selected().version, 0x0106);
}

TEST_F(DeviceImagesTest, StoredIndexSelectsWhateverImageHasThatPositionNow) {
  AddImage("b.bin", MakeImage(5, 0x0106, 16));
  AddImage("c.bin", MakeImage(0x4242, 0x0107, 16));
  AddImage("a.bin", MakeImage(5, 0x0105, 16));  // arrived since the index was stored
  ASSERT_TRUE(images.ScanDeviceImages());
  ASSERT_TRUE(images.SelectDeviceImage(1));
  EXPECT_EQ(view.selectionStatus, " Device < b.bin > is selected!");
}

TEST(DeviceVersion, ReadsAsHexMajorDotTwoDigitMinor) {
  EXPECT_EQ(FormatDeviceVersion(0x0105), "1.05");
  EXPECT_EQ(FormatDeviceVersion(0x1A0F), "1a.0f");
  EXPECT_EQ(FormatDeviceVersion(0x0000), "0.00");
}

}  // namespace
}  // namespace vantrell
