// Runs started from the download window against the writer simulator, and
// the window closed in the middle of one.
#include <QCheckBox>
#include <QTimer>

#include "core/common/busy_refusal.h"

#include "core/program/chip/chip_types.h"
#include "down_window_fixture.h"
#include "gui/controls/mask_edit.h"
#include "gui/controls/percent_progress_ctrl.h"
#include "gui/common/gui_thread.h"
#include "gui/program/pack_lines.h"
#include "gui/support/window_manager_close.h"

namespace vantrell::gui::test {
namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class DownWindowRunTest : public DownWindowTest {
 protected:
  // Three files listed at sectors 0, 5 and 3.
  void LoadThreeFiles() {
    contents = {Pattern(1500, 3), Pattern(700, 101), Pattern(300, 55)};
    LoadFiles({MakeFile("first.bin", contents[0]), MakeFile("second.bin", contents[1]),
               MakeFile("third.bin", contents[2])});
    EditSector(1, "5");
    EditSector(2, "3");
  }
  void ExpectInFlash(int socket, std::uint32_t sector, const std::vector<std::uint8_t>& bytes) {
    EXPECT_EQ(sim.ReadSocketFlash(socket, sector * 1024, static_cast<std::uint32_t>(bytes.size())), bytes)
        << "socket " << socket << " sector " << sector;
  }
  std::vector<std::vector<std::uint8_t>> contents;
};

TEST_F(DownWindowRunTest, AnAutoRunOfThreeFilesEndsOkOnEveryPackLineAndCountsSevenChips) {
  Open();
  LoadThreeFiles();
  Find<QCheckBox>(kCheckSum)->setChecked(true);
  QTest::mouseClick(Button(kAutoRun), Qt::LeftButton);
  for (int id : {kAutoRun, kRemoveFiles, kRemoveAll, kBlankCheck, kProgram, kVerify, kEraseAll}) {
    EXPECT_FALSE(Button(id)->isEnabled()) << id;
  }
  for (int id : {kLoadFiles, kAutoOptionSet, kReset, kReadMaster}) EXPECT_TRUE(Button(id)->isEnabled()) << id;
  ASSERT_TRUE(WaitForRunEnd());

  for (int socket = 0; socket < 7; ++socket) {
    EXPECT_TRUE(EndsWith(PackLine(socket), "  → OK!")) << PackLine(socket);
    ExpectInFlash(socket, 0, contents[0]);
    ExpectInFlash(socket, 3, contents[2]);
    ExpectInFlash(socket, 5, contents[1]);
  }
  EXPECT_EQ(Text(kSumTotal), "7");
  EXPECT_EQ(Text(kSumSuccess), "7");
  EXPECT_EQ(Text(kSumFail), "0");
  // The list shows the order the files were written in, each at 100 %.
  CCellListCtrl* list = List();
  EXPECT_EQ(list->GetItemText(0, kFileNameColumn), "first.bin");
  EXPECT_EQ(list->GetItemText(1, kFileNameColumn), "third.bin");
  EXPECT_EQ(list->GetItemText(2, kFileNameColumn), "second.bin");
  for (int row = 0; row < 3; ++row) EXPECT_EQ(list->Model().Cell(row, kProgressColumn)->progressPercent, 100);
  EXPECT_EQ(Find<CPercentProgressCtrl>(kTotalProgress)->GetPosition(), 100);
  EXPECT_EQ(Text(kStageText), "Verify: 700/700[byte]");
  ASSERT_EQ(prompt.Texts().size(), 1u);
  EXPECT_EQ(prompt.Texts()[0].rfind("Finish!!\r\n", 0), 0u);
  for (int id : {kAutoRun, kRemoveFiles, kRemoveAll, kBlankCheck, kProgram, kVerify, kEraseAll}) {
    EXPECT_TRUE(Button(id)->isEnabled()) << id;
  }
  // Counters are the main window's: saved when the window closes.
  window->close();
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SumTotal", -1), 7);
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SumSuccess", -1), 7);
}

TEST_F(DownWindowRunTest, AMiniVeloraDeviceServesTwoSocketsAndLeavesTheOthersNotUsed) {
  UseDevice("MINI-VELORA-EXTRA");
  Open();
  EXPECT_EQ(window->SocketCount(), 2u);
  EXPECT_EQ(PackLine(0), "Ready");
  EXPECT_EQ(PackLine(1), "Ready");
  for (int socket = 2; socket < 7; ++socket) EXPECT_EQ(PackLine(socket), "Not Used!") << socket;
  LoadFiles({MakeFile("a.bin", Pattern(300, 9))});
  QTest::mouseClick(Button(kAutoRun), Qt::LeftButton);
  ASSERT_TRUE(WaitForRunEnd());
  EXPECT_EQ(PackLine(0), "Verify Complete  → OK!");
  EXPECT_EQ(PackLine(1), "Verify Complete  → OK!");
  for (int socket = 2; socket < 7; ++socket) EXPECT_EQ(PackLine(socket), "Not Used!") << socket;
  EXPECT_EQ(Text(kSumTotal), "2");
  EXPECT_EQ(Text(kSumSuccess), "2");
}

TEST_F(DownWindowRunTest, UncheckedRowsStayGreyAfterTheCheckedRowsAndAreNotWritten) {
  Open();
  LoadThreeFiles();
  ClickBox(0);  // first.bin at sector 0 stays out
  QTest::mouseClick(Button(kAutoRun), Qt::LeftButton);
  ASSERT_TRUE(WaitForRunEnd());
  CCellListCtrl* list = List();
  EXPECT_EQ(list->GetItemText(0, kFileNameColumn), "third.bin");
  EXPECT_EQ(list->GetItemText(1, kFileNameColumn), "second.bin");
  EXPECT_EQ(list->GetItemText(2, kFileNameColumn), "first.bin");
  EXPECT_EQ(list->GetCheckbox(2, kEnableColumn), kUnchecked);
  for (int c = 0; c < 7; ++c) EXPECT_EQ(list->GetItemColours(2, c)->background, 0xC8C8C8u) << c;
  EXPECT_EQ(list->Model().Cell(2, kProgressColumn)->progressPercent, 0);
  for (int socket = 0; socket < 7; ++socket) {
    EXPECT_EQ(sim.ReadSocketFlash(socket, 0, 1500), std::vector<std::uint8_t>(1500, 0xFF)) << socket;
    ExpectInFlash(socket, 3, contents[2]);
    ExpectInFlash(socket, 5, contents[1]);
  }
}

TEST_F(DownWindowRunTest, BlankCheckProgramAndVerifyEachRunTheirStageAlone) {
  Open();
  QTest::mouseClick(Button(kBlankCheck), Qt::LeftButton);
  ASSERT_TRUE(WaitForRunEnd());
  EXPECT_EQ(session.Options(), RunOptions::BlankCheckOnly());
  EXPECT_EQ(sim.RequestCount(0xA9), 16u) << "every sector of the flash";
  EXPECT_EQ(PackLine(6), "Blank Check Complete  → OK!");
  EXPECT_EQ(prompt.Texts().back(), "Blank Check Complete!");

  LoadFiles({MakeFile("a.bin", Pattern(100, 1))});
  QTest::mouseClick(Button(kProgram), Qt::LeftButton);
  ASSERT_TRUE(WaitForRunEnd());
  EXPECT_EQ(session.Options(), RunOptions::ProgramOnly());
  EXPECT_EQ(sim.RequestCount(0xC1), 0u) << "Program alone erases nothing";
  EXPECT_EQ(PackLine(2), "Program Complete  → OK!");
  EXPECT_EQ(Text(kSumTotal), "7");

  QTest::mouseClick(Button(kVerify), Qt::LeftButton);
  ASSERT_TRUE(WaitForRunEnd());
  EXPECT_EQ(PackLine(2), "Verify Complete  → OK!");
  EXPECT_EQ(Text(kSumTotal), "7") << "Verify alone is not counted";
}

TEST_F(DownWindowRunTest, EraseAllAsksFirstAndNeverCounts) {
  Open();
  prompt.answers = {BoxAnswer::No};
  QTest::mouseClick(Button(kEraseAll), Qt::LeftButton);
  EXPECT_FALSE(session.IsRunning());
  EXPECT_TRUE(Button(kEraseAll)->isEnabled());
  EXPECT_EQ(sim.Status()["exchanges"], 0);

  sim.WriteSocketFlash(4, 9 * 1024, {0x12});
  QTest::mouseClick(Button(kEraseAll), Qt::LeftButton);
  ASSERT_TRUE(WaitForRunEnd());
  EXPECT_EQ(prompt.Texts()[1], "Internal Flash Memory will be erased all. Continue?");
  EXPECT_EQ(PackLine(4), "Flash Erase All Complete  → OK!");
  EXPECT_EQ(sim.ReadSocketFlash(4, 9 * 1024, 1), std::vector<std::uint8_t>{0xFF});
  EXPECT_EQ(Text(kSumTotal), "0");
  EXPECT_FALSE(Button(kAutoRun)->isEnabled()) << "the list is still empty";
}

TEST_F(DownWindowRunTest, TenThousandProgramPacketsWaitForTheWindowOnlyAtChecksAndQuarters) {
  vantrell::test::ChipDeviceSpec large = SmallDevice();
  large.flashSizeKb = 1024;
  UseDevice("VELORA-SIM", large);
  Open();
  LoadFiles({MakeFile("large.bin", Pattern(1 + 10000 * 62, 9))});  // the first byte, then 10 000 packets
  const std::uint64_t before = blockingGuiCalls.load();
  QTest::mouseClick(Button(kProgram), Qt::LeftButton);
  ASSERT_TRUE(WaitForRunEnd());
  // Pack lines at the identity checks, the stage's checks and its end, the
  // quarters, the counters: never one per packet.
  EXPECT_LE(blockingGuiCalls.load() - before, 100u);
  EXPECT_EQ(Text(kStageText), "Write: 620001/620001[byte]");
  EXPECT_EQ(sim.RequestCount(0xD4), 10000u);
}

class DownWindowCloseTest : public DownWindowRunTest {
 protected:
  void SetUp() override {
    DownWindowRunTest::SetUp();
    sim.Configure({{"latency_ms", 1}});
    settings->WriteInt("PreviousSetValue", "SumTotal", 40);
    settings->WriteInt("PreviousSetValue", "SumSuccess", 38);
    settings->WriteInt("PreviousSetValue", "SumFail", 2);
  }
  // Starts a slow Auto run and waits until it is programming.
  void StartAndWaitForProgramming() {
    Open();
    LoadFiles({MakeFile("big.bin", Pattern(8000, 4))});
    QTest::mouseClick(Button(kAutoRun), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Text(kStageText).rfind("Write: ", 0) == 0; }));
    ASSERT_TRUE(session.IsRunning());
  }
};

