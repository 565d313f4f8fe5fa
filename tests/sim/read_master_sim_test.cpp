// Reading the MASTER chip back through the Read Master session, against the
// writer simulator: a programmed file read and compared, the simulator's
// refusals, the one busy state, and a read abandoned halfway.
#include <gtest/gtest.h>

#include "core/app/busy_lease.h"
#include "core/app/busy_refusal.h"
#include "core/master/master_comparison.h"
#include "core/master/read_master_session.h"
#include "program_sim_rig.h"
#include "support/recording_read_master_view.h"

namespace vantrell {
namespace {

using test::Cp949;
using test::ProgramSimRig;

class ReadMasterSimTest : public ::testing::Test {
 protected:
  // Starts a read and waits for its worker to end.
  std::shared_ptr<const MasterBytes> Read(std::uint32_t address, std::uint32_t length) {
    auto data = reads.StartRead({rig.device, address, length}, view);
    reads.WaitForWorker();
    return data;
  }
  std::uint32_t FlashBytes() const { return rig.device.flashSizeKb * 1024; }

  ProgramSimRig rig{test::SmallSimDevice()};  // 16 KB of 1 KB sectors
  ReadMasterSession reads{rig.link, rig.prompt, rig.busy};
  std::shared_ptr<test::RecordingReadMasterView> view = std::make_shared<test::RecordingReadMasterView>();
};

TEST_F(ReadMasterSimTest, AProgrammedFileReadsBackTheSameAndAChangedByteIsFound) {
  const auto file = ProgramSimRig::Pattern(3000, 7);
  rig.AddFile(3, file);
  rig.Run({.erase = true, .program = true, .verify = true});
  const std::vector<std::string> runBoxes = rig.Boxes();

  const auto data = Read(3 * 1024, 3000);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(rig.Boxes(), runBoxes) << "a finished read shows no box";
  EXPECT_TRUE(view->Saw("finished"));
  EXPECT_TRUE(CompareMasterData(*data, file).Same());

  auto changed = file;
  changed[1234] ^= 0x01;
  const MasterComparison c = CompareMasterData(*data, changed);
  EXPECT_EQ(c.firstDifference, 1234u);
  EXPECT_EQ(c.differing, 1u);
  EXPECT_EQ(rig.sim.RequestCount(0xAA), 3000u / 62 + 1);
}

TEST_F(ReadMasterSimTest, ARangePastTheFlashIsRefusedByTheWriterAndTold) {
  Read(FlashBytes() - 10, 11);
  EXPECT_EQ(rig.Boxes(), std::vector<std::string>{"Read Master Chip → ERROR!"});
  EXPECT_EQ(rig.sim.RequestCount(0xAA), 0u);
  EXPECT_NE(rig.Log().find(Cp949("\t +  COMM Error!\r\n\t ▶ COMM End\r\n")), std::string::npos);
  EXPECT_FALSE(view->Saw("finished"));
  // The last byte of the flash is still a range the writer takes.
  const auto last = Read(FlashBytes() - 1, 1);
  EXPECT_EQ(*last, MasterBytes{0xFF});
}

TEST_F(ReadMasterSimTest, AnEmptyMasterSocketFailsTheIdCheck) {
  rig.sim.Configure(nlohmann::json::parse(R"({"chip": {"sockets": [{"socket": 0, "empty": true}]}})"));
  Read(0, 10);
  EXPECT_EQ(rig.Boxes(), std::vector<std::string>{"Read ID → ERROR!"});
  EXPECT_EQ(rig.sim.RequestCount(0xA1), 0u);
}

TEST_F(ReadMasterSimTest, AReadWaitsForTheLinkLikeEveryOperation) {
  std::optional<BusyLease> other = BusyLease::TryTake(rig.busy);
  EXPECT_EQ(reads.StartRead({rig.device, 0, 10}, view), nullptr);
  EXPECT_EQ(rig.Boxes(), std::vector<std::string>{kWriterBusyText});
  EXPECT_FALSE(reads.IsRunning());
  EXPECT_EQ(rig.sim.RequestCount(0xA0), 0u);
  other.reset();
  EXPECT_NE(Read(0, 10), nullptr);
  EXPECT_TRUE(view->Saw("finished"));
}

TEST_F(ReadMasterSimTest, AnAbandonedReadStopsSilentlyAndTheNextOneWorks) {
  rig.sim.Configure({{"latency_ms", 2}});
  auto data = reads.StartRead({rig.device, 0, FlashBytes()}, view);  // 265 packets
  ASSERT_NE(data, nullptr);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!view->Saw("pos 25") && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  reads.Abandon();
  reads.WaitForWorker();
  EXPECT_FALSE(view->Saw("finished"));
  EXPECT_FALSE(view->Saw("read run"));
  EXPECT_TRUE(rig.Boxes().empty());
  EXPECT_EQ(rig.Log().find("Exit Download"), std::string::npos) << "an abandoned read ends unlogged";
  EXPECT_FALSE(rig.busy.IsBusy());

  rig.sim.Configure({{"latency_ms", 0}});
  view = std::make_shared<test::RecordingReadMasterView>();
  const auto next = Read(100, 62);
  EXPECT_EQ(*next, MasterBytes(62, 0xFF));
  EXPECT_TRUE(view->Saw("finished"));
  EXPECT_TRUE(rig.Boxes().empty());
}

}  // namespace
}  // namespace vantrell
