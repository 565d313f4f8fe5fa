// Per-socket misbehaviour from the "chip" section of the configuration:
// empty sockets, wrong IDs, failing commands, stuck bits, slow erase.
#include <gtest/gtest.h>

#include "families/chip/chip_crc.h"
#include "sim/chip_sim_fixture.h"
#include "support/temp_dir.h"

namespace vantrell::test {
namespace {

using nlohmann::json;

json Socket(int socket, json knobs) {
  knobs["socket"] = socket;
  return knobs;
}
json Sockets(std::initializer_list<json> sockets) {
  json list = json::array();
  for (const json& s : sockets) list.push_back(s);
  return {{"sockets", list}};
}
json Fail(const char* command, int use, json more = json::object()) {
  more["command"] = command;
  more["use"] = use;
  return more;
}

using ChipFaultTest = ChipSimTest;

TEST_F(ChipFaultTest, AnEmptySocketAnswersAsNoChip) {
  ConfigureChips(Sockets({Socket(3, {{"empty", true}})}));
  const Bytes id = Exchange({0xA0, 0});
  ASSERT_EQ(id.size(), 23u);
  EXPECT_EQ(id[2 + 3], 0xFF);
  EXPECT_EQ(id[9 + 6], 0xFF);
  EXPECT_EQ(id[10 + 6], 0xFF);
  EXPECT_EQ(id[2 + 2], 0x65) << "its neighbours are there";
  auto expected = AllStates(0);
  expected[3] = 0x80;
  EXPECT_EQ(States({0xC0, 0}), expected);
  EXPECT_EQ(States(Request(0xC1, {0})), expected);
  EXPECT_EQ(States({0xC6, 0}), expected);
  EXPECT_EQ(States(Request(0xA9, {0, kSector})), expected);
  EXPECT_EQ(States({0xA8, 0}), expected);
  EXPECT_EQ(States(Request(0xA5, {0, 0})), expected);
  const Checksums sums = ChecksumsOf(Exchange({0xA7, 0}));
  EXPECT_EQ(sums[3], 0u);
  EXPECT_EQ(sums[2], 0xFFFFFFFFu);
  EXPECT_TRUE(sim.ReadSocketFlash(3, 0, 10).empty());
  EXPECT_FALSE(sim.ChipStatus()["sockets"][3]["present"].get<bool>());
}

TEST_F(ChipFaultTest, AnEmptyMasterSocketCannotBeRead) {
  ConfigureChips(Sockets({Socket(0, {{"empty", true}})}));
  ASSERT_EQ(State({0xA1, 0}, 1), 0);
  EXPECT_EQ(Exchange(Request(0xA4, {0, 10})).at(2), 0x80);
  EXPECT_EQ(Exchange({0xAA, 0}).at(2), kRefused) << "no read was started";
}

TEST_F(ChipFaultTest, WrongIdsShowOnlyOnTheirSocket) {
  ConfigureChips(Sockets({Socket(2, {{"chip_id", 0x11}}), Socket(4, {{"maker_id", 0x22}}),
                          Socket(5, {{"device_id", 0x33}})}));
  const Bytes id = Exchange({0xA0, 0});
  ASSERT_EQ(id.size(), 23u);
  EXPECT_EQ(Bytes(id.begin() + 2, id.begin() + 9), (Bytes{0x65, 0x65, 0x11, 0x65, 0x65, 0x65, 0x65}));
  EXPECT_EQ(id[9 + 2 * 4], 0x22);
  EXPECT_EQ(id[10 + 2 * 4], 0x41);
  EXPECT_EQ(id[9 + 2 * 5], 0x5C);
  EXPECT_EQ(id[10 + 2 * 5], 0x33);
}

TEST_F(ChipFaultTest, ACommandFailsAtItsNthUseOnItsSocketOnly) {
  ConfigureChips(Sockets({Socket(1, {{"fail", json::array({Fail("sector_erase", 2, {{"times", 2}, {"status", 3}})})}})}));
  for (int socket = 0; socket < 7; ++socket) sim.WriteSocketFlash(socket, 0, Bytes(3 * kSector, 0));
  auto failing = AllStates(0);
  failing[1] = 3;
  ASSERT_EQ(State({0xC0, 0}), 0);
  EXPECT_EQ(States(Request(0xC1, {0})), AllStates(0)) << "first use";
  EXPECT_EQ(States(Request(0xC1, {kSector})), failing) << "second use";
  EXPECT_EQ(States(Request(0xC1, {2 * kSector})), failing) << "third use";
  EXPECT_EQ(States(Request(0xC1, {0})), AllStates(0)) << "fourth use";
  EXPECT_EQ(sim.ReadSocketFlash(1, kSector, 1), Bytes{0x00}) << "the failing chip did not erase";
  EXPECT_EQ(sim.ReadSocketFlash(2, kSector, 1), Bytes{0xFF});
}

TEST_F(ChipFaultTest, AFailingProgramPacketLeavesThatChipsBytesAlone) {
  ConfigureChips(Sockets({Socket(6, {{"fail", json::array({Fail("auto_program", 1)})}})}));
  const auto states = Program(0, Pattern(63));
  EXPECT_EQ(states[2][6], 0x01);
  EXPECT_EQ(states[2][5], 0x00);
  EXPECT_EQ(sim.ReadSocketFlash(6, 0, 2), (Bytes{Pattern(1)[0], 0xFF}));
}

TEST_F(ChipFaultTest, AFailingVerifyEndInvertsThatSocketsChecksum) {
  ConfigureChips(Sockets({Socket(2, {{"fail", json::array({Fail("verify_end", 1)})}})}));
  const Bytes data = Pattern(70);
  Program(0, data);
  const Checksums sums = Verify(0, data);
  EXPECT_EQ(sums[1], orbsim::Jamcrc(data));
  EXPECT_EQ(sums[2], ~orbsim::Jamcrc(data));
}

TEST_F(ChipFaultTest, AFailingReadRequestGivesTheMasterState) {
  ConfigureChips(Sockets({Socket(0, {{"fail", json::array({Fail("read_request", 1, {{"status", 7}})})}})}));
  ASSERT_EQ(State({0xA1, 0}), 0);
  EXPECT_EQ(Exchange(Request(0xA4, {0, 10})).at(2), 7);
  EXPECT_EQ(Exchange(Request(0xA4, {0, 10})).at(2), 0) << "the second use succeeds";
}

TEST_F(ChipFaultTest, AStuckHighBitChangesOnlyThatSocketsChecksum) {
  ConfigureChips(Sockets({Socket(4, {{"stuck_bits", json::array({json{{"offset", kSector + 10}, {"bit", 0}}})}})}));
  Bytes data = Pattern(200);
  data[10] = 0x40;  // bit 0 clear where the cell sticks at 1
  EraseSector(kSector);
  EXPECT_EQ(States(Request(0xA9, {kSector, kSector})), AllStates(0)) << "an erased cell reads 1 anyway";
  Program(kSector, data);
  const Checksums sums = Verify(kSector, data);
  for (int socket = 0; socket < 7; ++socket) {
    if (socket == 4) {
      EXPECT_NE(sums[socket], orbsim::Jamcrc(data));
    } else {
      EXPECT_EQ(sums[socket], orbsim::Jamcrc(data)) << "socket " << socket;
    }
  }
  EXPECT_EQ(sim.ReadSocketFlash(4, kSector + 10, 1), Bytes{0x41});
}

TEST_F(ChipFaultTest, AStuckLowBitFailsTheBlankCheckOfItsSocket) {
  ConfigureChips(Sockets({Socket(5, {{"stuck_bits", json::array({json{{"offset", 7}, {"bit", 7}, {"value", 0}}})}})}));
  EraseSector(0);
  auto expected = AllStates(0);
  expected[5] = 0x02;
  EXPECT_EQ(States(Request(0xA9, {0, kSector})), expected);
}

TEST_F(ChipFaultTest, ASlowEraseDelaysOnlyTheEraseReply) {
  ConfigureChips(Sockets({Socket(6, {{"erase_delay_ms", 1500}})}));
  ASSERT_EQ(State({0xC0, 0}), 0) << "enable answers at once";
  EXPECT_TRUE(Exchange(Request(0xC1, {0}), 20).empty()) << "the erase is still running";
  Bytes late(64);
  std::uint32_t got = 0;
  ASSERT_NE(sim.Driver().Read(late.data(), 64, &got, 7000), 0);
  EXPECT_EQ(late[0], 0xC1);
  EXPECT_EQ(late[2], 0);
}

TEST_F(ChipFaultTest, ConfiguringPutsFreshErasedChipsInTheSockets) {
  Program(0, Pattern(10));
  ConfigureChips(json::object());
  EXPECT_EQ(sim.ReadSocketFlash(0, 0, 10), Bytes(10, 0xFF));
}

TEST(ChipConfiguration, MistakesAreRefusedWithAReason) {
  SimHarness sim;
  const auto refused = [&sim](const json& chip) { return sim.ConfigureError({{"chip", chip}}); };
  EXPECT_NE(refused({{"socket", 1}}), "") << "sockets must be listed under \"sockets\"";
  EXPECT_NE(refused(Sockets({json{{"socket", 7}}})), "") << "no socket 7";
  EXPECT_NE(refused(Sockets({json{{"empty", true}}})), "") << "which socket?";
  EXPECT_NE(refused(Sockets({Socket(1, {}), Socket(1, {})})), "") << "twice";
  EXPECT_NE(refused(Sockets({Socket(1, {{"chip_ID", 5}})})), "") << "a misspelt knob";
  EXPECT_NE(refused(Sockets({Socket(1, {{"chip_id", 256}})})), "");
  EXPECT_NE(refused(Sockets({Socket(1, {{"chip_id", -1}})})), "");
  EXPECT_NE(refused(Sockets({Socket(1, {{"empty", true}, {"chip_id", 5}})})), "") << "an empty socket has no chip";
  EXPECT_NE(refused(Sockets({Socket(1, {{"fail", json::array({Fail("sector_wipe", 1)})}})})), "");
  EXPECT_NE(refused(Sockets({Socket(1, {{"fail", json::array({Fail("read_id", 1)})}})})), "") << "use chip_id instead";
  EXPECT_NE(refused(Sockets({Socket(1, {{"fail", json::array({Fail("read_next", 1)})}})})), "");
  EXPECT_NE(refused(Sockets({Socket(1, {{"fail", json::array({Fail("comm_end", 0)})}})})), "") << "uses count from 1";
  EXPECT_NE(refused(Sockets({Socket(1, {{"fail", json::array({Fail("comm_end", 1, {{"status", 0}})})}})})), "");
  EXPECT_NE(refused(Sockets({Socket(1, {{"fail", json::array({Fail("read_request", 1)})}})})), "") << "only the MASTER reads";
  EXPECT_NE(refused(Sockets({Socket(1, {{"stuck_bits", json::array({json{{"offset", 1}, {"bit", 8}}})}})})), "");
  EXPECT_NE(refused(Sockets({Socket(1, {{"stuck_bits", json::array({json{{"offset", 1}, {"bit", 1}, {"value", 2}}})}})})), "");
  const std::string why = refused(Sockets({Socket(1, {{"fail", "sector_erase"}})}));
  EXPECT_NE(why.find("fail"), std::string::npos) << why;
  EXPECT_EQ(refused(Sockets({Socket(1, {{"fail", json::array({Fail("blank_check", 3), json{{"command", 0xC1}, {"use", 1}}})}})})), "")
      << "commands by name or by code";
}

TEST(ChipConfiguration, ABadChipSectionInTheFileGivesTheDefaultWriterAndSaysWhy) {
  SimHarness sim;
  WriteBytes(sim.StateDir() + "/config.json", std::string(R"({"chip": {"sockets": [{"socket": 9}]}})"));
  sim.Restart();
  EXPECT_NE(sim.Status()["config_error"].get<std::string>().find("chip"), std::string::npos);
}

TEST(ChipConfiguration, TheFileSetsUpTheSockets) {
  SimHarness sim;
  WriteBytes(sim.StateDir() + "/config.json", std::string(R"({"chip": {"sockets": [{"socket": 2, "empty": true}]}})"));
  sim.Restart();
  sim.SetFirmware(MakeChipImage(ChipDeviceSpec{}));
  const json status = sim.ChipStatus();
  ASSERT_TRUE(status["active"].get<bool>());
  EXPECT_FALSE(status["sockets"][2]["present"].get<bool>());
  EXPECT_TRUE(status["sockets"][1]["present"].get<bool>());
}

}  // namespace
}  // namespace vantrell::test
