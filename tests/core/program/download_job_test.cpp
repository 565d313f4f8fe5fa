#include "core/program/job/download_job.h"

#include <gtest/gtest.h>

#include <string>

#include "core/devices/device_record.h"
#include "support/log_capture.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

using test::Cp949;

constexpr std::size_t kSector = 1024;

// A device of 8 sectors of 1 KB.
SelectedDevice EightSectorDevice() {
  SelectedDevice device;
  device.name = "TEST-8";
  device.sectorSizeKb = 1;
  device.flashSizeKb = 8;
  return device;
}

class ValidateDownloadJobTest : public ::testing::Test {
 protected:
  // Adds a file of that many bytes at that start sector to the job.
  void AddFile(std::int32_t sector, std::size_t bytes) {
    const std::string path = dir_.File("file" + std::to_string(job_.FileCount()) + ".bin");
    test::WriteBytes(path, std::string(bytes, '\x5A'));
    AddPath(sector, path);
  }
  void AddPath(std::int32_t sector, const std::string& path) {
    job_.paths.push_back(path);
    job_.sectors.push_back(sector);
    job_.checksums.push_back(0);
  }
  bool Validate() { return ValidateDownloadJob(job_, device_, prompt_, capture_.log, sizes_); }
  std::string Log() { return capture_.Bytes(); }
  std::vector<std::string> Boxes() const { return prompt_.Texts(); }

  test::TempDir dir_;
  SelectedDevice device_ = EightSectorDevice();
  DownloadJob job_;
  DownloadJobSizes sizes_;
  test::ScriptedPrompt prompt_;
  test::LogCapture capture_;
};

TEST_F(ValidateDownloadJobTest, PassingJobLogsEachSizeAndHandsBackTheSizes) {
  AddFile(0, 1500);
  AddFile(2, 10);
  EXPECT_TRUE(Validate());
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Log(), Cp949(" ☞ File Size = 1500\r\n ☞ File Size = 10\r\n"));
  EXPECT_EQ(sizes_.fileBytes, (std::vector<std::uint64_t>{1500, 10}));
  EXPECT_EQ(sizes_.totalBytes, 1510u);
}

TEST_F(ValidateDownloadJobTest, StartInsidePreviousFileNamesFileAndFirstFreeSector) {
  AddFile(5, 1);
  AddFile(5, 1);
  EXPECT_FALSE(Validate());
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0],
            "Start Sector Number를 기입하시오!\r\n(2번째 Write File의 Start Sector Number는 6 이상이어야 함!!!)");
  EXPECT_EQ(prompt_.Shown()[0].caption, kApplicationTitle);
  EXPECT_EQ(Log(), Cp949(" ☞ File Size = 1\r\n"
                         "Start Sector Number is over!\r\n"
                         "\t2번째 Write File의 Start Sector Number는 6 이상이어야 함!!!\r\n\r\n"));
}

TEST_F(ValidateDownloadJobTest, EmptyFileOccupiesNoSector) {
  AddFile(5, 0);
  AddFile(5, 1);
  EXPECT_TRUE(Validate());
  EXPECT_EQ(sizes_.fileBytes, (std::vector<std::uint64_t>{0, 1}));
}

TEST_F(ValidateDownloadJobTest, StartAtSectorCountShowsTheValidRange) {
  AddFile(8, 1);
  EXPECT_FALSE(Validate());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Start Sector Number를 기입하시오! (0~7)"});
  EXPECT_EQ(Log(), "Start Sector Number is over!\r\n");
}

TEST_F(ValidateDownloadJobTest, NegativeStartReadsAsHugeAndIsOutOfRange) {
  AddFile(-1, 1);
  EXPECT_FALSE(Validate());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Start Sector Number를 기입하시오! (0~7)"});
}

TEST_F(ValidateDownloadJobTest, RangeIsCheckedBeforeTheFileIsOpened) {
  AddPath(9, dir_.File("missing.bin"));
  EXPECT_FALSE(Validate());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Start Sector Number를 기입하시오! (0~7)"});
}

