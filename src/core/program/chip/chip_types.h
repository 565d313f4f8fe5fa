#pragma once
// Per-socket data of the chip command set. The writer carries seven sockets:
// socket 0 is the MASTER, sockets 1 to 6 are PACK-1 to PACK-6. Every array is
// indexed by socket; only sockets below the served socket count are looked at.
#include <array>
#include <cstddef>
#include <cstdint>

namespace vantrell {

inline constexpr std::size_t kMaxSockets = 7;

// What each socket is called, on its frame in the download window and in
// the command line's results.
inline constexpr std::array<const char*, kMaxSockets> kSocketLabels = {"MASTER", "PACK-1", "PACK-2", "PACK-3",
                                                                     "PACK-4", "PACK-5", "PACK-6"};

// One state byte per socket, 0 when the socket's chip did what was asked.
using ChipStatus = std::array<std::uint8_t, kMaxSockets>;
// ChipAlive: 1 while the socket's chip still takes part in the run.
using SocketFlags = std::array<std::uint8_t, kMaxSockets>;
// One 32-bit verify checksum per socket.
using SocketChecksums = std::array<std::uint32_t, kMaxSockets>;

// What Read ID reported. The extended form also carries the internal-flash
// manufacturer and device IDs of every socket.
struct ChipIdReply {
  bool extended = false;
  std::array<std::uint8_t, kMaxSockets> chipIds{};
  std::array<std::uint8_t, kMaxSockets> makerIds{};
  std::array<std::uint8_t, kMaxSockets> deviceIds{};
};

// Pack line colours, 0x00BBGGRR.
inline constexpr std::uint32_t kPackColourFailed = 0x0000FF;
inline constexpr std::uint32_t kPackColourRunning = 0xCD0000;

// Appended to a stage's label on the pack lines.
inline constexpr const char* kPackOk = "  → OK!";
inline constexpr const char* kPackError = "  → ERROR!";

}  // namespace vantrell
