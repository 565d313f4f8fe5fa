// The end of every chip run: how each final code is reported, the result
// counters, and what is closed and given back — also for an abandoned run.
#include "core/program/run/end_chip_operation.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/program/chip/chip_context.h"
#include "core/program/run/download_run.h"
#include "core/program/session/run_settings.h"
#include "core/platform/settings_store.h"
#include "core/master/end_read_master_operation.h"
#include "support/download_rig.h"
#include "support/recording_read_master_view.h"

namespace vantrell {
namespace {

using test::Cp949;

class EndChipOperationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.session.SetCounters({10, 8, 2});
    ASSERT_TRUE(rig.link.OpenLink());
  }
  std::unique_ptr<DownloadRun> Run(RunOptions options = RunOptions::ProgramOnly()) {
    return rig.MakeRun(options, {});
  }

  test::DownloadRig rig;
};

TEST_F(EndChipOperationTest, AFinishedRunLogsOnlyTheExitLine) {
  auto run = Run();
  EXPECT_EQ(EndChipOperation(*run, LinkResult::Finished), 0);
  EXPECT_EQ(rig.Log(), "\t ->  Exit Download!\r\n");
  EXPECT_TRUE(rig.Boxes().empty());
}

TEST_F(EndChipOperationTest, EachCodeIsReportedByItsBoxAndLine) {
  struct Case {
    LinkResult code;
    std::vector<std::string> boxes;
    std::string log;
  };
  const std::vector<Case> cases = {
      {LinkResult::WriteUsbError, {"WriteUSB Error!"}, "\t + WriteUSB Error!\r\n\t ->  Exit Download!\r\n"},
      {LinkResult::ReadUsbError, {"ReadUSB Error!"}, "\t + ReadUSB Error!\r\n\t ->  Exit Download!\r\n"},
      {LinkResult::CommError, {}, "\t +  COMM Error!\r\n\t ▶ COMM End\r\n\t ->  Exit Download!\r\n"},
      {LinkResult::Reported, {}, "\t +  Error!\r\n\t ->  Exit Download!\r\n"},
  };
  for (const Case& c : cases) {
    test::DownloadRig own;
    ASSERT_TRUE(own.link.OpenLink());
    auto run = own.MakeRun(RunOptions::ProgramOnly(), {});
    EndChipOperation(*run, c.code);
    EXPECT_EQ(own.Boxes(), c.boxes) << ToCode(c.code);
    EXPECT_EQ(own.Log(), Cp949(c.log)) << ToCode(c.code);
    const bool sentCommEnd = own.writer.Codes() == std::vector<std::uint8_t>{0xA8};
    EXPECT_EQ(sentCommEnd, c.code == LinkResult::CommError) << ToCode(c.code);
  }
}

TEST_F(EndChipOperationTest, TheBoxComesBeforeItsLogLine) {
  class LogReadingPrompt : public Prompt {
   public:
    explicit LogReadingPrompt(test::LogCapture& capture) : capture_(capture) {}
    BoxAnswer Show(const PromptMessage&) override {
      logAtBox = capture_.Bytes();
      return BoxAnswer::Ok;
    }
    std::string logAtBox = "unset";

   private:
    test::LogCapture& capture_;
  };
  LogReadingPrompt prompt(rig.capture);
  std::optional<BusyLease> lease = BusyLease::TryTake(rig.busy);
  DownloadRun run(rig.link, prompt, std::move(*lease), MakeDownloadViewSlot(rig.view), rig.session,
                  RunSetup{rig.device, RunOptions::ProgramOnly(), {}, test::SteppingClock({0})});
  EndChipOperation(run, LinkResult::ReadUsbError);
  EXPECT_EQ(prompt.logAtBox, "");
}

TEST_F(EndChipOperationTest, AProgrammingRunCountsEverySocketStillAliveAsASuccess) {
  auto run = Run();
  run->board.Drop(2);
  run->board.Drop(5);
  EndChipOperation(*run, LinkResult::Finished);
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{17, 13, 4}));
  EXPECT_EQ(rig.view->CountersShown(), (std::vector<ResultCounters>{{17, 13, 4}}));
  EXPECT_EQ(rig.session.LastChipAlive(), (SocketFlags{1, 1, 0, 1, 1, 0, 1}));
}

TEST_F(EndChipOperationTest, ARunCutShortCountsEverySocketAsAFailure) {
  for (LinkResult code : {LinkResult::WriteUsbError, LinkResult::ReadUsbError, LinkResult::CommError,
                          LinkResult::Reported}) {
    test::DownloadRig own;
    own.session.SetCounters({10, 8, 2});
    ASSERT_TRUE(own.link.OpenLink());
    auto run = own.MakeRun(RunOptions::ProgramOnly(), {});
    run->board.Drop(3);
    EndChipOperation(*run, code);
    EXPECT_EQ(own.session.Counters(), (ResultCounters{17, 8, 9})) << ToCode(code);
  }
}

TEST_F(EndChipOperationTest, CountersStopAtTheLargestCountAndNeverReadNegative) {
  constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
  rig.session.SetCounters({kLargest - 1, kLargest - 9, 3});
  auto run = Run();
  run->board.Drop(2);
  EndChipOperation(*run, LinkResult::Finished);
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{kLargest, kLargest - 3, 4}));

  MemorySettingsStore stored;
  stored.WriteInt(kDownWindowSection, "SumTotal", -7);
  stored.WriteInt(kDownWindowSection, "SumSuccess", 5);
  stored.WriteInt(kDownWindowSection, "SumFail", std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ReadCounters(stored), (ResultCounters{0, 5, 0}));
}

