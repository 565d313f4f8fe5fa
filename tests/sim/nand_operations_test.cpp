// Refresh and Read Bad Block against the simulated NAND board, started as
// the NAND window starts them: what they log, show and keep.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "sim/nand_sim_fixture.h"

namespace vantrell {
namespace {

using test::Cp949;
using Calls = std::vector<std::string>;

std::vector<std::uint32_t> Blocks(std::uint32_t n) {
  std::vector<std::uint32_t> blocks;
  for (std::uint32_t b = 0; b < n; ++b) blocks.push_back(100 + 3 * b);
  return blocks;
}

class NandOperationsTest : public test::NandWorkerTest {};

TEST_F(NandOperationsTest, ARefreshLogsExactlyTheGoldenLogAndShowsWhatTheWriterReports) {
  Run(&RefreshWorker);
  const auto golden = std::filesystem::path(__FILE__).parent_path() / "../fixtures/nand_refresh_log.txt";
  EXPECT_EQ(capture.Bytes(), test::ReadBytes(golden.string()));
  EXPECT_EQ(view->Calls(), (Calls{"disable operations", "1060 SIMNAND", "1061 64", "1062 2048 byte", "1063 2", "1064 7",
                                  "1080 00007", "restore all with 1065", "enable 1095"}));
  const NandFlashState flash = session.Flash();
  EXPECT_TRUE(flash.informationRead);
  EXPECT_EQ(flash.blockSize, 2048);
  EXPECT_EQ(flash.totalBlockCount, 64);
  EXPECT_EQ(flash.badBlockCount, 2);
  EXPECT_TRUE(flash.hasBadBlocks);
  EXPECT_EQ(flash.fatStartBlock, 7);
  EXPECT_TRUE(prompt.Shown().empty());
  EXPECT_FALSE(busy.IsBusy());
}

// A control that comes back while the link is still held would refuse the
// operator's next click without a word.
class LinkFreeWhenRestored : public test::RecordingNandView {
 public:
  explicit LinkFreeWhenRestored(const BusyState& busy) : busy_(busy) {}
  void RestoreAll(bool) override { freeAtRestore.push_back(!busy_.IsBusy()); }
  void EnableReadBadBlock() override { freeAtRestore.push_back(!busy_.IsBusy()); }
  std::vector<bool> freeAtRestore;

