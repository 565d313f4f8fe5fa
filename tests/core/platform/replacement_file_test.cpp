// Replacing a file as a whole: the new version takes the old one's place
// with its mode, and a failure at any step leaves the old one as it was.
#include "core/platform/replacement_file.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "core/platform/resource_table.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

std::size_t EntryCount(const std::string& directory) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(directory), fs::directory_iterator()));
}

class ReplacementFileTest : public ::testing::Test {
 protected:
  ReplacementFileTest() {
    test::WriteBytes(path, old);
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    mode = fs::status(path).permissions();  // what of it the system keeps
  }
  test::TempDir dir;
  std::string path = dir.File(kProgramFileName);
  std::string old = "old program";
  fs::perms mode{};
};

TEST_F(ReplacementFileTest, TheNewVersionTakesThePlaceAndModeOfTheOldOnlyOnCommit) {
  const std::string text = "new program, longer than the old one";
  ReplacementFile file(path);
  ASSERT_TRUE(file.Write(text.data(), text.size()));
  EXPECT_EQ(test::ReadBytes(path), old) << "nothing changes before the commit";
  ASSERT_TRUE(file.Commit()) << file.Error();
  EXPECT_EQ(test::ReadBytes(path), text);
  EXPECT_EQ(fs::status(path).permissions(), mode);
  EXPECT_EQ(EntryCount(dir.Path()), 1u) << "no temporary file is left";

  ReplacementFile fresh(dir.File("new file"));
  ASSERT_TRUE(fresh.Write("x", 1) && fresh.Commit());
  EXPECT_EQ(fs::status(dir.File("new file")).permissions() & fs::perms::owner_exec, fs::perms::none);
}

TEST_F(ReplacementFileTest, AFailureOrADropLeavesTheOldFileAndNoTrace) {
  {
    ReplacementFile dropped(path);
    ASSERT_TRUE(dropped.Write("half", 4));
  }
  EXPECT_EQ(test::ReadBytes(path), old);

  const std::string big(64 * 1024, 'n');
  {
    test::ScopedFileSizeLimit limit(4096);
    ReplacementFile file(path);
    EXPECT_FALSE(file.Write(big.data(), big.size()));
    EXPECT_FALSE(file.Commit());
    EXPECT_NE(file.Error().find("File too large"), std::string::npos) << file.Error();
  }
  EXPECT_EQ(test::ReadBytes(path), old);
  EXPECT_EQ(EntryCount(dir.Path()), 1u);

  ReplacementFile nowhere(dir.File("no such directory/file"));
  EXPECT_FALSE(nowhere.IsOpen());
  EXPECT_FALSE(nowhere.Error().empty());
}

}  // namespace
}  // namespace vantrell
