// The files vantrell-cli reads back into: the reference a read is compared
// with is checked before the writer hears anything and is never the file the
// read overwrites, and a save the disk cannot hold keeps the file it was to
// replace.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "cli_install.h"
#include "core/platform/utf8_path.h"

#if !defined(_WIN32)
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace vantrell::cli::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

json WriterWith(const char* image, json config = json::object()) {
  config["initial_firmware"] = std::string(VANTRELL_BIN_DIR) + "/Device/" + image + ".bin";
  config["write_status"] = true;
  return config;
}

TEST(CliReadBackTest, TheReferenceIsCheckedBeforeAnythingIsSentAndNeverOverwritten) {
  CliInstall cli;
  cli.ConfigureWriter(WriterWith("ORBELLE-C128"));
  const std::string reference = cli.DataFile("ref/reference.bin", 1000);
  const std::string kept = vantrell::test::ReadBytes(reference);
  const fs::path folder = Utf8Path(reference).parent_path();
  std::vector<std::string> sameFile = {reference, PathUtf8(folder / ".." / "ref" / "." / "reference.bin")};
  std::error_code linkRefused;
  fs::create_symlink(Utf8Path(reference), folder / "link.bin", linkRefused);
  if (!linkRefused) sameFile.push_back(PathUtf8(folder / "link.bin"));

  const auto readMaster = [&](const std::string& out, const std::string& compare) {
    return cli.Run({"read-master", "--image", "ORBELLE-C128", "--address", "0", "--length", "16", "--out", out,
                    "--compare", compare});
  };
  for (const std::string& out : sameFile) {
    const CliResult refused = readMaster(out, reference);
    EXPECT_EQ(refused.exitCode, 4) << out << ": " << refused.err;
    EXPECT_EQ(vantrell::test::ReadBytes(reference), kept) << out;
  }
  const std::string out = cli.ProgramDir() + "/out.bin";
  EXPECT_NE(readMaster(out, cli.ProgramDir() + "/none.bin").err.find("File Open Error!"), std::string::npos);
  // Larger than a comparison file may be (sparse): the window's read error.
  const std::string large = cli.DataFile("large.bin", 0);
  fs::resize_file(Utf8Path(large), 16u * 1024 * 1024 + 1);
  EXPECT_NE(readMaster(out, large).err.find("File Read Error!"), std::string::npos);
  EXPECT_FALSE(fs::exists(Utf8Path(cli.StateDir() + "/status.json"))) << "the writer was never opened";
  EXPECT_FALSE(fs::exists(Utf8Path(out)));
}

#if !defined(_WIN32)
std::size_t EntryCount(const std::string& directory) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(directory), fs::directory_iterator()));
}

// A file system of its own, 64 KiB, that Fill leaves without a free byte.
class SmallFileSystem {
 public:
  SmallFileSystem() : mounted_(::mount("tmpfs", dir_.Path().c_str(), "tmpfs", 0, "size=64k") == 0) {}
  ~SmallFileSystem() {
    if (mounted_) ::umount(dir_.Path().c_str());
  }
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Path() const { return dir_.Path(); }
  void Fill() const {
    std::ofstream filler(dir_.File("filler"), std::ios::binary);
    const std::string chunk(4096, 'f');
    for (int i = 0; i < 64 && filler.write(chunk.data(), chunk.size()).flush(); ++i) {
    }
  }

 private:
  vantrell::test::TempDir dir_;
  bool mounted_;
};

TEST(CliReadBackTest, ASaveTheFullDiskCannotHoldKeepsTheOldFileAndLeavesNoOther) {
  SmallFileSystem disk;
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  const std::string old(1000, 'o');
  const std::string master = disk.Path() + "/master.bin";
  const std::string blocks = disk.Path() + "/blocks.bin";
  vantrell::test::WriteBytes(master, old);
  vantrell::test::WriteBytes(blocks, old);
  disk.Fill();

  CliInstall chip;
  chip.ConfigureWriter(WriterWith("ORBELLE-C128"));
  const CliResult read = chip.Run(
      {"read-master", "--image", "ORBELLE-C128", "--address", "0", "--length", "65536", "--out", master});
  EXPECT_EQ(read.exitCode, 4) << read.err;

  CliInstall nand;
  nand.ConfigureWriter(WriterWith("ORBELLE-N1-NAND", {{"nand", {{"block_size", 512}, {"block_count", 64}, {"bad_blocks", json::array()}}}}));
  const CliResult readBlocks = nand.Run({"nand", "read", "5", "8", "--out", blocks, "--image", "ORBELLE-N1-NAND"});
  EXPECT_EQ(readBlocks.exitCode, 4) << readBlocks.err << readBlocks.out;

  EXPECT_EQ(vantrell::test::ReadBytes(master), old);
  EXPECT_EQ(vantrell::test::ReadBytes(blocks), old);
  EXPECT_EQ(EntryCount(disk.Path()), 3u) << "the two old files and the filler, no partial file";
}
#endif

}  // namespace
}  // namespace vantrell::cli::test
