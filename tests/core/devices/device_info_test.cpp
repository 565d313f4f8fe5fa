// The two information views: the selected device's box and the row list of
// every image, with the boxes and log lines for files that cannot be read.
#include "core/devices/device_info.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "core/devices/device_catalogue.h"
#include "core/devices/device_list_format.h"
#include "core/devices/recording_selection_view.h"
#include "core/platform/utf8_path.h"
#include "support/log_capture.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

using test::MakeImage;

const DeviceRecord kVelora = {5, "VELORA-128", 4, 128, 0x65, 0x5C, 0x41};

class DeviceInfoTest : public ::testing::Test {
 protected:
  DeviceInfoTest() {
    std::filesystem::create_directory(programDir.File("Device"));
    catalogue.Assign({kVelora, TerminatorRecord()});
  }
  void AddImage(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    test::WriteBytes(programDir.File("Device/" + name), bytes);
  }

  test::TempDir programDir;
  test::LogCapture capture;
  test::ScriptedPrompt prompt;
  test::RecordingSelectionView view;
  DeviceCatalogue catalogue;
  DeviceImages images{programDir.Path(), capture.log, prompt, view, catalogue};
};

TEST_F(DeviceInfoTest, CurrentDeviceBeforeAndAfterASelection) {
  EXPECT_EQ(CurrentDeviceInfoBox(images.Selected(), catalogue),
            WindowBox("Information",
                      "Current Device Name = Not Registered!\r\n\r\n"
                      "Current Device Number = 0x0000\r\n\r\n"
                      "Current Device Version = 0.00\r\n\r\n"
                      "Current Device Sector Size = 0[KB]\r\n\r\n"
                      "Current Device Flash Size = 0[KB]\r\n"));

  AddImage("velora.bin", MakeImage(5, 0x010A, 16));
  ASSERT_TRUE(images.ScanDeviceImages());
  ASSERT_TRUE(images.SelectDeviceImage(0));
  EXPECT_EQ(CurrentDeviceInfoBox(images.Selected(), catalogue).text,
            "Current Device Name = VELORA-128\r\n\r\n"
            "Current Device Number = 0x0005\r\n\r\n"
            "Current Device Version = 1.0a\r\n\r\n"
            "Current Device Sector Size = 4[KB]\r\n\r\n"
            "Current Device Flash Size = 128[KB]\r\n");
}

TEST_F(DeviceInfoTest, EveryImageGetsARowAndBadFilesAreToldOneByOne) {
  AddImage("a.bin", MakeImage(5, 0x0105, 16));
  AddImage("b.bin", MakeImage(0x1234, 0x0200, 4));  // not in the list; the header is all it holds
  AddImage("c.bin", {0x05, 0x00});                   // shorter than the header
  AddImage("d.bin", MakeImage(5, 0x0105, 16));
  ASSERT_TRUE(images.ScanDeviceImages());
  std::filesystem::remove(programDir.File("Device/d.bin"));  // gone since the scan
  const std::string logBefore = capture.Bytes();

  const std::vector<DeviceInfoRow> rows = ListDeviceInfo(images, catalogue);

  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(DeviceInfoRowTexts(rows[0]), (DeviceInfoCells{"VELORA-128", "0x0005", "1.05", "4", "128", "a.bin"}));
  EXPECT_EQ(DeviceInfoRowTexts(rows[1]), (DeviceInfoCells{"Not Registered!", "0x1234", "2.00", "0", "0", "b.bin"}));
  EXPECT_EQ(DeviceInfoRowTexts(rows[2]), (DeviceInfoCells{"Not Registered!", "", "", "0", "0", "c.bin"}));
  EXPECT_EQ(DeviceInfoRowTexts(rows[3]), (DeviceInfoCells{"Not Registered!", "", "", "0", "0", "d.bin"}));
  EXPECT_EQ(prompt.Shown(), (std::vector<PromptMessage>{ApplicationBox("Failed to read file!"),
                                                        ApplicationBox("Cannot Open File!")}));
  const std::string dir = PathUtf8(Utf8Path(programDir.File("Device")) / "");  // with its closing separator
  EXPECT_EQ(capture.Bytes().substr(logBefore.size()),
            "Load Binary File Name = " + dir + "a.bin\r\n" +
            "Load Binary File Name = " + dir + "b.bin\r\n" +
            "Load Binary File Name = " + dir + "c.bin\r\n" +
            "Failed to read file! -> <c.bin>\r\n" +
            "Load Binary File Name = " + dir + "d.bin\r\n" +
            "Cannot Open File!\r\n");
  EXPECT_FALSE(images.HasImage()) << "reading headers loads no image";
}

}  // namespace
}  // namespace vantrell