TEST_F(EndChipOperationTest, ATwoSocketDeviceCountsTwo) {
  test::DownloadRig mini(test::SmallDevice(8, "MINI-VELORA8"));
  ASSERT_TRUE(mini.link.OpenLink());
  auto run = mini.MakeRun(RunOptions::ProgramOnly(), {});
  run->board.Drop(1);
  run->board.Drop(4);  // beyond the served sockets: not counted
  EndChipOperation(*run, LinkResult::Finished);
  EXPECT_EQ(mini.session.Counters(), (ResultCounters{2, 1, 1}));
}

TEST_F(EndChipOperationTest, ARunThatDoesNotProgramLeavesTheCountersAlone) {
  auto run = Run(RunOptions::VerifyOnly());
  run->board.Drop(0);
  EndChipOperation(*run, LinkResult::Finished);
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{10, 8, 2}));
  EXPECT_TRUE(rig.view->CountersShown().empty());
  EXPECT_EQ(rig.session.LastChipAlive()[0], 0);
}

TEST_F(EndChipOperationTest, EveryEndingClosesTheLinkAndTheFileRestoresTheButtonsAndFreesTheLink) {
  const std::string path = rig.AddFile(0, 10);
  auto run = Run();
  ASSERT_TRUE(run->file.Open(path));
  ASSERT_TRUE(rig.busy.IsBusy());
  EndChipOperation(*run, LinkResult::Finished);
  EXPECT_FALSE(rig.writer.IsOpen());
  EXPECT_FALSE(run->file.IsOpen());
  EXPECT_EQ(rig.view->RestoreCount(), 1);
  EXPECT_FALSE(rig.busy.IsBusy());
  // A start the operator makes as soon as the buttons come back finds the link free.
  EXPECT_EQ(rig.view->BusyAtRestore(), (std::vector<bool>{false}));
}

TEST_F(EndChipOperationTest, AnAbandonedRunEndsSilentlyAndOnlyLetsGoOfWhatIsItsOwn) {
  const std::string path = rig.AddFile(0, 10);
  auto run = Run();
  ASSERT_TRUE(run->file.Open(path));
  run->chip.control->Abandon();
  const int closesBefore = rig.writer.CloseCount();
  EndChipOperation(*run, LinkResult::WriteUsbError);
  EXPECT_EQ(rig.Log(), "");
  EXPECT_TRUE(rig.Boxes().empty());
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{10, 8, 2}));
  EXPECT_EQ(rig.writer.CloseCount(), closesBefore);
  EXPECT_EQ(rig.view->RestoreCount(), 0);
  EXPECT_FALSE(run->file.IsOpen());
  EXPECT_FALSE(rig.busy.IsBusy());
}

// --- Read Master ---

class EndReadMasterOperationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(rig.link.OpenLink()); }

  test::DownloadRig rig;
  std::shared_ptr<test::RecordingReadMasterView> view = std::make_shared<test::RecordingReadMasterView>();
  std::shared_ptr<ReadMasterViewSlot> slot = MakeReadMasterViewSlot(view);
  ChipContext chip{rig.link, rig.prompt, 7, std::move(*BusyLease::TryTake(rig.busy))};
};

TEST_F(EndReadMasterOperationTest, AFinishedReadIsShownThenReadRunComesBack) {
  EXPECT_EQ(EndReadMasterOperation(chip, *slot, LinkResult::Finished), 0);
  EXPECT_EQ(view->Calls(), (std::vector<std::string>{"finished", "read run"}));
  EXPECT_EQ(rig.Log(), "\t ->  Exit Download!\r\n");
  EXPECT_FALSE(rig.writer.IsOpen());
  EXPECT_FALSE(rig.busy.IsBusy());
}

TEST_F(EndReadMasterOperationTest, AFailedReadIsReportedAndOnlyReadRunComesBack) {
  rig.session.SetCounters({3, 2, 1});
  EndReadMasterOperation(chip, *slot, LinkResult::CommError);
  EXPECT_EQ(view->Calls(), (std::vector<std::string>{"read run"}));
  EXPECT_EQ(rig.Log(), Cp949("\t +  COMM Error!\r\n\t ▶ COMM End\r\n\t ->  Exit Download!\r\n"));
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{3, 2, 1}));
  EXPECT_EQ(rig.view->RestoreCount(), 0);
}

TEST_F(EndReadMasterOperationTest, AnAbandonedReadTouchesNothingButTheBusyState) {
  chip.control->Abandon();
  EndReadMasterOperation(chip, *slot, LinkResult::Finished);
  EXPECT_TRUE(view->Calls().empty());
  EXPECT_EQ(rig.Log(), "");
  EXPECT_TRUE(rig.writer.IsOpen());
  EXPECT_FALSE(rig.busy.IsBusy());
}

TEST_F(EndReadMasterOperationTest, ReadProgressGoesToTheAttachedWindowOnly) {
  AttachedReadProgress progress(*slot);
  progress.SetPosition(25);
  slot->Detach();
  progress.SetPosition(50);
  EndReadMasterOperation(chip, *slot, LinkResult::Finished);
  EXPECT_EQ(view->Calls(), (std::vector<std::string>{"pos 25"}));
}

}  // namespace
}  // namespace vantrell
