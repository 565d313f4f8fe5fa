// The simulated NAND board, driven request by request as the host drives it.
#include <gtest/gtest.h>

#include <vector>

#include "support/sim_harness.h"

namespace vantrell::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kDone = 0x00;
constexpr std::uint8_t kBad = 0xFE;
constexpr std::uint8_t kRefused = 0xFF;

class NandSimTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(Spec()); }

  static NandDeviceSpec Spec() {
    NandDeviceSpec spec;
    spec.blockSize = 200;  // not a whole number of 62-byte packets
    spec.blockCount = 64;
    spec.badBlocks = {3, 40};
    return spec;
  }
  void Start(const NandDeviceSpec& spec) {
    sim.SetFirmware(MakeNandImage(spec));
    ASSERT_NE(sim.Driver().OpenDevice(21), 0);
  }
  void Configure(const nlohmann::json& nand) {
    sim.Configure({{"nand", nand}});
    ASSERT_NE(sim.Driver().OpenDevice(21), 0);
  }

  Bytes Exchange(Bytes request) {
    std::uint32_t sent = 0;
    if (sim.Driver().Write(request.data(), static_cast<std::uint32_t>(request.size()), &sent, 7000) == 0) return {};
    Bytes reply(64);
    std::uint32_t got = 0;
    if (sim.Driver().Read(reply.data(), 64, &got, 7000) == 0) return {};
    reply.resize(got);
    return reply;
  }
  static Bytes WithNumber(std::uint8_t code, std::uint32_t n) {
    return {code, 4, static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n >> 16),
            static_cast<std::uint8_t>(n >> 24)};
  }
  static Bytes WriteData(const Bytes& data) {
    Bytes r{0xD1, static_cast<std::uint8_t>(data.size())};
    r.insert(r.end(), data.begin(), data.end());
    return r;
  }
  std::uint8_t State(const Bytes& request) { return Exchange(request).at(2); }
  // The first n bytes of the reply to request (a writer always sends 64).
  Bytes Head(const Bytes& request, std::size_t n) {
    Bytes reply = Exchange(request);
    reply.resize(std::min(reply.size(), n));
    return reply;
  }
  static std::uint32_t U32(const Bytes& reply, std::size_t at) {
    return reply[at] | reply[at + 1] << 8 | reply[at + 2] << 16 | static_cast<std::uint32_t>(reply[at + 3]) << 24;
  }
  static Bytes Pattern(std::size_t n, std::uint8_t seed) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(seed + 7 * i);
    return b;
  }
  // Writes data into block in packets of at most 62 bytes.
  void WriteBlock(std::uint32_t block, const Bytes& data) {
    ASSERT_EQ(State(WithNumber(0xD0, block)), kDone);
    for (std::size_t at = 0; at < data.size(); at += 62) {
      const std::size_t n = std::min<std::size_t>(62, data.size() - at);
      ASSERT_EQ(State(WriteData(Bytes(data.begin() + at, data.begin() + at + n))), kDone) << at;
    }
  }
  // The data of the selected block's Read Data replies until one comes back empty.
  Bytes ReadBlock(std::uint32_t block, std::vector<int>* counts = nullptr) {
    EXPECT_EQ(State(WithNumber(0xA3, block)), kDone);
    Bytes data;
    for (int guard = 0; guard < 100; ++guard) {
      const Bytes reply = Exchange({0xA4, 0});
      if (counts) counts->push_back(reply.at(1));
      if (reply.at(1) == 0) break;
      data.insert(data.end(), reply.begin() + 2, reply.begin() + 2 + reply[1]);
    }
    return data;
  }

  SimHarness sim;
};

TEST_F(NandSimTest, EveryCommandButStartIsRefusedOutsideTheBracketAndBracketsDoNotNest) {
  for (const Bytes& request : {Bytes{0xAF, 0}, Bytes{0xA0, 0}, Bytes{0xA1, 0}, WithNumber(0xC0, 1)})
    EXPECT_EQ(Head(request, 3), (Bytes{request[0], 1, kRefused})) << int(request[0]);
  EXPECT_EQ(Head({0xAE, 0}, 3), (Bytes{0xAE, 1, kDone}));
  EXPECT_EQ(State({0xAE, 0}), kRefused);
  EXPECT_EQ(State({0xAF, 0}), kDone);
  EXPECT_EQ(State({0xA1, 0}), kRefused);
  EXPECT_EQ(State({0xAE, 1, 0}), kRefused) << "a payload the command does not take";
}

