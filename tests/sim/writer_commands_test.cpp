// The simulated writer's own commands, driven exchange by exchange.
#include <gtest/gtest.h>

#include "descriptor/firmware_descriptor.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

using Bytes = std::vector<std::uint8_t>;

class SimWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(sim.Driver().OpenDevice(21), 0); }

  // One request and its reply as raw bytes; empty when nothing came back.
  Bytes Exchange(Bytes request) {
    std::uint32_t sent = 0;
    if (sim.Driver().Write(request.data(), static_cast<std::uint32_t>(request.size()), &sent, 7000) == 0) return {};
    Bytes reply(64);
    std::uint32_t got = 0;
    if (sim.Driver().Read(reply.data(), 64, &got, 7000) == 0) return {};
    reply.resize(got);
    return reply;
  }
  std::uint8_t State(Bytes request) {
    Bytes reply = Exchange(std::move(request));
    return reply.size() > 2 ? reply[2] : 0xEE;
  }
  std::pair<int, int> Identity() {
    Bytes r = Exchange({0xF0, 0});
    return {r[2] | (r[3] << 8), r[4] | (r[5] << 8)};
  }
  // The host's whole update sequence for an image.
  void Update(const Bytes& image) {
    ASSERT_EQ(State({0xF1, 0}), 0);
    const std::uint32_t sectors = static_cast<std::uint32_t>((image.size() + 131071) / 131072);
    ASSERT_EQ(State({0xF3, 4, std::uint8_t(sectors), std::uint8_t(sectors >> 8), 0, 0}), 0);
    for (std::size_t at = 0; at < image.size(); at += 32) {
      const std::size_t n = std::min<std::size_t>(32, image.size() - at);
      Bytes req{0xF4, std::uint8_t(n)};
      req.insert(req.end(), image.begin() + at, image.begin() + at + n);
      ASSERT_EQ(State(req), 0) << "at " << at;
    }
    for (std::size_t at = 0; at < image.size(); at += 62) {
      const std::size_t m = std::min<std::size_t>(62, image.size() - at);
      Bytes reply = Exchange({0xF5, 1, std::uint8_t(m)});
      ASSERT_EQ(reply.size(), 64u);
      ASSERT_EQ(reply[1], m);
      ASSERT_TRUE(std::equal(image.begin() + at, image.begin() + at + m, reply.begin() + 2)) << "at " << at;
    }
  }

  test::SimHarness sim;
};

TEST_F(SimWriterTest, ACompleteUpdateChangesTheReportedIdentity) {
  sim.SetFirmware(test::MakeImage(1, 0x0100, 300));
  EXPECT_EQ(Identity(), std::make_pair(1, 0x0100));
  Update(test::MakeImage(6, 0x0203, 1000));
  EXPECT_EQ(Identity(), std::make_pair(6, 0x0203));
}

TEST_F(SimWriterTest, TheNewFirmwareSurvivesARestartWithTheSameStateDirectory) {
  Update(test::MakeImage(0x8000, 0x0107, 131073));
  sim.Restart();
  ASSERT_NE(sim.Driver().OpenDevice(21), 0);
  EXPECT_EQ(Identity(), std::make_pair(0x8000, 0x0107));
}

TEST_F(SimWriterTest, AnUpdateAbandonedAfterEraseLeavesABlankWriter) {
  sim.SetFirmware(test::MakeImage(2, 0x0100, 64));
  ASSERT_EQ(State({0xF1, 0}), 0);
  ASSERT_EQ(State({0xF3, 4, 1, 0, 0, 0}), 0);
  EXPECT_EQ(Identity().first, 0xFFFF);
  sim.Restart();
  ASSERT_NE(sim.Driver().OpenDevice(21), 0);
  EXPECT_EQ(Identity().first, 0xFFFF);
}

TEST_F(SimWriterTest, BoardFlashIdComesFromTheConfiguration) {
  sim.Configure({{"board_flash_id", 0x1234}});
  const Bytes r = Exchange({0xF2, 0});
  EXPECT_EQ(r[2] | (r[3] << 8), 0x1234);
}

TEST_F(SimWriterTest, WritesAndVerifiesOutOfSequenceAreRefused) {
  EXPECT_EQ(State({0xF4, 2, 1, 2}), 0xFF) << "write before erase";
  EXPECT_EQ(State({0xF3, 4, 1, 0, 0, 0}), 0xFF) << "erase before update start";
  ASSERT_EQ(State({0xF1, 0}), 0);
  ASSERT_EQ(State({0xF3, 4, 1, 0, 0, 0}), 0);
  const Bytes early = Exchange({0xF5, 1, 62});
  EXPECT_EQ(early[1], 1) << "verify before anything was written";
  EXPECT_EQ(early[2], 0xFF);
  Bytes piece{0xF4, 5, 1, 2, 3, 4, 5};
  ASSERT_EQ(State(piece), 0);
  EXPECT_EQ(State(piece), 0xFF) << "a write after the short last piece";
}

