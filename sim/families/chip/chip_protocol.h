#pragma once
// The chip commands an internal-flash firmware answers, and the states it
// puts in byte 2 + socket of a status reply.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orbsim::chip {

constexpr std::size_t kSockets = 7;
constexpr std::size_t kMasterSocket = 0;

enum Code : std::uint8_t {
  kReadId = 0xA0,
  kReadEnable = 0xA1,
  kReadDisable = 0xA2,
  kReadRequest = 0xA4,
  kVerifySetAddress = 0xA5,
  kVerifyData = 0xA6,
  kVerifyEnd = 0xA7,
  kCommEnd = 0xA8,
  kBlankCheck = 0xA9,
  kReadNext = 0xAA,
  kEraseEnable = 0xC0,
  kSectorErase = 0xC1,
  kEraseDisable = 0xC6,
  kProgramEnable = 0xD0,
  kProgramDisable = 0xD1,
  kAutoAddress = 0xD3,
  kAutoProgram = 0xD4,
};

// Per-socket states.
constexpr std::uint8_t kStateDone = 0x00;
constexpr std::uint8_t kStateFailed = 0x01;    // the chip did not carry the command out
constexpr std::uint8_t kStateNotBlank = 0x02;  // blank check found a programmed byte
constexpr std::uint8_t kStateNoChip = 0x80;    // nothing answers in the socket
// A refused request (misuse) answers 0xFF in every byte: kStateRefused.

// What an absent chip reports as its identification bytes.
constexpr std::uint8_t kAbsentId = 0xFF;

bool IsChipCode(std::uint8_t code);
// Fixed payload size of a command; nullopt for the data packets (1..62 bytes).
std::optional<std::size_t> FixedPayload(std::uint8_t code);
// Configuration names ("sector_erase", ...) and back.
std::optional<std::uint8_t> CodeNamed(std::string_view name);
std::string_view NameOf(std::uint8_t code);

}  // namespace orbsim::chip