TEST_F(NandSimTest, InformationCarriesGeometryAndTheNameWithItsZero) {
  ASSERT_EQ(State({0xAE, 0}), kDone);
  const Bytes reply = Exchange({0xA0, 0});
  ASSERT_EQ(reply.size(), 64u);
  EXPECT_EQ(reply[0], 0xA0);
  EXPECT_EQ(reply[1], 8 + 7 + 1);
  EXPECT_EQ(U32(reply, 2), 200u);
  EXPECT_EQ(U32(reply, 6), 64u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&reply[10])), "SIMNAND");
  EXPECT_EQ(Head({0xA5, 0}, 6), (Bytes{0xA5, 4, 7, 0, 0, 0}));
}

TEST_F(NandSimTest, BlockCommandsRefuseBlocksPastTheFlashAndReportBadOnes) {
  ASSERT_EQ(State({0xAE, 0}), kDone);
  for (std::uint8_t code : {0xC0, 0xD0, 0xA3}) {
    EXPECT_EQ(Head(WithNumber(code, 64), 3), (Bytes{code, 1, kRefused})) << int(code);
    EXPECT_EQ(Head(WithNumber(code, 40), 3), (Bytes{code, 1, kBad})) << int(code);
    EXPECT_EQ(Head(WithNumber(code, 63), 3), (Bytes{code, 1, kDone})) << int(code);
  }
}

TEST_F(NandSimTest, ABlockReadsBackWhatWasWrittenSixtyTwoBytesAReplyAndErasesToFF) {
  ASSERT_EQ(State({0xAE, 0}), kDone);
  const Bytes data = Pattern(200, 5);
  WriteBlock(9, data);
  std::vector<int> counts;
  EXPECT_EQ(ReadBlock(9, &counts), data);
  EXPECT_EQ(counts, (std::vector<int>{62, 62, 62, 14, 0}));

  // Programming only clears bits.
  WriteBlock(9, Bytes(200, 0xF0));
  const Bytes cleared = ReadBlock(9);
  EXPECT_EQ(cleared[1], data[1] & 0xF0);
  EXPECT_EQ(ReadBlock(10), Bytes(200, 0xFF)) << "never written";
  ASSERT_EQ(State(WithNumber(0xC0, 9)), kDone);
  EXPECT_EQ(ReadBlock(9), Bytes(200, 0xFF));
  EXPECT_EQ(State({0xAF, 0}), kDone);
}

TEST_F(NandSimTest, WriteDataStaysInsideTheSelectedBlockAndTakesTheEmptyPacketOnlyAfterAFullOne) {
  ASSERT_EQ(State({0xAE, 0}), kDone);
  EXPECT_EQ(State(WriteData({1, 2})), kRefused) << "no block selected";
  ASSERT_EQ(State(WithNumber(0xD0, 2)), kDone);
  EXPECT_EQ(State(WriteData({})), kRefused) << "nothing full before it";
  EXPECT_EQ(State(WriteData(Pattern(62, 1))), kDone);
  EXPECT_EQ(State(WriteData({})), kDone);
  EXPECT_EQ(State(WriteData({1})), kRefused) << "the block's data has ended";

  ASSERT_EQ(State(WithNumber(0xD0, 4)), kDone);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(State(WriteData(Pattern(62, 2))), kDone);
  EXPECT_EQ(State(WriteData(Pattern(15, 2))), kRefused) << "past the block's 200 bytes";
  EXPECT_EQ(State(WriteData(Pattern(14, 2))), kDone);
  EXPECT_EQ(State(WriteData({})), kRefused) << "the last packet was short";
}

