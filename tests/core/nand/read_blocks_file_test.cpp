// The Read NAND Flash view's Save As: a save that cannot be finished leaves
// the file it was to replace as it was.
#include "core/nand/blocks/read_blocks_file.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

TEST(ReadBlocksFileTest, ASaveThatFailsMidWriteLeavesTheOldFileAndNothingElse) {
  test::TempDir dir;
  const std::string path = dir.File("NAND_Blocks.bin");
  test::WriteBytes(path, std::string(1000, 'o'));
  {
    test::ScopedFileSizeLimit full(4096);
    EXPECT_EQ(SaveReadBlocks(path, std::vector<std::uint8_t>(32 * 1024, 0xFF)), ReadBlocksSave::WriteFailed);
  }
  EXPECT_EQ(test::ReadBytes(path), std::string(1000, 'o'));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1)
      << "no partial file is left beside it";
}

}  // namespace
}  // namespace vantrell
