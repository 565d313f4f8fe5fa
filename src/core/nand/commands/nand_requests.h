#pragma once
// The bytes of every NAND request: command code, payload length, payload.
// Block numbers and the FAT start block number are 32-bit, least
// significant byte first.
#include <cstdint>
#include <span>

#include "core/link/packet.h"

namespace vantrell::nand_request {

inline constexpr std::uint8_t kReadFlashInformation = 0xA0;
inline constexpr std::uint8_t kReadBadBlockCount = 0xA1;
inline constexpr std::uint8_t kReadBadBlockInformation = 0xA2;
inline constexpr std::uint8_t kReadBlockNumber = 0xA3;
inline constexpr std::uint8_t kReadData = 0xA4;
inline constexpr std::uint8_t kReadFatStartBlockNumber = 0xA5;
inline constexpr std::uint8_t kProgramStart = 0xAE;
inline constexpr std::uint8_t kProgramEnd = 0xAF;
inline constexpr std::uint8_t kEraseBlock = 0xC0;
inline constexpr std::uint8_t kWriteBlockNumber = 0xD0;
inline constexpr std::uint8_t kWriteData = 0xD1;
inline constexpr std::uint8_t kWriteFatStartBlockNumber = 0xD2;

// code, 0x00.
RequestPacket Bare(std::uint8_t code);
// code, 0x04, number.
RequestPacket WithNumber(std::uint8_t code, std::uint32_t number);
// 0xD1, n, n data bytes; 0 <= n <= 62 (the empty packet closes a file whose
// last packet was full).
RequestPacket WriteData(std::span<const std::uint8_t> data);

}  // namespace vantrell::nand_request
