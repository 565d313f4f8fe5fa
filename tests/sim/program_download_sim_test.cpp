// Download runs end to end against the writer simulator: every socket
// programmed and verified, a wrong chip, a stuck bit, a whole-flash blank
// check, Erase All and the MASTER chip read back.
#include <gtest/gtest.h>

#include "core/operation/progress_bar_view.h"
#include "core/program/chip/chip_commands.h"
#include "core/program/chip/chip_context.h"
#include "program_sim_rig.h"

namespace vantrell {
namespace {

using test::Cp949;
using test::ProgramSimRig;

RunOptions EveryStage() { return {.erase = true, .blank = true, .program = true, .verify = true}; }

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class ProgramSimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.AddFile(0, ProgramSimRig::Pattern(1500, 3));   // sectors 0 and 1
    rig.AddFile(5, ProgramSimRig::Pattern(700, 101));  // sector 5
    rig.view->checkSumChecked = true;
    rig.session.SetCounters({20, 18, 2});
  }

  void ExpectFilesIn(std::size_t socket) {
    for (std::size_t k = 0; k < rig.job.FileCount(); ++k) {
      const std::uint32_t address = static_cast<std::uint32_t>(rig.job.sectors[k]) * rig.SectorBytes();
      const auto& bytes = rig.contents[k];
      EXPECT_EQ(rig.sim.ReadSocketFlash(static_cast<int>(socket), address, static_cast<std::uint32_t>(bytes.size())),
                bytes)
          << "socket " << socket << " file " << k;
    }
  }

  ProgramSimRig rig{test::SmallSimDevice()};
};

TEST_F(ProgramSimTest, AnAutoRunOfTwoFilesProgramsAndVerifiesEverySocket) {
  rig.Run(EveryStage());
  ASSERT_EQ(rig.Boxes().size(), 1u);
  EXPECT_EQ(rig.Boxes()[0].rfind("Finish!!\r\n", 0), 0u) << rig.Boxes()[0];
  for (std::size_t socket = 0; socket < 7; ++socket) {
    EXPECT_EQ(rig.view->PackLine(socket), "Verify Complete  → OK!") << socket;
    ExpectFilesIn(socket);
  }
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{27, 25, 2}));
  EXPECT_EQ(rig.view->Positions().back(), 100);
  // The account names the stages the run went through, nothing it skipped.
  EXPECT_EQ(rig.view->Stages(), (std::vector<std::string>{"Sector Erase 0", "Program 0", "Verify 0", "Sector Erase 1",
                                                          "Program 1", "Verify 1"}));
  const std::optional<OperationEnd> end = rig.view->End();
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->code, LinkResult::Finished);
  EXPECT_EQ(end->bytes, 2200u);
  EXPECT_EQ(end->counters, (ResultCounters{27, 25, 2}));
  for (const SocketVerdict& verdict : rig.view->Verdicts()) EXPECT_EQ(verdict.outcome, SocketOutcome::Passed);
  EXPECT_TRUE(EndsWith(rig.Log(), Cp949("\t ▶ COMM End\r\n\t ->  Exit Download!\r\n")));
  EXPECT_FALSE(rig.sim.Status()["open"].get<bool>());
  EXPECT_EQ(rig.sim.RequestCount(0xA9), 3u);
}

TEST_F(ProgramSimTest, ASocketWithAWrongChipIdIsDroppedAndCountedAsAFailure) {
  rig.sim.Configure({{"chip", {{"sockets", {{{"socket", 3}, {"chip_id", 17}}}}}}});
  rig.Run(EveryStage());
  EXPECT_EQ(rig.view->PackLine(3), "Read ID  → ERROR!");
  EXPECT_EQ(rig.view->PackColour(3), kPackColourFailed);
  ASSERT_EQ(rig.view->Verdicts().size(), 7u);
  EXPECT_EQ(rig.view->Verdicts()[3].outcome, SocketOutcome::DroppedAtReadId);
  EXPECT_EQ(rig.view->Verdicts()[3].stage, "Read ID");
  EXPECT_EQ(rig.view->Verdicts()[4].outcome, SocketOutcome::Passed);
  for (std::size_t socket : {0u, 1u, 2u, 4u, 5u, 6u}) {
    EXPECT_EQ(rig.view->PackLine(socket), "Verify Complete  → OK!") << socket;
    ExpectFilesIn(socket);
  }
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{27, 24, 3}));
}