TEST_F(SimWriterTest, ErasingMoreThanTheBoardFlashIsRefused) {
  ASSERT_EQ(State({0xF1, 0}), 0);
  EXPECT_EQ(State({0xF3, 4, 0xFF, 0xFF, 0, 0}), 0xFF);
}

TEST_F(SimWriterTest, AFrameWhoseLengthByteLiesIsRefused) {
  EXPECT_EQ(State({0xF1, 3}), 0xFF);
  EXPECT_EQ(State({0xF3, 4, 1}), 0xFF);
}

TEST_F(SimWriterTest, UnknownCommandsOfABlankWriterAreRefused) {
  const Bytes r = Exchange({0xA0, 0});
  ASSERT_EQ(r.size(), 64u);
  EXPECT_EQ(r[0], 0xA0);
  EXPECT_EQ(r[2], 0xFF);
}

TEST_F(SimWriterTest, AnImageDeclaringAnotherSizeDoesNotBecomeTheFirmware) {
  orbsim::FirmwareDescriptor d;
  d.imageSize = 5000;  // but only 400 bytes are sent
  Bytes image = test::MakeImage(3, 0x0101, 400);
  Bytes encoded = d.Encode();
  std::copy(encoded.begin(), encoded.end(), image.begin() + 4);
  Update(image);
  EXPECT_EQ(Identity().first, 0xFFFF);
}

TEST_F(SimWriterTest, LinkFaultsHitTheirExchange) {
  sim.Configure({{"faults",
                  {{{"exchange", 1}, {"kind", "wrong_echo"}},
                   {{"exchange", 2}, {"kind", "short_reply"}, {"bytes", 3}},
                   {{"exchange", 3}, {"kind", "send_fails"}},
                   {{"exchange", 4}, {"kind", "stale_input"}}}}});
  EXPECT_EQ(Exchange({0xF0, 0})[0], 0x0F);
  EXPECT_EQ(Exchange({0xF0, 0}).size(), 3u);
  EXPECT_TRUE(Exchange({0xF0, 0}).empty());
  EXPECT_EQ(Exchange({0xF0, 0})[0], 0xEE) << "the stale packet comes first";
}

TEST(SimConfigFile, AMalformedConfigurationGivesTheDefaultWriterAndSaysWhy) {
  test::SimHarness sim;
  test::WriteBytes(sim.StateDir() + "/config.json", std::string("{ not json"));
  sim.Restart();
  EXPECT_FALSE(sim.Status()["config_error"].get<std::string>().empty());
  ASSERT_NE(sim.Driver().OpenDevice(21), 0);
  Bytes request{0xF0, 0};
  std::uint32_t n = 0;
  ASSERT_NE(sim.Driver().Write(request.data(), 2, &n, 7000), 0);
  Bytes reply(64);
  ASSERT_NE(sim.Driver().Read(reply.data(), 64, &n, 7000), 0);
  EXPECT_EQ(reply[2] | (reply[3] << 8), 0xFFFF);
}

TEST(SimConfigFile, AValidConfigurationFileIsApplied) {
  test::SimHarness sim;
  test::WriteBytes(sim.StateDir() + "/config.json", std::string(R"({"open_fails": true})"));
  sim.Restart();
  EXPECT_EQ(sim.Driver().OpenDevice(21), 0);
}

TEST(FirmwareDescriptor, RoundTripsAndRefusesDamage) {
  orbsim::FirmwareDescriptor d;
  d.imageSize = 40000;
  d.family = orbsim::Family::Nand;
  d.nandName = "K9F1G08";
  d.nandBlockCount = 1024;
  d.badBlocks = {3, 700};
  Bytes image(4, 0);
  Bytes encoded = d.Encode();
  image.insert(image.end(), encoded.begin(), encoded.end());
  auto back = orbsim::FirmwareDescriptor::Decode(image);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->nandName, "K9F1G08");
  EXPECT_EQ(back->badBlocks, (std::vector<std::uint32_t>{3, 700}));
  image.resize(image.size() - 1);
  EXPECT_FALSE(orbsim::FirmwareDescriptor::Decode(image)) << "cut short";
  EXPECT_FALSE(orbsim::FirmwareDescriptor::Decode(test::MakeImage(1, 1, 200))) << "no descriptor";
}

}  // namespace
}  // namespace vantrell
