#pragma once
// The bytes of every chip request: command code, payload length, payload.
// Addresses and lengths are 32-bit, least significant byte first.
#include <cstdint>
#include <span>

#include "core/link/packet.h"

namespace vantrell::chip_request {

inline constexpr std::uint8_t kReadId = 0xA0;
inline constexpr std::uint8_t kReadEnable = 0xA1;
inline constexpr std::uint8_t kReadDisable = 0xA2;
inline constexpr std::uint8_t kReadRange = 0xA4;
inline constexpr std::uint8_t kVerifySetAddress = 0xA5;
inline constexpr std::uint8_t kVerifyData = 0xA6;
inline constexpr std::uint8_t kVerifyEnd = 0xA7;
inline constexpr std::uint8_t kCommEnd = 0xA8;
inline constexpr std::uint8_t kFlashBlankCheck = 0xA9;
inline constexpr std::uint8_t kReadDataNext = 0xAA;
inline constexpr std::uint8_t kEraseEnable = 0xC0;
inline constexpr std::uint8_t kSectorErase = 0xC1;
inline constexpr std::uint8_t kEraseDisable = 0xC6;
inline constexpr std::uint8_t kProgramEnable = 0xD0;
inline constexpr std::uint8_t kProgramDisable = 0xD1;
inline constexpr std::uint8_t kAaiAutoAddress = 0xD3;
inline constexpr std::uint8_t kAutoProgram = 0xD4;

// A request without payload: code, 0x00.
RequestPacket Bare(std::uint8_t code);
// code, 0x04, address.
RequestPacket WithAddress(std::uint8_t code, std::uint32_t address);
// code, 0x08, address, length.
RequestPacket WithAddressAndLength(std::uint8_t code, std::uint32_t address, std::uint32_t length);
// 0xD3, 0x05, address, the file's first byte.
RequestPacket AaiAutoAddress(std::uint32_t address, std::uint8_t firstByte);
// code, n, n data bytes; 1 <= n <= 62.
RequestPacket WithData(std::uint8_t code, std::span<const std::uint8_t> data);

}  // namespace vantrell::chip_request