TEST_F(ProgramSimTest, AStuckBitFailsTheChecksumOfThatSocketOnly) {
  // Byte 2 of the first file is 0x19: bit 1 is 0 there, so a bit stuck at 1
  // changes what the flash holds.
  ASSERT_EQ(rig.contents[0][2] & 0x02, 0);
  rig.sim.Configure({{"chip", {{"sockets", {{{"socket", 5}, {"stuck_bits", {{{"offset", 2}, {"bit", 1}, {"value", 1}}}}}}}}}});
  rig.Run(EveryStage());
  const auto held = rig.sim.ReadSocketFlash(5, 0, 1500);
  ASSERT_NE(held, rig.contents[0]);
  EXPECT_EQ(rig.view->PackLine(5), "CheckSum(" + ChecksumText(ChecksumOf(held)) + ")  → ERROR!");
  EXPECT_EQ(rig.view->PackColour(5), kPackColourFailed);
  ASSERT_EQ(rig.view->Verdicts().size(), 7u);
  const SocketVerdict mismatch = rig.view->Verdicts()[5];
  EXPECT_EQ(mismatch.outcome, SocketOutcome::ChecksumMismatch);
  EXPECT_EQ(mismatch.expected, ChecksumOf(rig.contents[0]));
  EXPECT_EQ(mismatch.actual, ChecksumOf(held));
  for (std::size_t socket : {0u, 1u, 2u, 3u, 4u, 6u}) EXPECT_EQ(rig.view->PackLine(socket), "Verify Complete  → OK!");
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{27, 24, 3}));
}

TEST_F(ProgramSimTest, ALinkCutWhileProgrammingCountsEverySocketAsAFailure) {
  // Read ID, then the Program Enable and AAI Auto Address of the first file,
  // then its data: the 10th request never gets its reply.
  rig.sim.Configure({{"faults", {{{"exchange", 10}, {"kind", "no_reply"}}}}, {"no_reply_wait_ms", 10}});
  rig.Run(RunOptions::ProgramOnly());
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"ReadUSB Error!"}));
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{27, 18, 9}));
  EXPECT_EQ(rig.view->CountersShown().back(), (ResultCounters{27, 18, 9}));
  // Only the bytes that went out count; the sockets still alive did not finish.
  ASSERT_TRUE(rig.view->End().has_value());
  EXPECT_EQ(rig.view->End()->code, LinkResult::ReadUsbError);
  EXPECT_LT(rig.view->End()->bytes, 1500u);
  for (const SocketVerdict& verdict : rig.view->Verdicts()) EXPECT_EQ(verdict.outcome, SocketOutcome::NotFinished);
}

TEST_F(ProgramSimTest, AnEmptyFileIsVerifiedByTheWriterToo) {
  rig.AddFile(7, {});
  rig.Run(EveryStage());
  EXPECT_EQ(rig.Boxes().size(), 1u);
  EXPECT_EQ(rig.Boxes()[0].rfind("Finish!!\r\n", 0), 0u) << rig.Boxes()[0];
  EXPECT_EQ(rig.sim.RequestCount(0xA5), 3u);
  EXPECT_EQ(rig.sim.RequestCount(0xA7), 3u);
  const auto history = rig.view->PackHistory(0);
  EXPECT_NE(std::find(history.begin(), history.end(), "CheckSum(FFFFFFFF)  → OK!"), history.end());
}

TEST_F(ProgramSimTest, EraseAllThenFilesLeavesNothingElseOnTheChips) {
  rig.sim.WriteSocketFlash(2, 9 * 1024, {0x00, 0x01});
  rig.Run({.eraseAll = true, .program = true, .verify = true});
  EXPECT_EQ(rig.sim.ReadSocketFlash(2, 9 * 1024, 2), (std::vector<std::uint8_t>{0xFF, 0xFF}));
  ExpectFilesIn(2);
  EXPECT_EQ(rig.sim.RequestCount(0xC1), 16u);
  EXPECT_EQ(rig.view->PackLine(0), "Verify Complete  → OK!");
}