TEST_F(DownWindowCloseTest, ClosingDuringARunClosesTheLinkAbandonsTheRunAndSavesTheCountersAsHeld) {
  StartAndWaitForProgramming();
  QTest::mouseClick(Button(kReset), Qt::LeftButton);  // Reset during the run: held at 0
  window->close();
  EXPECT_FALSE(sim.Status()["open"].get<bool>()) << "the link is closed at once";
  const std::vector<std::string> texts = {Text(kStageText), PackLine(0), PackLine(6), Text(kSumTotal)};
  const std::size_t boxes = prompt.Shown().size();
  ASSERT_TRUE(WaitUntil([&] { return !session.IsRunning(); }));
  QTest::qWait(20);
  EXPECT_EQ((std::vector<std::string>{Text(kStageText), PackLine(0), PackLine(6), Text(kSumTotal)}), texts)
      << "the abandoned run touched the window";
  EXPECT_EQ(prompt.Shown().size(), boxes) << "nor showed a box";
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SumTotal", -1), 0);
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SumSuccess", -1), 0);
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SumFail", -1), 0);
  EXPECT_EQ(session.Counters(), ResultCounters{}) << "the run is not counted afterwards";
  EXPECT_FALSE(busy.IsBusy());
}

TEST_F(DownWindowCloseTest, TheWindowManagersCloseDuringARunReturnsToTheOwnerAndAbandonsTheRun) {
  StartAndWaitForProgramming();
  EXPECT_EQ(vantrell::test::ExecAndCloseFromWindowManager(*window), QDialog::Rejected);
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(sim.Status()["open"].get<bool>());
  ASSERT_TRUE(WaitUntil([&] { return !session.IsRunning(); }));
  EXPECT_FALSE(busy.IsBusy());
}

