#pragma once
// The checksum a chip firmware returns at the end of a verify: CRC-32 with
// the reflected polynomial 0xEDB88320, initial value 0xFFFFFFFF and no final
// inversion (the JAMCRC variant), so "123456789" gives 0x340BC6D9.
#include <cstdint>
#include <span>

namespace orbsim {

constexpr std::uint32_t kJamcrcInitial = 0xFFFFFFFFu;

// Continues a running checksum over more bytes; start from kJamcrcInitial.
std::uint32_t UpdateJamcrc(std::uint32_t crc, std::span<const std::uint8_t> bytes);

inline std::uint32_t Jamcrc(std::span<const std::uint8_t> bytes) { return UpdateJamcrc(kJamcrcInitial, bytes); }

}  // namespace orbsim
