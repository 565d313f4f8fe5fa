// The built vantrell-cli against the writer simulator, as a line controller
// runs it: exit codes, the JSON Lines events, the shared settings store.
#include <csignal>
#include <filesystem>
#include <thread>

#include <QSettings>
#include <gtest/gtest.h>

#include "cli_install.h"
#include "core/platform/resource_table.h"
#include "event_schema.h"

namespace vantrell::cli::test {
namespace {

using nlohmann::json;

constexpr const char* kImage = "ORBELLE-C128";  // 7 sockets, 32 sectors of 4 KB

json WriterWithImage(json config = json::object()) {
  config["initial_firmware"] = std::string(VANTRELL_BIN_DIR) + "/Device/" + kImage + ".bin";
  return config;
}

void ExpectWellFormed(const CliResult& run) {
  for (const json& event : run.Events()) EXPECT_EQ(SchemaProblem(event), "") << run.err;
}

json Result(const CliResult& run) {
  const auto results = run.EventsNamed("result");
  return results.empty() ? json() : results.back();
}

TEST(CliEndToEndTest, TheProgramNeedsNoWindowingLibrary) {
  // The libraries a program needs are named in its dynamic string table
  // (on Windows in its import table).
  const std::string program = vantrell::test::ReadBytes(VANTRELL_CLI_PROGRAM);
#if defined(_WIN32)
  EXPECT_NE(program.find("Qt6Core.dll"), std::string::npos);
  for (const char* library : {"Qt6Widgets.dll", "Qt6Gui.dll"}) {
#else
  EXPECT_NE(program.find("libQt6Core.so"), std::string::npos);
  for (const char* library : {"libQt6Widgets.so", "libQt6Gui.so"}) {
#endif
    EXPECT_EQ(program.find(library), std::string::npos) << library;
  }
}

TEST(CliEndToEndTest, IdentifyOnABlankWriterThenUpdateFirmwareThenIdentifyAgain) {
  CliInstall cli;
  const CliResult blank = cli.Run({"identify", "--json", "--image", kImage});
  EXPECT_EQ(blank.exitCode, 5) << blank.err;
  ExpectWellFormed(blank);
  EXPECT_EQ(Result(blank)["writer"]["number"], 0xFFFF);
  EXPECT_EQ(Result(blank)["decision"], "replace-unregistered");

  const CliResult update = cli.Run({"update-firmware", "--json", "--yes", "--image", kImage});
  EXPECT_EQ(update.exitCode, 0) << update.err;
  ExpectWellFormed(update);
  EXPECT_EQ(Result(update)["updated"], true);
  const auto progress = update.EventsNamed("progress");
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back()["done"], progress.back()["total"]) << "the last piece is always reported";

  const CliResult after = cli.Run({"identify", "--json", "--image", kImage});
  EXPECT_EQ(after.exitCode, 0) << after.err;
  EXPECT_EQ(Result(after)["writer"]["name"], kImage);
  EXPECT_EQ(Result(after)["decision"], "same");
}

TEST(CliEndToEndTest, ProgramAutoPassesOnSevenSocketsAndGrowsTheSharedCounters) {
  CliInstall cli;
  cli.ConfigureWriter(WriterWithImage());
  {
    const auto settings = cli.Settings();
    settings->setValue("PreviousSetValue/SumTotal", 3);
    settings->setValue("PreviousSetValue/SumSuccess", 2);
    settings->setValue("PreviousSetValue/SumFail", 1);
  }
  // A path with blanks and Korean characters, at sector 2.
  const std::string file = cli.DataFile("데이터 파일/first file.bin", 9000);
  const CliResult run = cli.Run({"program", "--json", "--image", kImage, "--auto", file + "@2"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ExpectWellFormed(run);
  const auto sockets = run.EventsNamed("socket");
  ASSERT_EQ(sockets.size(), 7u);
  for (const json& socket : sockets) EXPECT_EQ(socket["result"], "ok") << socket;
  EXPECT_EQ(sockets[0]["label"], "MASTER");
  EXPECT_EQ(run.EventsNamed("start").at(0)["files"][0]["path"], file);

  const json counters = Result(run)["counters"];
  EXPECT_EQ(counters, (json{{"total", 10}, {"success", 9}, {"fail", 1}}));
  const auto settings = cli.Settings();
  EXPECT_EQ(settings->value("PreviousSetValue/SumTotal").toInt(), counters["total"]);
  EXPECT_EQ(settings->value("PreviousSetValue/SumSuccess").toInt(), counters["success"]);
  EXPECT_EQ(settings->value("PreviousSetValue/SumFail").toInt(), counters["fail"]);
}

TEST(CliEndToEndTest, OneSocketFailingTheEraseIsExitOneAndItsSocketSaysSo) {
  CliInstall cli;
  cli.ConfigureWriter(WriterWithImage(
      {{"chip", {{"sockets", {{{"socket", 4}, {"fail", {{{"command", "sector_erase"}, {"use", 1}}}}}}}}}}));
  const CliResult run =
      cli.Run({"program", "--json", "--image", kImage, "--erase", "--program", cli.DataFile("a.bin", 500)});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  ExpectWellFormed(run);
  const auto sockets = run.EventsNamed("socket");
  ASSERT_EQ(sockets.size(), 7u);
  EXPECT_EQ(sockets[4]["result"], "error");
  EXPECT_EQ(sockets[4]["verdict"], "failed");
  EXPECT_EQ(sockets[4]["stage"], "Sector Erase");
  EXPECT_EQ(sockets[4]["text"], "Sector Erase  → ERROR!");
  EXPECT_EQ(sockets[3]["result"], "ok");
}

TEST(CliEndToEndTest, ARunEndedByTheLinkReportsOnlyWhatItSentAndNoStageItNeverRan) {
  CliInstall cli;
  // The 20th exchange falls in the Program stage, after the first byte and seven packets.
  cli.ConfigureWriter(WriterWithImage({{"faults", {{{"exchange", 20}, {"kind", "no_reply"}}}}, {"no_reply_wait_ms", 20}}));
  const CliResult run = cli.Run(
      {"program", "--json", "--image", kImage, "--erase", "--blank", "--program", cli.DataFile("a.bin", 5000)});
  EXPECT_EQ(run.exitCode, 3) << run.err;
  ExpectWellFormed(run);
  std::vector<std::string> stages;
  for (const json& stage : run.EventsNamed("stage")) stages.push_back(stage["name"]);
  EXPECT_EQ(stages, (std::vector<std::string>{"Sector Erase", "Program"}));
  EXPECT_EQ(Result(run)["bytes"], 1 + 7 * 62);
  for (const json& socket : run.EventsNamed("socket")) {
    EXPECT_EQ(socket["result"], "error");
    EXPECT_EQ(socket["text"], "not finished: the run ended with ReadUsbError") << socket;
    EXPECT_EQ(socket["pack"], "Auto Addr Prog  → OK!") << socket;
  }
}

TEST(CliEndToEndTest, AReplyThatNeverComesIsALinkError) {
  CliInstall cli;
  // Exchange 1 is RUN's identification, 2 Read ID; the erase starts at 3.
  cli.ConfigureWriter(WriterWithImage({{"faults", {{{"exchange", 6}, {"kind", "no_reply"}}}}, {"no_reply_wait_ms", 20}}));
  const CliResult run = cli.Run({"program", "--json", "--image", kImage, "--auto", cli.DataFile("a.bin", 500)});
  EXPECT_EQ(run.exitCode, 3) << run.err;
  EXPECT_EQ(Result(run)["code"], "ReadUsbError");
}

TEST(CliEndToEndTest, BadInputIsRefusedBeforeAnythingIsSent) {
  CliInstall cli;
  cli.ConfigureWriter(WriterWithImage({{"write_status", true}}));
  // The simulator tells what it received once the link closes.
  ASSERT_EQ(cli.Run({"identify", "--image", kImage}).exitCode, 0);
  const std::string status = cli.StateDir() + "/status.json";
  ASSERT_TRUE(std::filesystem::exists(status));
  std::filesystem::remove(status);

  const CliResult missing = cli.Run({"program", "--image", kImage, "--auto", cli.ProgramDir() + "/none.bin"});
  EXPECT_EQ(missing.exitCode, 4);
  EXPECT_NE(missing.err.find("none.bin"), std::string::npos);
  EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;
  const CliResult pastFlash = cli.Run({"program", "--image", kImage, "--auto", cli.DataFile("a.bin", 10) + "@32"});
  EXPECT_EQ(pastFlash.exitCode, 4);
  EXPECT_NE(pastFlash.err.find("0~31"), std::string::npos) << pastFlash.err;
  // It starts on the flash but its third sector would lie beyond it.
  const CliResult overrun = cli.Run({"program", "--image", kImage, "--auto", cli.DataFile("b.bin", 2 * 4096 + 1) + "@30"});
  EXPECT_EQ(overrun.exitCode, 4);
  EXPECT_NE(overrun.err.find("30~32"), std::string::npos) << overrun.err;
  EXPECT_EQ(cli.Run({"program", "--image", kImage, "--auto", "--erase", "x.bin"}).exitCode, 4);
  EXPECT_EQ(cli.Run({"erase-all", "--image", kImage}).exitCode, 6);
  // A program file that carries no device list: told, and not an empty answer.
  const std::string programFile = cli.ProgramDir() + "/" + kProgramFileName;
  std::filesystem::remove(programFile);
  vantrell::test::WriteBytes(programFile, std::string("no resources here"));
  const CliResult noList = cli.Run({"devices"});
  EXPECT_EQ(noList.exitCode, 4);
  EXPECT_NE((noList.out + noList.err).find("Load Device List Fail!"), std::string::npos) << noList.out;

  const json sent = std::filesystem::exists(status) ? json::parse(vantrell::test::ReadBytes(status)) : json::object();
  EXPECT_EQ(sent.value("requests", json::object()), json::object());
}

TEST(CliEndToEndTest, ReadMasterSavesTheChipAndComparesItWithAFile) {
  CliInstall cli;
  cli.ConfigureWriter(WriterWithImage());
  // The simulated MASTER chip starts erased.
  std::vector<std::uint8_t> erased(300, 0xFF);
  const std::string same = cli.ProgramDir() + "/same.bin";
  vantrell::test::WriteBytes(same, erased);
  erased[5] = 0x00;
  const std::string differing = cli.ProgramDir() + "/differing.bin";
  vantrell::test::WriteBytes(differing, erased);
  const std::string out = cli.ProgramDir() + "/read out.bin";

  const CliResult agree = cli.Run({"read-master", "--json", "--image", kImage, "--address", "0x100", "--length",
                                   "300", "--out", out, "--compare", same});
  ASSERT_EQ(agree.exitCode, 0) << agree.err;
  ExpectWellFormed(agree);
  EXPECT_EQ(Result(agree)["compare"]["same"], true);
  ASSERT_EQ(agree.EventsNamed("box").size(), 1u);
  EXPECT_EQ(agree.EventsNamed("box")[0]["caption"], "Success!");
  EXPECT_EQ(agree.EventsNamed("stage").at(0)["name"], "Read Master");
  EXPECT_EQ(vantrell::test::ReadBytes(out), std::string(300, '\xFF'));

  const CliResult differ = cli.Run({"read-master", "--image", kImage, "--address", "100", "--length", "300",
                                    "--out", out, "--compare", differing});
  EXPECT_EQ(differ.exitCode, 2) << differ.err;
  // The verdict box as the window shows it, the difference by its chip address, and what 2 means here.
  for (const char* line : {"[Fail!!!] Data Compare Complete! Each Data are not the same!",
                           "First difference at address 0x00000105: read 0xFF, file 0x00 (1 byte differs)",
                           "exit code 2: the MASTER chip's data differ from the comparison file"}) {
    EXPECT_NE(differ.out.find(line), std::string::npos) << differ.out;
  }

  for (const char* length : {"0", "200000"}) {
    EXPECT_EQ(cli.Run({"read-master", "--image", kImage, "--address", "0", "--length", length, "--out", out}).exitCode,
              4)
        << length;
  }
  EXPECT_EQ(cli.Run({"read-master", "--image", kImage, "--address", "0x1G", "--length", "1", "--out", out}).exitCode,
            4);
}

TEST(CliEndToEndTest, CtrlCAbandonsTheRunLikeClosingTheWindow) {
  CliInstall cli;
  cli.ConfigureWriter(WriterWithImage({{"chip", {{"sockets", {{{"socket", 6}, {"erase_delay_ms", 200}}}}}}}));
  const CliProcess started = cli.Start({"program", "--json", "--image", kImage, "--erase-all", "--program",
                               cli.DataFile("a.bin", 500)});
  for (int i = 0; i < 500 && cli.OutputSoFar().find("\"stage\"") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  CliInstall::PressCtrlC(started);
  const CliResult run = cli.Finish(started);
  EXPECT_EQ(run.exitCode, 130) << run.err;
  EXPECT_EQ(Result(run)["exit"], 130);
  EXPECT_TRUE(run.EventsNamed("socket").empty());
  // The abandoned run logged nothing more: not even its end.
  EXPECT_EQ(cli.LogBytes().find("Exit Download!"), std::string::npos);
}

}  // namespace
}  // namespace vantrell::cli::test
