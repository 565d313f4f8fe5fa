// One writer, several programs: while one drives it, every other program of
// the project is refused before it sends anything or starts its log.
#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "cli_install.h"
#include "core/common/busy_refusal.h"
#include "core/common/busy_state.h"

namespace vantrell::cli::test {
namespace {

using nlohmann::json;

constexpr const char* kImage = "ORBELLE-C128";

json SlowEraseWriter() {
  return {{"initial_firmware", std::string(VANTRELL_BIN_DIR) + "/Device/" + kImage + ".bin"},
          {"write_status", true},
          {"chip", {{"sockets", {{{"socket", 6}, {"erase_delay_ms", 1500}}}}}}};
}

void ExpectRefusedAsBusy(const CliResult& refused) {
  EXPECT_EQ(refused.exitCode, 8) << refused.err;
  EXPECT_NE(refused.err.find(kWriterBusyText), std::string::npos) << refused.err;
}

TEST(CliWriterClaimTest, ASecondCliIsRefusedWhileTheFirstRunsAndItsLogStaysWhole) {
  CliInstall cli;
  cli.ConfigureWriter(SlowEraseWriter());
  const CliProcess first = cli.Start({"program", "--json", "--image", kImage, "--erase-all", "--program",
                                      cli.DataFile("a.bin", 500)});
  for (int i = 0; i < 500 && cli.OutputSoFar().find("\"stage\"") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ExpectRefusedAsBusy(cli.Run({"update-firmware", "--yes", "--image", kImage}));
  // A window's operation is refused the same way, with its box.
  BusyState window;
  EXPECT_FALSE(window.TryAcquire());

  const CliResult run = cli.Finish(first);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string log = cli.LogBytes();
  EXPECT_NE(log.find("Exit Download!"), std::string::npos);
  EXPECT_EQ(log.find('\0'), std::string::npos) << "another start cut the log under the run";
  EXPECT_TRUE(window.TryAcquire()) << "the claim outlived the program that held it";
  window.Release();
}

TEST(CliWriterClaimTest, AWindowsOperationKeepsEveryCliOffTheWire) {
  CliInstall cli;
  cli.ConfigureWriter(SlowEraseWriter());
  BusyState window;  // as the main window holds it from OpenLink to CloseLink
  ASSERT_TRUE(window.TryAcquire());
  ExpectRefusedAsBusy(cli.Run({"identify", "--json", "--image", kImage}));
  ExpectRefusedAsBusy(cli.Run({"devices"}));
  EXPECT_FALSE(std::filesystem::exists(cli.StateDir() + "/status.json")) << "the writer was opened";
  window.Release();
  EXPECT_EQ(cli.Run({"identify", "--image", kImage}).exitCode, 0);
}

}  // namespace
}  // namespace vantrell::cli::test
