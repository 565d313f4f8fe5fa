// The chip commands of an internal-flash firmware: reply layouts and what
// each command does to the chips' flash.
#include <gtest/gtest.h>

#include "families/chip/chip_crc.h"
#include "sim/chip_sim_fixture.h"

namespace vantrell::test {
namespace {

// Bit by bit, apart from the simulator's table.
std::uint32_t ReferenceJamcrc(const Bytes& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ ((crc & 1) ? 0xEDB88320u : 0);
  }
  return crc;
}

TEST(ChipChecksum, IsTheJamcrcVariant) {
  const Bytes check{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(orbsim::Jamcrc(check), 0x340BC6D9u);
  EXPECT_EQ(orbsim::Jamcrc({}), 0xFFFFFFFFu);
  const Bytes pattern = ChipSimTest::Pattern(1000);
  EXPECT_EQ(orbsim::Jamcrc(pattern), ReferenceJamcrc(pattern));
}

using ChipReadIdTest = ChipSimTest;

TEST_F(ChipReadIdTest, TheExtendedFormIs23BytesWithAnIdPairPerSocket) {
  const Bytes r = Exchange({0xA0, 0});
  ASSERT_EQ(r.size(), 23u);
  EXPECT_EQ(r[0], 0xA0);
  EXPECT_EQ(r[1], 21);
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(r[2 + i], 0x65) << "chip ID of socket " << i;
    EXPECT_EQ(r[9 + 2 * i], 0x5C) << "manufacturer ID of socket " << i;
    EXPECT_EQ(r[10 + 2 * i], 0x41) << "device ID of socket " << i;
  }
}

TEST_F(ChipReadIdTest, TheShortFormIs9BytesOfChipIds) {
  ChipDeviceSpec spec = SmallDevice();
  spec.extendedReadId = false;
  Start(spec);
  const Bytes r = Exchange({0xA0, 0});
  ASSERT_EQ(r.size(), 9u);
  EXPECT_EQ(r[1], 7);
  EXPECT_EQ(Bytes(r.begin() + 2, r.end()), Bytes(7, 0x65));
}

TEST_F(ChipSimTest, StatusRepliesAreWholePacketsWithOneStatePerSocket) {
  for (std::uint8_t code : {0xC0, 0xC6, 0xD0, 0xD1, 0xA1, 0xA2, 0xA8}) {
    const Bytes r = Exchange({code, 0});
    ASSERT_EQ(r.size(), 64u) << std::hex << int(code);
    EXPECT_EQ(r[0], code);
    EXPECT_EQ(r[1], 7);
    EXPECT_EQ(Bytes(r.begin() + 2, r.begin() + 9), Bytes(7, 0)) << std::hex << int(code);
  }
}

TEST_F(ChipSimTest, ProgrammingPutsTheFirstByteAtTheAddressAndThePacketsAfterIt) {
  const Bytes data = Pattern(130);  // first byte, two full packets, a 5-byte tail
  const auto states = Program(kSector, data);
  ASSERT_EQ(states.size(), 6u);
  for (const auto& s : states) EXPECT_EQ(s, AllStates(0));
  for (int socket = 0; socket < 7; ++socket) {
    EXPECT_EQ(sim.ReadSocketFlash(socket, kSector, 130), data) << "socket " << socket;
    EXPECT_EQ(sim.ReadSocketFlash(socket, kSector - 1, 1), Bytes{0xFF});
    EXPECT_EQ(sim.ReadSocketFlash(socket, kSector + 130, 1), Bytes{0xFF});
  }
}

TEST_F(ChipSimTest, ProgrammingClearsBitsButNeverSetsThem) {
  Program(100, {0xF0});
  Program(100, {0x3F});
  EXPECT_EQ(sim.ReadSocketFlash(2, 100, 1), Bytes{0x30});
}

TEST_F(ChipSimTest, SectorEraseErasesTheWholeSectorAndNothingElse) {
  const Bytes data = Pattern(kSector + 20);
  Program(kSector - 10, data);
  EraseSector(kSector);
  for (int socket = 0; socket < 7; ++socket) {
    EXPECT_EQ(sim.ReadSocketFlash(socket, kSector, kSector), Bytes(kSector, 0xFF));
    EXPECT_EQ(sim.ReadSocketFlash(socket, kSector - 10, 10), Bytes(data.begin(), data.begin() + 10));
    EXPECT_EQ(sim.ReadSocketFlash(socket, 2 * kSector, 10), Bytes(data.end() - 10, data.end()));
  }
}

TEST_F(ChipSimTest, BlankCheckTellsAnErasedRangeFromAProgrammedOne) {
  EXPECT_EQ(States(Request(0xA9, {0, kFlash})), AllStates(0)) << "a new chip is erased";
  Program(kSector + 5, {0x7F});
  EXPECT_EQ(States(Request(0xA9, {0, kSector})), AllStates(0));
  EXPECT_EQ(States(Request(0xA9, {kSector, kSector})), AllStates(0x02));
  EXPECT_EQ(States(Request(0xA9, {kSector + 6, 100})), AllStates(0)) << "only the range counts";
  EraseSector(kSector);
  EXPECT_EQ(States(Request(0xA9, {kSector, kSector})), AllStates(0));
}

TEST_F(ChipSimTest, VerifyReturnsEachSocketsJamcrcOfTheVerifiedRange) {
  const Bytes check{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  Program(2 * kSector, check);
  Checksums expected;
  expected.fill(0x340BC6D9u);
  EXPECT_EQ(Verify(2 * kSector, check), expected);
}

TEST_F(ChipSimTest, TheChecksumIsOfTheFlashNotOfTheDataSentToCompare) {
  const Bytes data = Pattern(200);
  Checksums erased;
  erased.fill(ReferenceJamcrc(Bytes(200, 0xFF)));
  EXPECT_EQ(Verify(0, data), erased) << "nothing was programmed";
  Program(0, data);
  Checksums programmed;
  programmed.fill(ReferenceJamcrc(data));
  EXPECT_EQ(Verify(0, data), programmed);
}

TEST_F(ChipSimTest, TheVerifyEndReplyCarriesSevenChecksums) {
  Program(0, {0x12});
  ASSERT_EQ(State(Request(0xA5, {0, 1})), 0);
  ASSERT_EQ(State(Packet(0xA6, {0x12})), 0);
  const Bytes r = Exchange({0xA7, 0});
  ASSERT_EQ(r.size(), 64u);
  EXPECT_EQ(r[0], 0xA7);
  EXPECT_EQ(r[1], 28);
  EXPECT_EQ(ChecksumsOf(r)[6], ReferenceJamcrc({0x12}));
}

TEST_F(ChipSimTest, AnEmptyVerifyGivesTheChecksumOfNothing) {
  ASSERT_EQ(States(Request(0xA5, {kSector, 0})), AllStates(0));
  Checksums nothing;
  nothing.fill(0xFFFFFFFFu);
  EXPECT_EQ(ChecksumsOf(Exchange({0xA7, 0})), nothing);
}

TEST_F(ChipSimTest, ReadBackSendsTheMasterChipIn62BytePacketsEndingWithAShortOne) {
  const Bytes data = Pattern(100);
  sim.WriteSocketFlash(0, 300, data);
  sim.WriteSocketFlash(1, 300, Bytes(100, 0x00));
  const auto packets = ReadPackets(300, 100);
  ASSERT_EQ(packets.size(), 2u);
  EXPECT_EQ(packets[0].size(), 64u);
  EXPECT_EQ(packets[0][0], 0xAA);
  EXPECT_EQ(packets[0][1], 62);
  EXPECT_EQ(packets[1][1], 38);
  Bytes read(packets[0].begin() + 2, packets[0].end());
  read.insert(read.end(), packets[1].begin() + 2, packets[1].begin() + 2 + 38);
  EXPECT_EQ(read, data) << "only the MASTER chip is read";
}

TEST_F(ChipSimTest, AReadOfWholePacketsEndsWithAnEmptyPacket) {
  auto packets = ReadPackets(0, 62);
  ASSERT_EQ(packets.size(), 2u);
  EXPECT_EQ(packets[0][1], 62);
  EXPECT_EQ(packets[1][1], 0);
  packets = ReadPackets(0, 124);
  ASSERT_EQ(packets.size(), 3u);
  EXPECT_EQ(packets[2][1], 0);
  packets = ReadPackets(kFlash - 1, 1);
  ASSERT_EQ(packets.size(), 1u);
  EXPECT_EQ(packets[0][1], 1);
  EXPECT_EQ(packets[0][2], 0xFF);
}

TEST_F(ChipSimTest, ReadingTheWholeFlashReturnsEveryByte) {
  const Bytes image = Pattern(kFlash, 9);
  sim.WriteSocketFlash(0, 0, image);
  Bytes read;
  for (const Bytes& p : ReadPackets(0, kFlash)) read.insert(read.end(), p.begin() + 2, p.begin() + 2 + p[1]);
  EXPECT_EQ(read, image);
}

TEST_F(ChipSimTest, CommEndClosesWhateverIsOpen) {
  ASSERT_EQ(State({0xD0, 0}), 0);
  EXPECT_EQ(sim.ChipStatus()["open"], "program");
  EXPECT_EQ(States({0xA8, 0}), AllStates(0));
  EXPECT_EQ(sim.ChipStatus()["open"], "none");
  EXPECT_EQ(State(Packet(0xD4, {1})), kRefused) << "the program bracket is gone";
  EXPECT_EQ(States({0xC0, 0}), AllStates(0));
}

TEST_F(ChipSimTest, ReadIdStartsARunAfterOneThatWasAbandoned) {
  ASSERT_EQ(State({0xA1, 0}), 0);
  ASSERT_EQ(Exchange(Request(0xA4, {0, 200})).at(2), 0);
  ASSERT_EQ(Exchange({0xA0, 0}).size(), 23u);
  EXPECT_EQ(States({0xC0, 0}), AllStates(0));
}

TEST_F(ChipSimTest, AFlashOfNoWholeNumberOfSectorsEndsInAShortSector) {
  ChipDeviceSpec spec = SmallDevice();
  spec.sectorSizeKb = 64;
  spec.flashSizeKb = 96;
  Start(spec);
  sim.WriteSocketFlash(3, 90000, Bytes(100, 0));
  EraseSector(65536);
  EXPECT_EQ(sim.ReadSocketFlash(3, 90000, 100), Bytes(100, 0xFF));
}

TEST_F(ChipSimTest, AFirmwareWithoutUsableGeometryServesNoChips) {
  ChipDeviceSpec spec = SmallDevice();
  spec.sectorSizeKb = 0;
  Start(spec);
  EXPECT_EQ(Exchange({0xA0, 0}).size(), 64u) << "refused, not a Read ID reply";
  EXPECT_FALSE(sim.ChipStatus()["active"].get<bool>());
}

}  // namespace
}  // namespace vantrell::test
