// The simulator's extra controls that tests use to look into the chips.
#include <gtest/gtest.h>

#include "sim/chip_sim_fixture.h"

namespace vantrell::test {
namespace {

class ChipControlsTest : public ChipSimTest {
 protected:
  void ExpectCounts(std::uint64_t blankChecks, std::uint64_t commEnds) {
    EXPECT_EQ(sim.RequestCount(0xA9), blankChecks);
    EXPECT_EQ(sim.RequestCount(0xA8), commEnds);
  }
};

TEST_F(ChipControlsTest, RequestsAreCountedByCodeUntilTheNextConfiguration) {
  Start(ChipDeviceSpec{});  // 32 sectors of 4 KB
  for (std::uint32_t s = 0; s < 32; ++s) ASSERT_EQ(States(Request(0xA9, {s * 4096, 4096})), AllStates(0));
  ASSERT_EQ(States({0xA8, 0}), AllStates(0));
  ExpectCounts(32, 1);
  Exchange({0xA9, 0});  // refused, but received
  ExpectCounts(33, 1);
  sim.Configure(nlohmann::json::object());
  ExpectCounts(0, 0);
}

TEST_F(ChipControlsTest, TheChipStatusDescribesTheDeviceAndTheOpenBracket) {
  const nlohmann::json status = sim.ChipStatus();
  EXPECT_TRUE(status["active"].get<bool>());
  EXPECT_EQ(status["device"]["chip_id"], 0x65);
  EXPECT_EQ(status["device"]["read_id_form"], "extended");
  EXPECT_EQ(status["device"]["sector_bytes"], kSector);
  EXPECT_EQ(status["device"]["flash_bytes"], kFlash);
  EXPECT_EQ(status["sockets"].size(), 7u);
  ASSERT_EQ(State(Request(0xA5, {0, 62})), 0);
  EXPECT_EQ(sim.ChipStatus()["open"], "verify");
}

TEST_F(ChipControlsTest, FlashWritesAreCutAtTheEndOfTheFlash) {
  EXPECT_EQ(sim.WriteSocketFlash(2, kFlash - 4, Bytes(10, 0x00)), 4u);
  EXPECT_EQ(sim.ReadSocketFlash(2, kFlash - 6, 100), (Bytes{0xFF, 0xFF, 0, 0, 0, 0}));
  EXPECT_TRUE(sim.ReadSocketFlash(2, kFlash, 1).empty());
  EXPECT_EQ(sim.WriteSocketFlash(7, 0, Bytes(1, 0)), 0u) << "there is no socket 7";
  EXPECT_TRUE(sim.ReadSocketFlash(-1, 0, 1).empty());
}

TEST_F(ChipControlsTest, StuckBitsHoldAgainstDirectWritesToo) {
  ConfigureChips({{"sockets", nlohmann::json::array({{{"socket", 1}, {"stuck_bits", nlohmann::json::array({{{"offset", 3}, {"bit", 4}}})}}})}});
  sim.WriteSocketFlash(1, 0, Bytes(8, 0x00));
  EXPECT_EQ(sim.ReadSocketFlash(1, 0, 8), (Bytes{0, 0, 0, 0x10, 0, 0, 0, 0}));
}

TEST(ChipControls, DoNothingWithoutAChipFirmware) {
  SimHarness sim;
  sim.SetFirmware(MakeImage(4, 0x0100, 300));  // no descriptor
  EXPECT_FALSE(sim.ChipStatus()["active"].get<bool>());
  EXPECT_TRUE(sim.ReadSocketFlash(0, 0, 16).empty());
  EXPECT_EQ(sim.WriteSocketFlash(0, 0, Bytes(4, 0)), 0u);
}

}  // namespace
}  // namespace vantrell::test
