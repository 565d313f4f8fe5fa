// Registering an edited device list into the program file: the program reads
// it back, every other resource and byte of the file stays, and a failure
// leaves the file exactly as it was.
#include "core/devices/device_list_file.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "core/devices/device_catalogue.h"
#include "core/devices/device_list_format.h"
#include "core/platform/program_file_fixture.h"
#include "support/file_size_limit.h"
#include "support/scripted_prompt.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

class DeviceListFileTest : public ::testing::Test {
 protected:
  DeviceListFileTest() {
    test::WriteProgramFile(path, {{kIdrDevVer, EncodeDeviceList(records)},
                                  {kIdrDevUpdate, test::Bytes("editor")},
                                  {kIdrAutoUpdate, test::Bytes("updater")}});
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  }

  test::TempDir dir;
  std::string path = ProgramFilePath(dir.Path());
  std::vector<DeviceRecord> records = {{.number = 1, .name = "ORBELLE-C128", .sectorSizeKb = 4}, TerminatorRecord()};
};

TEST_F(DeviceListFileTest, ARegisteredListIsWhatTheProgramReadsNext) {
  const std::string before = test::ReadBytes(path);
  records.insert(records.end() - 1, {.number = 0x0042, .name = "ORBELLE-NEW", .sectorSizeKb = 8, .chipId = 0x77});
  std::string error;
  ASSERT_TRUE(RegisterDeviceList(path, records, &error)) << error;

  DeviceCatalogue catalogue;
  test::ScriptedPrompt prompt;
  ASSERT_TRUE(catalogue.LoadDeviceList(dir.Path(), prompt));
  EXPECT_EQ(catalogue.DeviceAt(catalogue.FindDevice(0x0042)).name, "ORBELLE-NEW");
  EXPECT_EQ(LoadDeviceListFile(path).records, records);
  EXPECT_EQ(ReadProgramResource(path, kIdrDevUpdate).bytes, test::Bytes("editor"));
  EXPECT_EQ(ReadProgramResource(path, kIdrAutoUpdate).bytes, test::Bytes("updater"));
#if !defined(_WIN32)
  // The program part before the appended table, and the file's mode.
  const std::string after = test::ReadBytes(path);
  EXPECT_EQ(after.substr(0, test::ProgramBody().size()), before.substr(0, test::ProgramBody().size()));
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
#endif
}

TEST_F(DeviceListFileTest, AFailedRegisterLeavesTheFileByteForByte) {
  const std::string before = test::ReadBytes(path);
  records.insert(records.begin(), {.number = 0x0042, .name = "ORBELLE-NEW"});
  std::string error;
  {
    test::ScopedFileSizeLimit limit(64);  // the new file cannot grow past its start
    EXPECT_FALSE(RegisterDeviceList(path, records, &error));
  }
  EXPECT_NE(error.find("File too large"), std::string::npos) << error;
  EXPECT_EQ(test::ReadBytes(path), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST_F(DeviceListFileTest, AFileThatCannotBeReadIsToldInTheEditorsWords) {
  EXPECT_EQ(LoadDeviceListFile(dir.File("missing")).failure, "file can not open!");
  test::WriteBytes(path, "no table here");
  EXPECT_EQ(LoadDeviceListFile(path).failure, "FindResource Error!(IDR_DEV_VER)");
  std::string error;
  EXPECT_FALSE(RegisterDeviceList(path, records, &error));
  EXPECT_EQ(error, "FindResource Error!(IDR_DEV_VER)");
  EXPECT_EQ(test::ReadBytes(path), "no table here");
}

}  // namespace
}  // namespace vantrell
