#pragma once
// The commands a NAND firmware answers, and the states of its block replies.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace orbsim::nand {

enum Code : std::uint8_t {
  kReadInformation = 0xA0,
  kReadBadBlockCount = 0xA1,
  kReadBadBlockInformation = 0xA2,
  kReadBlockNumber = 0xA3,
  kReadData = 0xA4,
  kReadFatStart = 0xA5,
  kProgramStart = 0xAE,
  kProgramEnd = 0xAF,
  kEraseBlock = 0xC0,
  kWriteBlockNumber = 0xD0,
  kWriteData = 0xD1,
  kWriteFatStart = 0xD2,
};

// Byte 2 of a block command's reply.
constexpr std::uint8_t kStateDone = 0x00;
constexpr std::uint8_t kStateBadBlock = 0xFE;
// A block past the flash, like any refused request, gets kStateRefused (0xFF).

constexpr std::size_t kBadBlocksPerReply = 15;

bool IsNandCode(std::uint8_t code);
// Payload size of a command; nullopt for Write Data (0..62 bytes).
std::optional<std::size_t> FixedPayload(std::uint8_t code);

}  // namespace orbsim::nand
