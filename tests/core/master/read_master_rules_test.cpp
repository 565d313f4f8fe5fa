// The rules of the Read Master window that need no window: what its edits
// mean, which lengths may be read, how two data compare, and its files.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/master/master_comparison.h"
#include "core/master/master_files.h"
#include "core/master/read_range_input.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ReadRangeInputTest, TheEditsReadUpToTheirFirstForeignCharacter) {
  EXPECT_EQ(ParseReadStart("0x0000FF00"), 0xFF00u);
  EXPECT_EQ(ParseReadStart("0x00000000"), 0u);
  EXPECT_EQ(ParseReadStart("0xFFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseReadStart("0x12G4____"), 0x12u);
  EXPECT_EQ(ParseReadStart("0x________"), 0u);
  EXPECT_EQ(ParseReadLength("000001 [byte]"), 1u);
  EXPECT_EQ(ParseReadLength("000000 [byte]"), 0u);
  EXPECT_EQ(ParseReadLength("999999 [byte]"), 999999u);
  EXPECT_EQ(ParseReadLength("  1234 [byte]"), 1234u);
  EXPECT_EQ(ParseReadLength("12 345 [byte]"), 12u);
  EXPECT_EQ(ParseReadLength("99999999999999"), 0xFFFFFFFFu) << "saturates rather than wraps";
}

TEST(ReadRangeInputTest, TheLengthMustBeOneByteToTheWholeFlash) {
  SelectedDevice device;
  device.flashSizeKb = 64;
  EXPECT_EQ(ReadLengthRefusal(0, device), "Read Length has to be over 1");
  EXPECT_EQ(ReadLengthRefusal(1, device), std::nullopt);
  EXPECT_EQ(ReadLengthRefusal(65536, device), std::nullopt);
  EXPECT_EQ(ReadLengthRefusal(65537, device), "Read Length is over!\r\nUnder Internal Flash Size = 64[KB]");
  device.flashSizeKb = 0x00400000;  // 4 GiB: the byte count must not wrap
  EXPECT_EQ(ReadLengthRefusal(0xFFFFFFFF, device), std::nullopt);
}

// Where a view draws red: its data differs from its reference.
std::vector<std::size_t> RedIndexes(const Bytes& data, const Bytes& reference) {
  std::vector<std::size_t> red;
  for (std::size_t i = 0; i < data.size(); ++i)
    if (data[i] != reference.at(i)) red.push_back(i);
  return red;
}

TEST(MasterComparisonTest, EqualDataAreTheSameAndDrawNothingRed) {
  const Bytes data = {1, 2, 3, 4};
  const MasterComparison c = CompareMasterData(data, data);
  EXPECT_TRUE(c.Same());
  EXPECT_TRUE(RedIndexes(data, c.leftReference).empty());
  EXPECT_TRUE(RedIndexes(data, c.rightReference).empty());
  EXPECT_EQ(CompareVerdictBox(c), WindowBox("Success!", "Data Compare Complete!\r\nAll Data are the same!"));
}

TEST(MasterComparisonTest, ADifferingByteIsRedInBothViewsAndNamedInTheVerdict) {
  const Bytes read = {1, 2, 3, 4, 5};
  Bytes file = read;
  file[3] = 0x44;
  const MasterComparison c = CompareMasterData(read, file, 0x1000);
  EXPECT_EQ(RedIndexes(read, c.leftReference), std::vector<std::size_t>{3});
  EXPECT_EQ(RedIndexes(file, c.rightReference), std::vector<std::size_t>{3});
  EXPECT_EQ(CompareVerdictBox(c),
            WindowBox("Fail!!!", "Data Compare Complete!\r\nEach Data are not the same!\r\n"
                                 "First difference at address 0x00001003: read 0x04, file 0x44 (1 byte differs)"));
}

TEST(MasterComparisonTest, BytesBeyondTheShorterDataAreDifferencesRedInTheLongerView) {
  const Bytes longer = {9, 9, 9, 0xF6};
  const Bytes shorter = {9, 9};
  const MasterComparison readLonger = CompareMasterData(longer, shorter);
  EXPECT_EQ(RedIndexes(longer, readLonger.leftReference), (std::vector<std::size_t>{2, 3}));
  EXPECT_EQ(RedIndexes(shorter, readLonger.rightReference), std::vector<std::size_t>{});
  const MasterComparison fileLonger = CompareMasterData(shorter, longer);
  EXPECT_EQ(RedIndexes(longer, fileLonger.rightReference), (std::vector<std::size_t>{2, 3}));
  EXPECT_EQ(FirstDifferenceText(fileLonger),
            "First difference at address 0x00000002: read none, file 0x09 (2 bytes differ)");
  EXPECT_EQ(FirstDifferenceText(CompareMasterData(longer, {}, 0xFFFFFFFF)),
            "First difference at address 0xFFFFFFFF: read 0x09, file none (4 bytes differ)");
}

class MasterFilesTest : public ::testing::Test {
 protected:
  test::TempDir dir;
};

TEST_F(MasterFilesTest, AComparisonFileIsReadWholeOrNotAtAll) {
  const Bytes bytes = {0, 1, 0xFE, 0xFF};
  test::WriteBytes(dir.File("same.bin"), bytes);
  const ComparisonFile loaded = LoadComparisonFile(dir.File("same.bin"));
  EXPECT_EQ(loaded.result, ComparisonLoad::Loaded);
  EXPECT_EQ(loaded.bytes, bytes);

  EXPECT_EQ(LoadComparisonFile(dir.File("gone.bin")).result, ComparisonLoad::OpenFailed);
  EXPECT_EQ(LoadComparisonFile(dir.Path()).result, ComparisonLoad::OpenFailed) << "a folder is no file";

  // Larger than 16 MiB: refused before anything is allocated (the file is sparse).
  std::filesystem::resize_file(dir.File("same.bin"), kMaxComparisonBytes + 1);
  const ComparisonFile large = LoadComparisonFile(dir.File("same.bin"));
  EXPECT_EQ(large.result, ComparisonLoad::ReadFailed);
  EXPECT_TRUE(large.bytes.empty());
}

TEST_F(MasterFilesTest, SavingReplacesTheFileAndReportsWhatFailed) {
  const std::string path = dir.File("MasterRead.bin");
  test::WriteBytes(path, Bytes(100, 0xAA));
  EXPECT_EQ(SaveReadData(path, Bytes{1, 2, 3}), ReadDataSave::Saved);
  EXPECT_EQ(test::ReadBytes(path), std::string("\x01\x02\x03"));
  EXPECT_EQ(FileNameOf(path), "MasterRead.bin");

  EXPECT_EQ(SaveReadData(dir.File("no/such/folder.bin"), Bytes{1}), ReadDataSave::CreateFailed);
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_EQ(SaveReadData("/dev/full", Bytes(70000, 1)), ReadDataSave::WriteFailed);
  }
}

TEST_F(MasterFilesTest, ASaveThatFailsMidWriteLeavesTheOldFileAndNothingElse) {
  const std::string path = dir.File("MasterRead.bin");
  test::WriteBytes(path, Bytes(1000, 0xAA));
  {
    test::ScopedFileSizeLimit full(4096);
    EXPECT_EQ(SaveReadData(path, Bytes(64 * 1024, 0xFF)), ReadDataSave::WriteFailed);
  }
  EXPECT_EQ(test::ReadBytes(path), std::string(1000, '\xAA'));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1)
      << "no partial file is left beside it";
}

}  // namespace
}  // namespace vantrell
