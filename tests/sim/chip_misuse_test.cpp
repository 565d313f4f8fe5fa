// Requests a chip firmware refuses: wrong sizes, wrong order, outside the
// flash. A refused request answers 0xFF in every state and changes nothing.
#include <gtest/gtest.h>

#include "sim/chip_sim_fixture.h"

namespace vantrell::test {
namespace {

class ChipMisuseTest : public ChipSimTest {
 protected:
  void ExpectRefused(const Bytes& request, const char* why) {
    const Bytes r = Exchange(request);
    ASSERT_GE(r.size(), 9u) << why;
    EXPECT_EQ(r[0], request[0]) << why;
    EXPECT_EQ(Bytes(r.begin() + 2, r.begin() + 9), Bytes(7, kRefused)) << why;
  }
};

TEST_F(ChipMisuseTest, PayloadsOfTheWrongSizeAreRefused) {
  ExpectRefused({0xC0, 1, 0}, "erase enable with a payload");
  ASSERT_EQ(State({0xC0, 0}), 0);
  ExpectRefused({0xC1, 3, 0, 0, 0}, "a 3-byte erase address");
  ExpectRefused({0xA9, 4, 0, 0, 0, 0}, "blank check without a length");
  ExpectRefused({0xA5, 9, 0, 0, 0, 0, 1, 0, 0, 0, 0}, "verify range with a spare byte");
  ExpectRefused({0xD4, 0}, "an empty program packet");
  ExpectRefused({0xA6, 0}, "an empty verify packet");
}

TEST_F(ChipMisuseTest, AReadIdWithAPayloadGetsNoReadIdReply) {
  const Bytes r = Exchange({0xA0, 1, 0});
  EXPECT_EQ(r.size(), 64u) << "neither 9 nor 23 bytes";
  EXPECT_EQ(r[2], kRefused);
}

TEST_F(ChipMisuseTest, SectorEraseOnlyInsideItsBracketAndOnASectorOfTheFlash) {
  sim.WriteSocketFlash(0, 0, Bytes(16, 0));
  ExpectRefused(Request(0xC1, {0}), "erase without enable");
  ExpectRefused({0xC6, 0}, "disable without enable");
  ASSERT_EQ(State({0xC0, 0}), 0);
  ExpectRefused({0xC0, 0}, "enable twice");
  ExpectRefused(Request(0xC1, {100}), "not the start of a sector");
  ExpectRefused(Request(0xC1, {kFlash}), "past the flash");
  ExpectRefused(Request(0xA9, {0, kSector}), "blank check inside the erase bracket");
  EXPECT_EQ(sim.ReadSocketFlash(0, 0, 16), Bytes(16, 0)) << "nothing was erased";
  EXPECT_EQ(State({0xC6, 0}), 0);
}

TEST_F(ChipMisuseTest, ProgramDataNeedsTheEnableAndTheAutoAddress) {
  ExpectRefused(Packet(0xD4, {1, 2}), "data without enable");
  ExpectRefused(Request(0xD3, {0}, {1}), "auto address without enable");
  ExpectRefused({0xD1, 0}, "disable without enable");
  ASSERT_EQ(State({0xD0, 0}), 0);
  ExpectRefused(Packet(0xD4, {1, 2}), "data before the auto address");
  ExpectRefused(Request(0xD3, {kFlash}, {1}), "auto address past the flash");
  ASSERT_EQ(State(Request(0xD3, {0}, {1})), 0);
  ExpectRefused(Request(0xD3, {64}, {1}), "a second auto address in one bracket");
  EXPECT_EQ(sim.ReadSocketFlash(5, 0, 2), (Bytes{0x01, 0xFF})) << "only the accepted first byte";
}

TEST_F(ChipMisuseTest, NoProgramDataAfterTheShortLastPacket) {
  ASSERT_EQ(State({0xD0, 0}), 0);
  ASSERT_EQ(State(Request(0xD3, {0}, {0})), 0);
  ASSERT_EQ(State(Packet(0xD4, Bytes(62, 0))), 0);
  ASSERT_EQ(State(Packet(0xD4, Bytes(10, 0))), 0);
  ExpectRefused(Packet(0xD4, Bytes(62, 0)), "data after the short packet");
  EXPECT_EQ(sim.ReadSocketFlash(0, 73, 1), Bytes{0xFF});
}

TEST_F(ChipMisuseTest, ProgramDataStopsAtTheEndOfTheFlash) {
  ASSERT_EQ(State({0xD0, 0}), 0);
  ASSERT_EQ(State(Request(0xD3, {kFlash - 63}, {0})), 0);
  ASSERT_EQ(State(Packet(0xD4, Bytes(62, 0))), 0) << "exactly to the end";
  ExpectRefused(Packet(0xD4, Bytes(1, 0)), "past the end");
}

TEST_F(ChipMisuseTest, BracketsDoNotOverlap) {
  ASSERT_EQ(State({0xD0, 0}), 0);
  ExpectRefused({0xC0, 0}, "erase inside program");
  ExpectRefused(Request(0xA5, {0, 10}), "verify inside program");
  ExpectRefused({0xA1, 0}, "read inside program");
  ExpectRefused(Request(0xA9, {0, 10}), "blank check inside program");
  ExpectRefused({0xD0, 0}, "program enable twice");
  ASSERT_EQ(State({0xD1, 0}), 0);
  ASSERT_EQ(State({0xA1, 0}), 0);
  ExpectRefused({0xD0, 0}, "program inside read");
  ExpectRefused({0xD1, 0}, "the wrong bracket's disable");
}

TEST_F(ChipMisuseTest, VerifyDataMustFillTheAnnouncedLengthExactly) {
  ExpectRefused(Packet(0xA6, {1}), "data without a verify address");
  ExpectRefused({0xA7, 0}, "end without a verify address");
  ExpectRefused(Request(0xA5, {kFlash - 10, 11}), "a range past the flash");
  ASSERT_EQ(State(Request(0xA5, {0, 100})), 0);
  ExpectRefused(Request(0xA5, {0, 100}), "a second verify address");
  ExpectRefused(Packet(0xA6, Bytes(30, 0)), "a short packet that does not end the range");
  ASSERT_EQ(State(Packet(0xA6, Bytes(62, 0))), 0);
  ExpectRefused(Packet(0xA6, Bytes(39, 0)), "a tail longer than what is left");
  const Bytes early = Exchange({0xA7, 0});
  Checksums refused;
  refused.fill(0xFFFFFFFFu);
  EXPECT_EQ(ChecksumsOf(early), refused) << "end before every byte arrived";
  ASSERT_EQ(State(Packet(0xA6, Bytes(38, 0))), 0);
  EXPECT_EQ(Exchange({0xA7, 0})[1], 28) << "now complete";
}

TEST_F(ChipMisuseTest, ReadPacketsOnlyForARequestedRange) {
  const auto expectRefusedRead = [this](const char* why) {
    const Bytes r = Exchange({0xAA, 0});
    ASSERT_EQ(r.size(), 64u) << why;
    EXPECT_EQ(r[1], 1) << why;
    EXPECT_EQ(r[2], kRefused) << why;
  };
  EXPECT_EQ(Exchange(Request(0xA4, {0, 10})).at(2), kRefused) << "request without enable";
  expectRefusedRead("packet without enable");
  ASSERT_EQ(State({0xA1, 0}), 0);
  expectRefusedRead("packet without a request");
  EXPECT_EQ(Exchange(Request(0xA4, {0, 0})).at(2), kRefused) << "nothing to read";
  EXPECT_EQ(Exchange(Request(0xA4, {kFlash - 10, 11})).at(2), kRefused) << "past the flash";
  ASSERT_EQ(Exchange(Request(0xA4, {0, 10})).at(2), 0);
  EXPECT_EQ(Exchange(Request(0xA4, {0, 10})).at(2), kRefused) << "a second request";
  ASSERT_EQ(Exchange({0xAA, 0}).at(1), 10);
  expectRefusedRead("a packet after the last one");
}

TEST_F(ChipMisuseTest, RefusedRequestsDoNotCountAsUsesOfAFaultyCommand) {
  const nlohmann::json fault = {{"command", "sector_erase"}, {"use", 1}};
  const nlohmann::json socket = {{"socket", 2}, {"fail", nlohmann::json::array({fault})}};
  ConfigureChips({{"sockets", nlohmann::json::array({socket})}});
  ExpectRefused(Request(0xC1, {0}), "erase without enable");
  ASSERT_EQ(State({0xC0, 0}), 0);
  EXPECT_EQ(State(Request(0xC1, {0}), 2), 0x01) << "the first accepted erase fails";
}

}  // namespace
}  // namespace vantrell::test
