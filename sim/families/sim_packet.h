#pragma once
// Packets as the simulated writer sees them.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace orbsim {

constexpr std::size_t kPacketSize = 64;
constexpr std::size_t kMaxPayload = kPacketSize - 2;
// The state a firmware gives to a request it refuses.
constexpr std::uint8_t kStateRefused = 0xFF;

struct Request {
  std::uint8_t code = 0;
  std::span<const std::uint8_t> payload;

  std::uint32_t U32At(std::size_t offset) const;  // caller checks the payload size
};

struct Reply {
  std::array<std::uint8_t, kPacketSize> bytes{};
  std::size_t count = kPacketSize;  // a writer always sends whole 64-byte packets
  std::uint32_t delayMs = 0;        // the firmware needs this long before answering

  // Echo, length 1, state in byte 2.
  static Reply Status(std::uint8_t code, std::uint8_t state);
  // Echo, data length, data from byte 2 (at most 62 bytes).
  static Reply Data(std::uint8_t code, std::span<const std::uint8_t> data);
  // A refused request: echo, length 1, every payload byte 0xFF.
  static Reply Refused(std::uint8_t code);
};

// What a firmware does with one request; no value means it stays silent.
using Answer = std::optional<Reply>;

}  // namespace orbsim
