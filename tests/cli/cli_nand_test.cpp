// vantrell-cli's nand commands against the simulator's NAND board: what is
// downloaded reads back, bad blocks are listed, and bad arguments or an
// unanswered question stop before the writer hears anything.
#include <filesystem>

#include <gtest/gtest.h>

#include "cli_install.h"
#include "event_schema.h"

namespace vantrell::cli::test {
namespace {

using nlohmann::json;

constexpr const char* kImage = "ORBELLE-N1-NAND";

json NandWriter(json nand) {
  return {{"initial_firmware", std::string(VANTRELL_BIN_DIR) + "/Device/" + kImage + ".bin"},
          {"write_status", true},
          {"nand", std::move(nand)}};
}

json Result(const CliResult& run) {
  const auto results = run.EventsNamed("result");
  return results.empty() ? json() : results.back();
}

CliResult RunWellFormed(CliInstall& cli, std::vector<std::string> args) {
  args.insert(args.end(), {"--json", "--image", kImage});
  CliResult run = cli.Run(args);
  for (const json& event : run.Events()) EXPECT_EQ(SchemaProblem(event), "") << event;
  return run;
}

TEST(CliNandTest, DownloadedFilesReadBackAndBadBlocksAreListed) {
  CliInstall cli;
  cli.ConfigureWriter(NandWriter({{"block_size", 512}, {"block_count", 64}, {"bad_blocks", {3, 40}}}));
  // 1008 bytes end on a packet of exactly 62: the block writer's closing empty packet.
  const std::string first = cli.DataFile("first file.bin", 1008);
  const std::string second = cli.DataFile("두번째.bin", 700);
  const CliResult download = RunWellFormed(cli, {"nand", "download", first + "@5", second + "@8", "--fat", "12"});
  ASSERT_EQ(download.exitCode, 0) << download.err;
  const auto box = download.EventsNamed("box");
  ASSERT_FALSE(box.empty());
  EXPECT_EQ(box.back()["text"], "File1 Download\r\nFile2 Download\r\nFAT Start Block Number Write\r\nComplete!");
  const auto progress = download.EventsNamed("progress");
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), (json{{"v", 2}, {"event", "progress"}, {"stage", "Download"}, {"file", 1},
                                   {"done", 700}, {"total", 700}, {"unit", "byte"}}));

  const std::string out = cli.ProgramDir() + "/읽은 blocks.bin";
  const CliResult read = RunWellFormed(cli, {"nand", "read", "5", "5", "--out", out});
  ASSERT_EQ(read.exitCode, 0) << read.err;
  const std::string blocks = vantrell::test::ReadBytes(out);
  ASSERT_EQ(blocks.size(), 5u * 512);
  EXPECT_EQ(blocks.substr(0, 1008), vantrell::test::ReadBytes(first));
  EXPECT_EQ(blocks.substr(1008, 1536 - 1008), std::string(1536 - 1008, '\xFF')) << "erased rest of File1's blocks";
  EXPECT_EQ(blocks.substr(1536, 700), vantrell::test::ReadBytes(second));

  const CliResult info = RunWellFormed(cli, {"nand", "bad-blocks"});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  EXPECT_EQ(Result(info)["badBlocks"], json({3, 40}));
  EXPECT_EQ(Result(info)["flash"]["fatStartBlock"], 12);
  EXPECT_EQ(Result(info)["flash"]["blockCount"], 64);

  // A bad block inside the range is listed and the rest erased.
  const CliResult erase = RunWellFormed(cli, {"nand", "erase", "2", "6", "--yes"});
  ASSERT_EQ(erase.exitCode, 0) << erase.err;
  EXPECT_EQ(erase.EventsNamed("box").at(1)["text"], "Block Number <3> is Bad Block!\r\n");
  ASSERT_EQ(RunWellFormed(cli, {"nand", "read", "5", "1", "--out", out}).exitCode, 0);
  EXPECT_EQ(vantrell::test::ReadBytes(out), std::string(512, '\xFF'));
}

TEST(CliNandTest, BadArgumentsAndUnansweredQuestionsSendNothing) {
  CliInstall cli;
  cli.ConfigureWriter(NandWriter({{"block_size", 512}, {"block_count", 64}}));
  const std::string empty = cli.DataFile("empty.bin", 0);
  const std::string file = cli.DataFile("a.bin", 600);  // two blocks
  const std::string out = cli.ProgramDir() + "/x.bin";
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string says = {};  // the window's box, where the window refuses it
  };
  const std::vector<Case> refusedAtOnce = {
      {{"erase", "6", "5", "--yes"}, 4, "Erase End Block Number is smaller than Erase Start Block Number!"},
      {{"erase", "0", "10000", "--yes"}, 4},
      {{"erase", "0", "5"}, 6},  // its question, with nobody to answer it
      {{"erase-all"}, 6},
      {{"read", "0", "0", "--out", out}, 4, "Read Block Count has to be over 0!"},
      {{"read", "0", "1", "--out", cli.ProgramDir() + "/none/x.bin"}, 4},
      {{"download"}, 4},
      {{"download", empty}, 4},
      {{"download", cli.ProgramDir() + "/none.bin"}, 4},
      {{"download", file, file, file, file}, 4},
  };
  for (const Case& c : refusedAtOnce) {
    std::vector<std::string> args{"nand"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"--image", kImage});
    const CliResult run = cli.Run(args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0] << " " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
  EXPECT_EQ(cli.Run({"nand", "info", "--image", "ORBELLE-C128"}).exitCode, 4) << "not a NAND device";
  const std::string status = cli.StateDir() + "/status.json";
  if (std::filesystem::exists(status)) {
    EXPECT_EQ(json::parse(vantrell::test::ReadBytes(status))["requests"], json::object());
  }

  // Known only once Refresh has told the geometry: refused before anything is erased or read.
  const std::vector<std::pair<std::vector<std::string>, std::string>> refusedAfterRefresh = {
      {{"nand", "download", file + "@5", file + "@6"}, ""},
      {{"nand", "download", file + "@63"}, ""},
      {{"nand", "download", "--fat", "64"}, ""},
      {{"nand", "read", "60", "5", "--out", out}, "Read Block Count is over!"},
      {{"nand", "read", "64", "1", "--out", out}, "Read Start Block Number is over!"},
      {{"nand", "erase", "0", "64", "--yes"}, "Erase End Block Number is Over! ( Maximum 63 )"}};
  for (const auto& [args, says] : refusedAfterRefresh) {
    const CliResult run = RunWellFormed(cli, args);
    EXPECT_EQ(run.exitCode, 4) << run.err;
    EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
    EXPECT_EQ(run.EventsNamed("stage").size(), 1u) << "Refresh only: " << run.out;
  }
  const json sent = json::parse(vantrell::test::ReadBytes(status));
  for (const char* code : {"0xC0", "0xD0", "0xD2", "0xA3"}) EXPECT_FALSE(sent["requests"].contains(code)) << sent;
}

}  // namespace
}  // namespace vantrell::cli::test
