// Erase, Erase All and Read Block against the simulated NAND board: the
// ranges each refuses, bad blocks met while erasing, what Erase All reads
// back, and a block read whose packets do not add up.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/nand/operations/nand_starts.h"
#include "sim/nand_sim_fixture.h"

namespace vantrell {
namespace {

using test::Cp949;
using Calls = std::vector<std::string>;

bool Has(const Calls& calls, const std::string& call) {
  return std::find(calls.begin(), calls.end(), call) != calls.end();
}

class NandBlocksTest : public test::NandWorkerTest {
 protected:
  void SetUp() override {
    NandWorkerTest::SetUp();
    Run(&RefreshWorker);
  }
  void Erase(const char* first, const char* last) {
    view->Type(NandEdit::EraseFirst, first);
    view->Type(NandEdit::EraseLast, last);
    Run(&EraseWorker);
  }
  void Read(const char* first, const char* count) {
    view->Type(NandEdit::ReadStart, first);
    view->Type(NandEdit::ReadCount, count);
    Run(&ReadBlockWorker);
  }
};

TEST_F(NandBlocksTest, EraseRefusesARangeOutsideTheFlashAndErasesExactlyTheRangeGiven) {
  struct Case {
    const char* first;
    const char* last;
    std::uint64_t erases;
    std::string box;
  };
  const Case cases[] = {
      {"0010", "0009", 0, "Erase End Block Number is smaller than Erase Start Block Number!"},
      {"0000", "0064", 0, "Erase End Block Number is Over!\r\n( Maximum 63 )"},
      {"0063", "0063", 1, "Erase Complete!"},
      {"0060", "0063", 4, "Erase Complete!"},
  };
  for (const Case& c : cases) {
    const std::uint64_t before = sim.RequestCount(0xC0);
    Erase(c.first, c.last);
    EXPECT_EQ(sim.RequestCount(0xC0) - before, c.erases) << c.box;
    EXPECT_EQ(prompt.Texts().back(), c.box);
  }
  const Calls calls = view->Calls();
  EXPECT_EQ(Calls(calls.end() - 4, calls.end()),
            (Calls{"status No.<63> Block Erased", "position 100", "status NAND Flash Block Erase Complete!",
                   "restore all with 1065"}));
  EXPECT_TRUE(Has(calls, "position 25")) << "a quarter of four blocks";
}

TEST_F(NandBlocksTest, BadBlocksInAnEraseRangeAreListedBeforeEraseCompleteWhileTheOthersAreErased) {
  sim.Configure({{"nand", {{"wear_out", {{{"block", 5}, {"erase", 1}}}}}}});
  MarkLog();
  Erase("0002", "0006");
  EXPECT_EQ(prompt.Texts(),
            (std::vector<std::string>{"Block Number <3> is Bad Block!\r\nBlock Number <5> is Bad Block!\r\n",
                                      "Erase Complete!"}));
  EXPECT_EQ(sim.RequestCount(0xC0), 5u);
  EXPECT_NE(LogFromHere().find(Cp949("\t => Block Number <3> is Bad Block!\r\n\r\nSTART(☆). <Erase Block> Process\r\n"
                                     "\t<4> Block Erased\r\nEND(☆). <Erase Block> Process\r\n\r\n")),
            std::string::npos);
  EXPECT_EQ(view->Calls().back(), "restore all with 1065");
}

TEST_F(NandBlocksTest, EraseAllShowsTheBadBlocksThenReadsTheCountAndTheFatStartBlockAgain) {
  sim.Configure({{"nand", {{"wear_out", {{{"block", 9}, {"erase", 1}}}}, {"fat_start_block", 7}}}});
  view = std::make_shared<test::RecordingNandView>();
  Run(&EraseAllWorker);
  EXPECT_EQ(sim.RequestCount(0xC0), 64u);
  EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{"Block Number <3> is Bad Block!\r\nBlock Number <9> is Bad Block!\r\n"
                                                      "Block Number <40> is Bad Block!\r\n",
                                                      "Erase All Complete!"}));
  const Calls calls = view->Calls();
  const Calls tail(calls.end() - 6, calls.end());
  EXPECT_EQ(tail, (Calls{"position 100", "1063 3", "1064 7", "1080 00007", "status NAND Flash Erase All Complete!",
                         "restore all with 1065"}));
  EXPECT_FALSE(Has(calls, "1061 64")) << "the geometry was known from the Refresh";
  EXPECT_EQ(session.Flash().badBlockCount, 3);
}

