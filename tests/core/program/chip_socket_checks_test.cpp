// Per-socket verdicts: which pack lines change, who is dropped, and the end
// of a run that has no chip left.
#include "core/program/chip/socket_checks.h"

#include <gtest/gtest.h>

#include "core/link/writer_link.h"
#include "core/operation/operation_channel.h"
#include "core/operation/run_prompt.h"
#include "core/program/chip/chip_commands.h"
#include "core/program/chip/socket_board.h"
#include "support/download_rig.h"
#include "support/log_capture.h"
#include "support/recording_download_view.h"
#include "support/scripted_prompt.h"

namespace vantrell {
namespace {

using Values = std::array<std::uint8_t, kMaxSockets>;

class SocketChecksTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(link.OpenLink()); }

  test::SimChipWriter writer{test::SmallDevice(8)};
  test::LogCapture capture;
  WriterLink link{writer, capture.log};
  RunControl control;
  OperationChannel channel{link, control};
  ChipCommands commands{channel, 3};
  test::ScriptedPrompt prompt;
  RunPrompt runPrompt{prompt, control};
  std::shared_ptr<test::RecordingDownloadView> view = std::make_shared<test::RecordingDownloadView>();
  std::shared_ptr<DownloadViewSlot> slot = MakeDownloadViewSlot(view);
  SocketBoard board{3, RunView(*slot, control)};
  SocketChecks checks{board, commands, channel, runPrompt};
};

TEST_F(SocketChecksTest, AFailingSocketTurnsRedAndIsDroppedWhileThePassingOnesShowOk) {
  EXPECT_TRUE(checks.CheckChipStatus(0x5A, Values{0x5A, 0x11, 0x5A, 0x99, 0x99, 0x99, 0x99}, "Read ID", true));
  EXPECT_EQ(view->PackLine(0), "Read ID  → OK!");
  EXPECT_EQ(view->PackLine(1), "Read ID  → ERROR!");
  EXPECT_EQ(view->PackColour(1), kPackColourFailed);
  EXPECT_EQ(view->PackColour(0), test::RecordingDownloadView::kIdleColour);
  // Sockets beyond the served count are never examined.
  EXPECT_EQ(view->PackLine(3), "");
  EXPECT_EQ(board.Alive(), (SocketFlags{1, 0, 1, 1, 1, 1, 1}));
  EXPECT_TRUE(prompt.Shown().empty());
}

TEST_F(SocketChecksTest, WithoutShowOkPassingSocketsKeepTheirText) {
  view->SetPackLine(0, "Flash Erasing~");
  EXPECT_TRUE(checks.CheckChipStatus(0, Values{0, 4, 0}, "Flash Erase All", false));
  EXPECT_EQ(view->PackLine(0), "Flash Erasing~");
  EXPECT_EQ(view->PackLine(1), "Flash Erase All  → ERROR!");
}

TEST_F(SocketChecksTest, AFailedSocketKeepsItsFirstErrorAndGetsNoLaterText) {
  checks.CheckChipStatus(0, Values{0, 3, 0}, "Sector Erase", true);
  checks.CheckChipStatus(0, Values{0, 0, 0}, "Blank Check", true);
  checks.CheckChipStatus(0, Values{0, 5, 0}, "Auto Prog", true);
  EXPECT_EQ(view->PackHistory(1), (std::vector<std::string>{"Sector Erase  → ERROR!"}));
  EXPECT_EQ(view->PackLine(0), "Auto Prog  → OK!");
}

TEST_F(SocketChecksTest, NoChipLeftEndsTheChipsWorkAndReportsOnce) {
  board.Drop(0);
  EXPECT_FALSE(checks.CheckChipStatus(0, Values{0, 1, 2}, "Sector Erase", true));
  EXPECT_EQ(writer.Codes(), (std::vector<std::uint8_t>{0xA8}));
  ASSERT_EQ(prompt.Shown().size(), 1u);
  EXPECT_EQ(prompt.Shown()[0], ApplicationBox("All Chips are Error!(Sector Erase Error)\r\nCheck your Vantrell!"));
  EXPECT_EQ(capture.Bytes(), test::Cp949("\t ▶ COMM End\r\nAll Chips are Error!\r\n"));
}

TEST_F(SocketChecksTest, NoServedSocketAtAllCountsAsNoChipLeft) {
  SocketBoard none{0, RunView(*slot, control)};
  SocketChecks noneChecks{none, commands, channel, runPrompt};
  EXPECT_FALSE(noneChecks.CheckChipStatus(0, Values{}, "Read ID", true));
  EXPECT_EQ(prompt.Texts().size(), 1u);
}

TEST_F(SocketChecksTest, ChecksumTextsFollowTheLabel) {
  SocketTexts texts = {"(340BC6D9)", "(00000000)", "(340BC6D9)"};
  EXPECT_TRUE(checks.CheckChipChecksums(texts, Values{0, 0xFF, 0}, "CheckSum", true));
  EXPECT_EQ(view->PackLine(0), "CheckSum(340BC6D9)  → OK!");
  EXPECT_EQ(view->PackLine(1), "CheckSum(00000000)  → ERROR!");
}

TEST_F(SocketChecksTest, AllChecksumsWrongShowsTheLabelAloneInTheBox) {
  SocketTexts texts = {"(1)", "(2)", "(3)"};
  EXPECT_FALSE(checks.CheckChipChecksums(texts, Values{1, 1, 1}, "CheckSum", true));
  EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{"All Chips are Error!(CheckSum Error)\r\nCheck your Vantrell!"}));
}

TEST_F(SocketChecksTest, AnAbandonedRunShowsAndSendsNothing) {
  control.Abandon();
  EXPECT_FALSE(checks.CheckChipStatus(0, Values{1, 1, 1}, "Sector Erase", true));
  EXPECT_TRUE(prompt.Shown().empty());
  EXPECT_TRUE(writer.Requests().empty());
  EXPECT_EQ(view->PackLine(0), "");
  EXPECT_EQ(capture.Bytes(), "");
}

TEST(SocketCountTest, MiniVeloraDevicesServeTwoSockets) {
  EXPECT_EQ(SocketCountFor("MINI-VELORA"), 2u);
  EXPECT_EQ(SocketCountFor("MINI-VELORA32K"), 2u);
  EXPECT_EQ(SocketCountFor("MINI-VELOR"), 7u);
  EXPECT_EQ(SocketCountFor("mini-velora"), 7u);
  EXPECT_EQ(SocketCountFor("VELORA-16"), 7u);
}

}  // namespace
}  // namespace vantrell
