// Operators keep their files in folders named in Korean: every file the
// program opens or creates by a UTF-8 name must be found there, on Windows
// too, where a narrow name would pass through the ANSI code page.
#include <filesystem>

#include <gtest/gtest.h>

#include "core/devices/device_catalogue.h"
#include "core/devices/device_images.h"
#include "core/devices/device_list_format.h"
#include "core/devices/recording_selection_view.h"
#include "core/link/message_log.h"
#include "core/nand/blocks/read_blocks_file.h"
#include "core/platform/utf8_path.h"
#include "core/program/job/download_file.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

TEST(KoreanPathTest, DataFileDeviceImageLogAndSavedBlocksLiveInAKoreanFolder) {
  test::TempDir dir;
  const fs::path folder = Utf8Path(dir.File("데이터"));
  fs::create_directories(folder / "Device");
  const auto inFolder = [&](const std::string& name) { return PathUtf8(folder / Utf8Path(name)); };

  test::WriteBytes(inFolder("펌웨어.bin"), std::string("0123456789"));
  DownloadFile data;
  ASSERT_TRUE(data.Open(inFolder("펌웨어.bin")));
  EXPECT_EQ(data.Size(), 10u);

  MessageLog log;
  ASSERT_TRUE(log.Create(inFolder("기록 Log.txt")));
  test::ScriptedPrompt prompt;
  test::RecordingSelectionView view;
  DeviceCatalogue catalogue;
  catalogue.Assign({{.number = 5, .name = "VELORA-128", .sectorSizeKb = 4}, TerminatorRecord()});
  test::WriteBytes(PathUtf8(folder / "Device" / Utf8Path("장치.bin")), test::MakeImage(5, 0x0105, 16));
  DeviceImages images(PathUtf8(folder), log, prompt, view, catalogue);
  ASSERT_TRUE(images.ScanDeviceImages());
  EXPECT_EQ(images.FileNames(), std::vector<std::string>{"장치.bin"});
  EXPECT_TRUE(images.SelectDeviceImage(0));
  EXPECT_EQ(view.names, std::vector<std::string>{"장치"});
  log.Flush();
  EXPECT_NE(test::ReadBytes(inFolder("기록 Log.txt")).find("First file name is "), std::string::npos);

  const std::vector<std::uint8_t> blocks = {0xA1, 0xD9, 0x00, 0xFF};
  ASSERT_EQ(SaveReadBlocks(inFolder("읽은 블록.bin"), blocks), ReadBlocksSave::Saved);
  EXPECT_EQ(test::ReadBytes(inFolder("읽은 블록.bin")), std::string(blocks.begin(), blocks.end()));
}

}  // namespace
}  // namespace vantrell