TEST_F(ValidateDownloadJobTest, WholeFlashFileAtSectorZeroPasses) {
  AddFile(0, 8 * kSector);
  EXPECT_TRUE(Validate());
}

TEST_F(ValidateDownloadJobTest, AfterAWholeFlashFileTheLastSectorIsTaken) {
  AddFile(0, 8 * kSector);
  AddFile(7, 1);
  EXPECT_FALSE(Validate());
  EXPECT_EQ(Boxes(), std::vector<std::string>{
                         "Start Sector Number를 기입하시오!\r\n(2번째 Write File의 Start Sector Number는 8 이상이어야 함!!!)"});
}

TEST_F(ValidateDownloadJobTest, AfterAWholeFlashFileNoSectorIsLeft) {
  AddFile(0, 8 * kSector);
  AddFile(8, 1);
  EXPECT_FALSE(Validate());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Start Sector Number를 기입하시오! (0~7)"});
}

TEST_F(ValidateDownloadJobTest, OnlyTheStartIsCheckedAgainstTheEndOfTheFlash) {
  AddFile(7, 2 * kSector);
  EXPECT_TRUE(Validate());
}

TEST_F(ValidateDownloadJobTest, TotalLargerThanFlashFails) {
  AddFile(0, 7 * kSector);
  AddFile(7, 2 * kSector);
  EXPECT_FALSE(Validate());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Download File's Total Size is over!"});
  EXPECT_EQ(Log(), Cp949(" ☞ File Size = 7168\r\n ☞ File Size = 2048\r\nDownload File's Total Size is over!\r\n"));
}

TEST_F(ValidateDownloadJobTest, FileLargerThanFlashFails) {
  AddFile(0, 8 * kSector + 1);
  EXPECT_FALSE(Validate());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Download File Size is over!"});
  EXPECT_EQ(Log(), Cp949(" ☞ File Size = 8193\r\n"
                         "Download File Size is over!\r\n"
                         "  -> File Size = 8193, Internal Flash Size = 8192\r\n"));
}

TEST_F(ValidateDownloadJobTest, VanishedFileFailsWithItsPath) {
  AddFile(0, 10);
  const std::string missing = dir_.File("vanished.bin");
  AddPath(1, missing);
  EXPECT_FALSE(Validate());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Cannot Open File!"});
  EXPECT_EQ(Log(), Cp949(" ☞ File Size = 10\r\nCannot Open File! <- " + missing + "\r\n"));
}

TEST_F(ValidateDownloadJobTest, DirectoryIsNotAFile) {
  AddPath(0, dir_.Path());
  EXPECT_FALSE(Validate());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Cannot Open File!"});
}

TEST_F(ValidateDownloadJobTest, DeviceWithoutSectorSizeRefusesEveryStart) {
  device_.sectorSizeKb = 0;
  AddFile(0, 1);
  EXPECT_FALSE(Validate());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Start Sector Number를 기입하시오! (0~-1)"});
}

TEST(FlashGeometry, SectorsAndCoveredSectors) {
  SelectedDevice device;
  device.sectorSizeKb = 4;
  device.flashSizeKb = 4 * 1024 * 1024;  // 4 GB does not overflow
  const FlashGeometry flash(device);
  EXPECT_EQ(flash.sectorBytes, 4096u);
  EXPECT_EQ(flash.flashBytes, 4ull << 30);
  EXPECT_EQ(flash.sectorCount, 1u << 20);
  EXPECT_EQ(flash.SectorsCovered(0), 0u);
  EXPECT_EQ(flash.SectorsCovered(1), 1u);
  EXPECT_EQ(flash.SectorsCovered(4096), 1u);
  EXPECT_EQ(flash.SectorsCovered(4097), 2u);
}

}  // namespace
}  // namespace vantrell