TEST(ProgramSimBlankCheckTest, ABlankCheckOfA128SectorDeviceChecksEachSectorThenEnds) {
  test::ChipDeviceSpec spec = test::SmallSimDevice();
  spec.flashSizeKb = 128;
  spec.extendedReadId = false;
  ProgramSimRig rig(spec);
  rig.Run(RunOptions::BlankCheckOnly());
  EXPECT_EQ(rig.sim.RequestCount(0xA9), 128u);
  EXPECT_EQ(rig.sim.RequestCount(0xA8), 1u);
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Blank Check Complete!"}));
  EXPECT_EQ(rig.view->PackLine(6), "Blank Check Complete  → OK!");
  EXPECT_TRUE(EndsWith(rig.Log(), Cp949("\t ▶ Flash Blank Check\r\n\t ▶ COMM End\r\n\t ->  Exit Download!\r\n")));
}

TEST(ProgramSimBlankCheckTest, AProgrammedByteFailsTheBlankCheckOfItsSocket) {
  ProgramSimRig rig(test::SmallSimDevice());
  rig.sim.WriteSocketFlash(4, 3 * 1024 + 100, {0x7F});
  rig.Run(RunOptions::BlankCheckOnly());
  EXPECT_EQ(rig.view->PackLine(4), "Blank Check  → ERROR!");
  EXPECT_EQ(rig.view->PackLine(3), "Blank Check Complete  → OK!");
}

TEST(ProgramSimEraseAllTest, EraseAllErasesEverySectorOfEverySocketWithoutCounting) {
  ProgramSimRig rig(test::SmallSimDevice());
  for (int socket = 0; socket < 7; ++socket) rig.sim.WriteSocketFlash(socket, 15 * 1024 + 7, {0x12});
  rig.session.SetCounters({1, 1, 0});
  rig.EraseAll();
  for (int socket = 0; socket < 7; ++socket) {
    EXPECT_EQ(rig.sim.ReadSocketFlash(socket, 15 * 1024 + 7, 1), std::vector<std::uint8_t>{0xFF});
    EXPECT_EQ(rig.view->PackLine(static_cast<std::size_t>(socket)), "Flash Erase All Complete  → OK!");
  }
  EXPECT_EQ(rig.view->Positions(), (std::vector<int>{0, 25, 50, 75, 100}));
  EXPECT_EQ(rig.Boxes().back().rfind("Erase All Complete!\r\n", 0), 0u);
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{1, 1, 0}));
}

TEST(ProgramSimTwoSocketTest, AMiniVeloraDeviceLooksAtTwoSocketsOnly) {
  test::ChipDeviceSpec spec = test::SmallSimDevice();
  ProgramSimRig rig(spec, "MINI-VELORA16");
  rig.sim.Configure({{"chip", {{"sockets", {{{"socket", 4}, {"empty", true}}}}}}});
  rig.AddFile(0, ProgramSimRig::Pattern(100, 7));
  rig.session.SetCounters({});
  rig.Run({.erase = true, .program = true, .verify = true});
  EXPECT_EQ(rig.view->PackLine(1), "Verify Complete  → OK!");
  EXPECT_EQ(rig.view->PackLine(4), "");
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{2, 2, 0}));
}

// Read Data, as the Read Master worker uses it.
class NoBar : public ProgressBarView {
 public:
  void SetRange(int, int) override {}
  void SetPosition(int position) override { positions.push_back(position); }
  void SetShowPercentage(bool) override {}
  std::vector<int> positions;
};

TEST(ProgramSimReadDataTest, TheMasterChipReadsBackWholePacketsAndAnEmptyClosingOne) {
  ProgramSimRig rig(test::SmallSimDevice());
  const auto bytes = ProgramSimRig::Pattern(124, 5);
  rig.sim.WriteSocketFlash(0, 0x200, bytes);
  ChipContext chip(rig.link, rig.prompt, 7, BusyLease{});
  ASSERT_TRUE(chip.channel.Open());
  std::vector<std::uint8_t> buffer(124);
  ChipStatus status{};
  NoBar bar;
  ASSERT_EQ(chip.commands.ReadData(0x200, buffer, status, bar), LinkResult::Success);
  EXPECT_EQ(buffer, bytes);
  EXPECT_EQ(rig.sim.RequestCount(0xAA), 3u);
  EXPECT_EQ(bar.positions, (std::vector<int>{0, 50, 100, 100}));
  EXPECT_EQ(status, ChipStatus{});
}

}  // namespace
}  // namespace vantrell
