#pragma once
// A writer running an internal-flash firmware, driven request by request as
// the host drives it.
#include <array>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "support/sim_harness.h"

namespace vantrell::test {

using Bytes = std::vector<std::uint8_t>;
using Checksums = std::array<std::uint32_t, 7>;

inline constexpr std::uint8_t kRefused = 0xFF;

class ChipSimTest : public ::testing::Test {
 public:
  static Bytes Pattern(std::size_t n, std::uint8_t seed = 1) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(seed + i * 13 + (i >> 8));
    return b;
  }

 protected:
  // A small device: 4 KB sectors, 16 KB of flash, extended Read ID.
  static ChipDeviceSpec SmallDevice() {
    ChipDeviceSpec spec;
    spec.chipId = 0x65;
    spec.flashMakerId = 0x5C;
    spec.flashDeviceId = 0x41;
    spec.sectorSizeKb = 4;
    spec.flashSizeKb = 16;
    spec.extendedReadId = true;
    return spec;
  }
  static constexpr std::uint32_t kSector = 4096;
  static constexpr std::uint32_t kFlash = 16384;

  void SetUp() override { Start(SmallDevice()); }

  void Start(const ChipDeviceSpec& spec) {
    sim.SetFirmware(MakeChipImage(spec));
    ASSERT_NE(sim.Driver().OpenDevice(21), 0);
  }
  // Configures the chips; the simulator is reopened as the host would.
  void ConfigureChips(const nlohmann::json& chip) {
    sim.Configure({{"chip", chip}});
    ASSERT_NE(sim.Driver().OpenDevice(21), 0);
  }

  // One request and its reply as raw bytes; empty when nothing came back.
  Bytes Exchange(const Bytes& request, std::uint32_t timeoutMs = 7000) {
    Bytes copy = request;
    std::uint32_t sent = 0;
    if (sim.Driver().Write(copy.data(), static_cast<std::uint32_t>(copy.size()), &sent, timeoutMs) == 0) return {};
    Bytes reply(64);
    std::uint32_t got = 0;
    if (sim.Driver().Read(reply.data(), 64, &got, timeoutMs) == 0) return {};
    reply.resize(got);
    return reply;
  }
  // Bytes 2..8 of a status reply: one state per socket.
  std::array<std::uint8_t, 7> States(const Bytes& request) {
    const Bytes reply = Exchange(request);
    std::array<std::uint8_t, 7> states{};
    states.fill(0xEE);
    for (std::size_t i = 0; i < 7 && 2 + i < reply.size(); ++i) states[i] = reply[2 + i];
    return states;
  }
  std::uint8_t State(const Bytes& request, std::size_t socket = 0) { return States(request)[socket]; }

  static Bytes Request(std::uint8_t code, std::initializer_list<std::uint32_t> words = {}, const Bytes& tail = {}) {
    Bytes r{code, 0};
    for (std::uint32_t w : words)
      for (int s = 0; s < 32; s += 8) r.push_back(static_cast<std::uint8_t>(w >> s));
    r.insert(r.end(), tail.begin(), tail.end());
    r[1] = static_cast<std::uint8_t>(r.size() - 2);
    return r;
  }
  static Bytes Packet(std::uint8_t code, const Bytes& data) { return Request(code, {}, data); }

  static std::array<std::uint8_t, 7> AllStates(std::uint8_t s) {
    std::array<std::uint8_t, 7> a{};
    a.fill(s);
    return a;
  }

  // The host's whole sequences, every state expected 0 unless a test says otherwise.
  void EraseSector(std::uint32_t address) {
    ASSERT_EQ(States({0xC0, 0}), AllStates(0));
    ASSERT_EQ(States(Request(0xC1, {address})), AllStates(0));
    ASSERT_EQ(States({0xC6, 0}), AllStates(0));
  }
  // Programs data from address: the first byte with the address, then 62-byte packets.
  std::vector<std::array<std::uint8_t, 7>> Program(std::uint32_t address, const Bytes& data) {
    std::vector<std::array<std::uint8_t, 7>> states;
    states.push_back(States({0xD0, 0}));
    states.push_back(States(Request(0xD3, {address}, {data.at(0)})));
    for (std::size_t at = 1; at < data.size(); at += 62) {
      const std::size_t n = std::min<std::size_t>(62, data.size() - at);
      states.push_back(States(Packet(0xD4, Bytes(data.begin() + at, data.begin() + at + n))));
    }
    states.push_back(States({0xD1, 0}));
    return states;
  }
  Checksums Verify(std::uint32_t address, const Bytes& data) {
    EXPECT_EQ(States(Request(0xA5, {address, static_cast<std::uint32_t>(data.size())})), AllStates(0));
    for (std::size_t at = 0; at < data.size(); at += 62) {
      const std::size_t n = std::min<std::size_t>(62, data.size() - at);
      EXPECT_EQ(States(Packet(0xA6, Bytes(data.begin() + at, data.begin() + at + n))), AllStates(0));
    }
    return ChecksumsOf(Exchange({0xA7, 0}));
  }
  static Checksums ChecksumsOf(const Bytes& reply) {
    Checksums sums{};
    for (std::size_t i = 0; i < 7 && 2 + 4 * i + 3 < reply.size(); ++i)
      sums[i] = reply[2 + 4 * i] | (reply[3 + 4 * i] << 8) | (reply[4 + 4 * i] << 16) |
                (static_cast<std::uint32_t>(reply[5 + 4 * i]) << 24);
    return sums;
  }
  // The read-back packets of the MASTER chip after a read request, up to and
  // including the first one shorter than 62 bytes.
  std::vector<Bytes> ReadPackets(std::uint32_t address, std::uint32_t length) {
    std::vector<Bytes> packets;
    EXPECT_EQ(State({0xA1, 0}), 0);
    EXPECT_EQ(Exchange(Request(0xA4, {address, length})).at(2), 0);
    for (int guard = 0; guard < 10000; ++guard) {
      Bytes p = Exchange({0xAA, 0});
      if (p.size() < 2) break;
      packets.push_back(p);
      if (p[1] < 62) break;
    }
    EXPECT_EQ(State({0xA2, 0}), 0);
    return packets;
  }

  SimHarness sim;
};

}  // namespace vantrell::test