 private:
  const BusyState& busy_;
};

TEST_F(NandOperationsTest, TheControlsComeBackOnlyOnceTheLinkIsFree) {
  auto watcher = std::make_shared<LinkFreeWhenRestored>(busy);
  view = watcher;
  Run(&RefreshWorker);
  Run(&ReadBadBlockWorker, NandBusy::ReadBadBlockOnly);
  EXPECT_EQ(watcher->freeAtRestore, (std::vector<bool>{true, true}));
}

TEST_F(NandOperationsTest, ReadBadBlockAsksFifteenEntriesAReplyAndListsThemAll) {
  struct Case {
    std::uint32_t count;
    std::uint64_t replies;
  };
  for (const Case c : {Case{15, 1}, Case{16, 2}, Case{14, 1}, Case{31, 3}}) {
    test::NandDeviceSpec board;
    board.blockCount = 200;
    board.badBlocks = Blocks(c.count);
    UseBoard(board);
    Run(&RefreshWorker);
    const std::uint64_t before = sim.RequestCount(0xA2);
    Run(&ReadBadBlockWorker, NandBusy::ReadBadBlockOnly);
    EXPECT_EQ(sim.RequestCount(0xA2) - before, c.replies) << c.count;
    std::string list = "bad block list " + std::to_string(c.count) + ":";
    for (std::uint32_t b : board.badBlocks) list += " " + std::to_string(b);
    const Calls calls = view->Calls();
    EXPECT_EQ(Calls(calls.end() - 3, calls.end()), (Calls{"disable 1065", list, "enable 1065"})) << c.count;
  }
  EXPECT_TRUE(prompt.Shown().empty());
}

TEST_F(NandOperationsTest, AWrongCountByteIsLoggedThenReportedAsACommErrorWithItsBox) {
  struct Case {
    std::uint32_t count;
    std::uint64_t wrongReply;
    std::string line;
  };
  for (const Case& c : {Case{15, 1, "Rx Bad Block Count is not 15"}, Case{16, 2, "Rx Bad Block Count is not 1"}}) {
    test::NandDeviceSpec board;
    board.badBlocks = Blocks(c.count);
    board.blockCount = 200;
    UseBoard(board);
    sim.Configure({{"nand", {{"bad_block_count_byte", {{{"reply", c.wrongReply}, {"count", 56}}}}}}});
    Run(&RefreshWorker);
    MarkLog();
    Run(&ReadBadBlockWorker, NandBusy::ReadBadBlockOnly);
    EXPECT_EQ(prompt.Texts().back(), "Rx Bad Block Count is Wrong!");
    const std::string log = LogFromHere();
    const std::string tail = Cp949(c.line + "\t +  COMM Error!\r\n\r\nSTART(☆). <NDFL Program End> Process\r\n"
                                            "END(☆). <NDFL Program End\r\n\r\n\t ->  Exit Download!\r\n");
    ASSERT_GE(log.size(), tail.size());
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
    EXPECT_EQ(view->Calls().back(), "enable 1065");
  }
}

TEST_F(NandOperationsTest, WithoutBadBlocksReadBadBlockSaysSoAndStaysOff) {
  test::NandDeviceSpec board;
  board.badBlocks.clear();
  UseBoard(board);
  Run(&RefreshWorker);
  EXPECT_EQ(view->Calls().at(view->Calls().size() - 2), "restore all");
  MarkLog();
  const std::uint64_t requests = sim.Status()["exchanges"];
  Run(&ReadBadBlockWorker, NandBusy::ReadBadBlockOnly);
  EXPECT_EQ(prompt.Shown(), std::vector<PromptMessage>{WindowBox("Error!", "There is no Bad Block!")});
  EXPECT_EQ(LogFromHere(), Cp949("\t +  Error!\r\n\t ->  Exit Download!\r\n"));
  EXPECT_EQ(sim.Status()["exchanges"], requests) << "nothing was sent";
}

TEST_F(NandOperationsTest, ALinkThatDoesNotOpenLeavesOnlyRefreshUsable) {
  sim.Configure({{"open_fails", true}});
  Run(&RefreshWorker);
  EXPECT_EQ(prompt.Shown(), std::vector<PromptMessage>{WindowBox("USB Open Error!", "Orbelle USB Driver can't be Open!")});
  EXPECT_EQ(capture.Bytes(), Cp949("Orbelle USB Driver can't be Open!\r\n\t +  Error!\r\n\t ->  Exit Download!\r\n"));
  EXPECT_EQ(view->Calls(), (Calls{"disable operations", "enable 1095"}));
}

TEST_F(NandOperationsTest, ABadBlockCountBeyondTheFlashIsRefusedAndNotKept) {
  test::NandDeviceSpec board;
  board.blockCount = 4;
  board.badBlocks = {0, 1, 2, 3};
  UseBoard(board);
  Run(&RefreshWorker);
  EXPECT_EQ(session.Flash().badBlockCount, 4) << "as many bad blocks as blocks is believed";

  sim.Configure({{"nand", {{"bad_blocks", {0, 1, 2, 3, 3}}}}});
  MarkLog();
  Run(&RefreshWorker);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Rx Bad Block Count is Wrong!"});
  EXPECT_NE(LogFromHere().find(Cp949("\t +  COMM Error!\r\n\r\nSTART(☆). <NDFL Program End>")), std::string::npos);
  EXPECT_EQ(view->Calls().back(), "enable 1095");
  const NandFlashState flash = session.Flash();
  EXPECT_EQ(flash.badBlockCount, 4);
  EXPECT_TRUE(flash.informationRead) << "from the Refresh before";
}

TEST_F(NandOperationsTest, GeometryTheProgramCannotWorkWithShowsNothing) {
  sim.Configure({{"nand", {{"block_size", 0}}}});
  Run(&RefreshWorker);
  EXPECT_EQ(view->Calls(), (Calls{"disable operations", "enable 1095"}));
  EXPECT_FALSE(session.Flash().informationRead);
}

TEST_F(NandOperationsTest, AnAbandonedRefreshShowsLogsAndKeepsNothingMoreAndGivesTheLinkBack) {
  sim.Configure({{"nand", {{"reply_delay_ms", 300}}}});
  ASSERT_TRUE(session.Start(&RefreshWorker, NandBusy::OperationControls, view));
  while (sim.RequestCount(0xA0) == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  session.Abandon();
  session.WaitForWorker();
  EXPECT_EQ(view->Calls(), Calls{"disable operations"});
  EXPECT_EQ(capture.Bytes().find("Exit Download"), std::string::npos);
  EXPECT_TRUE(prompt.Shown().empty());
  EXPECT_FALSE(session.Flash().informationRead);
  EXPECT_FALSE(busy.IsBusy());
}

}  // namespace
}  // namespace vantrell