TEST_F(NandBlocksTest, EraseAllBeforeAnyRefreshReadsTheGeometryFirstAndAFailedReadLeavesOnlyRefresh) {
  NandSession fresh{link, prompt, busy};
  auto run = [&] {
    ASSERT_TRUE(fresh.Start(&EraseAllWorker, NandBusy::OperationControls, view));
    fresh.WaitForWorker();
  };
  view = std::make_shared<test::RecordingNandView>();
  run();
  EXPECT_TRUE(Has(view->Calls(), "1061 64"));
  EXPECT_TRUE(fresh.Flash().informationRead);

  NandSession unread{link, prompt, busy};
  sim.Configure({{"nand", {{"information_count_byte", 8}}}});
  view = std::make_shared<test::RecordingNandView>();
  ASSERT_TRUE(unread.Start(&EraseAllWorker, NandBusy::OperationControls, view));
  unread.WaitForWorker();
  EXPECT_EQ(view->Calls().back(), "enable 1095");
  EXPECT_FALSE(Has(view->Calls(), "restore all with 1065"));
  EXPECT_EQ(sim.RequestCount(0xC0), 0u);
}

TEST_F(NandBlocksTest, ReadBlockRefusesARangeOutsideTheFlashAndReadsWholeBlocksOf34Packets) {
  struct Case {
    const char* first;
    const char* count;
    std::string box;  // empty: read
  };
  const Case cases[] = {
      {"00000", "00000", "Read Block Count has to be over 0!"},
      {"00064", "00001", "Read Start Block Number is over!"},
      {"00063", "00002", "Read Block Count is over!"},
      {"00063", "00001", ""},
  };
  for (const Case& c : cases) {
    const std::uint64_t exchanges = Exchanges();
    Read(c.first, c.count);
    if (!c.box.empty()) {
      EXPECT_EQ(prompt.Texts().back(), c.box);
      EXPECT_EQ(Exchanges(), exchanges) << c.box;
    }
  }
  EXPECT_EQ(prompt.Texts().size(), 3u);
  EXPECT_EQ(sim.RequestCount(0xA4), 34u) << "33 packets of 62 bytes and one of 2";
  const Calls calls = view->Calls();
  EXPECT_EQ(Calls(calls.end() - 4, calls.end()),
            (Calls{"position 100", "status Block Reading Count <0>", "read blocks 2048", "restore all with 1065"}));
  EXPECT_EQ(view->ShownBlocks(), std::vector<std::uint8_t>(2048, 0xFF));
}

TEST_F(NandBlocksTest, AShortBlockIsASizeErrorShownAndLoggedWithTheNotEqualSign) {
  // The writer's flash changed under the program: its blocks are shorter
  // than the last Refresh said.
  sim.Configure({{"nand", {{"block_size", 2000}}}});
  MarkLog();
  Read("00002", "00003");
  const std::string text = "Block Number <2>: Read Block Size Error, Block Size(2048) ≠ Read Size(2000)";
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{text});
  const std::string log = LogFromHere();
  const std::string tail = Cp949(text + "\r\n\t +  COMM Error!\r\n");
  EXPECT_NE(log.find(tail), std::string::npos);
  EXPECT_NE(tail.find("\xA1\xC1"), std::string::npos) << "≠ in CP949";
  EXPECT_FALSE(Has(view->Calls(), "read blocks 6144")) << "no view after a failed read";
  EXPECT_EQ(view->Calls().back(), "restore all with 1065");
}

TEST_F(NandBlocksTest, AReadBlockAbandonedMidwayShowsNothingAndGivesTheLinkBack) {
  sim.Configure({{"nand", {{"reply_delay_ms", 20}}}});
  view->Type(NandEdit::ReadStart, "0");
  view->Type(NandEdit::ReadCount, "4");
  ASSERT_TRUE(session.Start(&ReadBlockWorker, NandBusy::OperationControls, view));
  while (sim.RequestCount(0xA4) < 3) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const std::size_t shown = view->Calls().size();
  session.Abandon();
  session.WaitForWorker();
  EXPECT_LE(sim.RequestCount(0xA4), 4u) << "nothing asked after the abandon";
  EXPECT_LE(view->Calls().size(), shown + 1);
  EXPECT_FALSE(Has(view->Calls(), "read blocks 8192"));
  EXPECT_TRUE(prompt.Texts().empty());
  EXPECT_FALSE(busy.IsBusy());
}

}  // namespace
}  // namespace vantrell