TEST_F(NandSimTest, TheBadBlockTableComesFifteenEntriesAReplyFromTheStartOfEachBracket) {
  NandDeviceSpec spec = Spec();
  spec.badBlocks.clear();
  for (std::uint32_t b = 0; b < 16; ++b) spec.badBlocks.push_back(2 * b + 1);
  Start(spec);
  for (int bracket = 0; bracket < 2; ++bracket) {
    ASSERT_EQ(State({0xAE, 0}), kDone);
    EXPECT_EQ(Head({0xA1, 0}, 6), (Bytes{0xA1, 4, 16, 0, 0, 0}));
    const Bytes first = Exchange({0xA2, 0});
    EXPECT_EQ(first[1], 60);
    EXPECT_EQ(U32(first, 2), 1u);
    EXPECT_EQ(U32(first, 58), 29u);
    const Bytes second = Exchange({0xA2, 0});
    EXPECT_EQ(second[1], 4);
    EXPECT_EQ(U32(second, 2), 31u);
    EXPECT_EQ(Exchange({0xA2, 0})[1], 0);
    ASSERT_EQ(State({0xAF, 0}), kDone);
  }
}

TEST_F(NandSimTest, TheBoardKeepsOnlyWrittenBlocksAndSurvivesARestart) {
  NandDeviceSpec spec = Spec();
  spec.blockSize = 131072;
  spec.blockCount = 2048;
  Start(spec);
  ASSERT_EQ(State({0xAE, 0}), kDone);
  WriteBlock(1500, Pattern(300, 9));
  ASSERT_EQ(State(WithNumber(0xD2, 1234)), kDone);
  EXPECT_EQ(State(WithNumber(0xD2, 2048)), kRefused) << "past the flash";
  ASSERT_EQ(State({0xAF, 0}), kDone);
  EXPECT_EQ(sim.NandStatus()["stored_blocks"], 1);

  sim.Restart();
  EXPECT_EQ(sim.NandStatus()["fat_start_block"], 1234);
  EXPECT_EQ(sim.ReadNandBlock(1500, 0, 300), Pattern(300, 9));
  EXPECT_EQ(sim.ReadNandBlock(1500, 300, 2), Bytes(2, 0xFF));
}

TEST_F(NandSimTest, KnobsWearABlockOutAndBendTheCountBytes) {
  Configure({{"wear_out", {{{"block", 6}, {"erase", 2}}}},
             {"bad_block_count_byte", {{{"reply", 2}, {"count", 200}}}},
             {"information_count_byte", 8}});
  ASSERT_EQ(State({0xAE, 0}), kDone);
  EXPECT_EQ(Exchange({0xA0, 0})[1], 8);
  EXPECT_EQ(State(WithNumber(0xC0, 6)), kDone);
  EXPECT_EQ(State(WithNumber(0xC0, 6)), kBad) << "its second erase";
  EXPECT_EQ(State(WithNumber(0xD0, 6)), kBad);
  EXPECT_EQ(Exchange({0xA1, 0})[2], 3);
  EXPECT_EQ(Exchange({0xA2, 0})[1], 12);
  EXPECT_EQ(Exchange({0xA2, 0})[1], 200) << "the second reply since configuration";
  ASSERT_EQ(State({0xAF, 0}), kDone);
  sim.Restart();
  EXPECT_EQ(sim.NandStatus()["bad_blocks"], nlohmann::json({3, 40, 6})) << "a worn-out block stays bad";
}

TEST_F(NandSimTest, TheConfigurationReplacesTheDescriptorsBoard) {
  Configure({{"block_size", 512}, {"block_count", 32}, {"bad_blocks", {5}}, {"fat_start_block", 2}, {"name", "X"}});
  ASSERT_EQ(State({0xAE, 0}), kDone);
  const Bytes info = Exchange({0xA0, 0});
  EXPECT_EQ(info[1], 10);
  EXPECT_EQ(U32(info, 2), 512u);
  EXPECT_EQ(U32(info, 6), 32u);
  EXPECT_EQ(info[10], 'X');
  EXPECT_EQ(Exchange({0xA1, 0})[2], 1);
  EXPECT_EQ(Exchange({0xA5, 0})[2], 2);
}

TEST_F(NandSimTest, AMalformedNandSectionIsRefusedWithItsReason) {
  EXPECT_NE(sim.ConfigureError({{"nand", {{"block_sise", 4}}}}).find("unknown key \"block_sise\""), std::string::npos);
  EXPECT_NE(sim.ConfigureError({{"nand", {{"wear_out", {{{"block", 1}, {"erase", 0}}}}}}}).find("counts from 1"),
            std::string::npos);
}

}  // namespace
}  // namespace vantrell::test
