#pragma once
// What the NAND commands deliver to their callers.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "core/link/packet.h"

namespace vantrell {

// A data reply (bad block table, block read): its count byte and that many
// bytes, never more than a packet carries.
struct NandDataPacket {
  std::uint8_t count = 0;
  std::array<std::uint8_t, kMaxPayload> bytes{};

  std::span<const std::uint8_t> Data() const { return {bytes.data(), count}; }
};

// The flash's geometry as the writer reports it.
struct NandFlashInfo {
  std::uint32_t blockSize = 0;        // bytes per erase block
  std::uint32_t totalBlockCount = 0;
  std::string name;                   // the writer's text (CP949), up to its first zero byte
};

// Geometry the program refuses: later operations divide by the block size
// and allocate whole blocks, and the window keeps both numbers as signed
// 32-bit values.
inline constexpr std::uint32_t kMaxNandBlockSize = 16u << 20;
inline constexpr std::uint32_t kMaxNandBlockCount = 0x7FFFFFFF;

}  // namespace vantrell