TEST_F(DownWindowCloseTest, ReadMasterDuringARunIsRefusedAndClosingItLeavesTheRunGoing) {
  StartAndWaitForProgramming();
  QTimer::singleShot(0, [] {
    QWidget* readMaster = QApplication::activeModalWidget();
    ASSERT_NE(readMaster, nullptr);
    readMaster->findChild<CMaskEdit*>(ControlName(control_id::read_master::kLength))->SetWindowText("000010 [byte]");
    QTest::mouseClick(readMaster->findChild<QPushButton*>(ControlName(control_id::read_master::kReadRun)),
                      Qt::LeftButton);
    readMaster->close();
  });
  QTest::mouseClick(Button(kReadMaster), Qt::LeftButton);
  EXPECT_EQ(prompt.Texts().back(), kWriterBusyText);
  EXPECT_TRUE(sim.Status()["open"].get<bool>()) << "the run keeps its link";
  ASSERT_TRUE(WaitForRunEnd());
  EXPECT_EQ(prompt.Texts().back().rfind("Finish!!", 0), 0u) << prompt.Texts().back();
  EXPECT_EQ(sim.RequestCount(0xA4), 0u);
}

TEST_F(DownWindowCloseTest, AWindowGoneInTheMiddleOfARunIsNeverReachedAgain) {
  StartAndWaitForProgramming();
  window->close();
  window.reset();  // the worker may still be on its way to the window
  ASSERT_TRUE(WaitUntil([&] { return !session.IsRunning(); }));
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SumTotal", -1), 40);
  EXPECT_FALSE(busy.IsBusy());
  // A new showing runs normally on the same session.
  sim.Configure(nlohmann::json::object());
  Open();
  EXPECT_EQ(Text(kSumTotal), "40");
  LoadFiles({MakeFile("small.bin", Pattern(64, 8))});
  QTest::mouseClick(Button(kAutoRun), Qt::LeftButton);
  ASSERT_TRUE(WaitForRunEnd());
  EXPECT_EQ(PackLine(5), "Verify Complete  → OK!");
  EXPECT_EQ(Text(kSumTotal), "47");
}

}  // namespace
}  // namespace vantrell::gui::test
