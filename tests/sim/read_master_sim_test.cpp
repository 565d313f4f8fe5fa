// What the writer simulator makes of a read of the MASTER chip that cannot
// be carried out, and how the read tells the operator.
#include <gtest/gtest.h>

#include "core/master/read_master_session.h"
#include "program_sim_rig.h"
#include "support/recording_read_master_view.h"

namespace vantrell {
namespace {

class ReadMasterSimTest : public ::testing::Test {
 protected:
  std::shared_ptr<const MasterBytes> Read(std::uint32_t address, std::uint32_t length) {
    auto data = reads.StartRead({rig.device, address, length}, view);
    reads.WaitForWorker();
    return data;
  }

  test::ProgramSimRig rig{test::SmallSimDevice()};  // 16 KB
  ReadMasterSession reads{rig.link, rig.prompt, rig.busy};
  std::shared_ptr<test::RecordingReadMasterView> view = std::make_shared<test::RecordingReadMasterView>();
};

TEST_F(ReadMasterSimTest, ARangePastTheFlashIsRefusedByTheWriterAndTold) {
  const std::uint32_t flash = rig.device.flashSizeKb * 1024;
  Read(flash - 10, 11);
  EXPECT_EQ(rig.Boxes(), std::vector<std::string>{"Read Master Chip → ERROR!"});
  EXPECT_EQ(rig.sim.RequestCount(0xAA), 0u);
  EXPECT_NE(rig.Log().find(test::Cp949("\t +  COMM Error!\r\n\t ▶ COMM End\r\n")), std::string::npos);
  EXPECT_FALSE(view->Saw("finished"));
  EXPECT_EQ(*Read(flash - 1, 1), MasterBytes{0xFF}) << "the last byte is still in range";
}

TEST_F(ReadMasterSimTest, AnEmptyMasterSocketFailsTheIdCheck) {
  rig.sim.Configure(nlohmann::json::parse(R"({"chip": {"sockets": [{"socket": 0, "empty": true}]}})"));
  Read(0, 10);
  EXPECT_EQ(rig.Boxes(), std::vector<std::string>{"Read ID → ERROR!"});
  EXPECT_EQ(rig.sim.RequestCount(0xA1), 0u);
}

}  // namespace
}  // namespace vantrell
