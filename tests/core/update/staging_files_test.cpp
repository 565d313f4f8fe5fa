// New versions of files left beside them by a run that was killed: removed
// when no running process holds them, kept while one does.
#include "core/update/staging_files.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "core/platform/replacement_file.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

// The name a killed run's new version of target has on this platform.
std::string AbandonedNameOf(const std::string& target) {
#if defined(_WIN32)
  return "." + target + ".4294967291.0";  // Windows gives no process an id that is not a multiple of 4
#else
  return "." + target + ".Ab12Cd";
#endif
}

TEST(StagingFilesTest, OnlyAbandonedNewVersionsOfTheTargetAreRemoved) {
  test::TempDir dir;
  const std::string target = dir.File("Vantrell");
  test::WriteBytes(target, "program");
  test::WriteBytes(dir.File(AbandonedNameOf("Vantrell")), "killed run");
  test::WriteBytes(dir.File(AbandonedNameOf("other")), "another file's");
  test::WriteBytes(dir.File(".Vantrell.old"), "the user's");
  ReplacementFile inProgress(target);  // a running process writing a new version
  ASSERT_TRUE(inProgress.IsOpen());
  ASSERT_EQ(StagingFilesOf(target).size(), 2u);

  RemoveAbandonedStagingFiles(target);
  const std::vector<std::string> left = StagingFilesOf(target);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(fs::path(left[0]).filename(), fs::path(inProgress.TemporaryPath()).filename());
  EXPECT_TRUE(fs::exists(dir.File(AbandonedNameOf("other"))));
  EXPECT_TRUE(fs::exists(dir.File(".Vantrell.old")));
  EXPECT_EQ(test::ReadBytes(target), "program");
}

}  // namespace
}  // namespace vantrell
