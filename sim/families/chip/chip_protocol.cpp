#include "families/chip/chip_protocol.h"

#include <array>

namespace orbsim::chip {
namespace {

struct CommandInfo {
  std::uint8_t code;
  std::string_view name;
  int payload;  // -1: a data packet of 1..62 bytes
};

constexpr std::array<CommandInfo, 17> kCommands{{
    {kReadId, "read_id", 0},
    {kReadEnable, "read_enable", 0},
    {kReadDisable, "read_disable", 0},
    {kReadRequest, "read_request", 8},
    {kVerifySetAddress, "verify_set_address", 8},
    {kVerifyData, "verify_data", -1},
    {kVerifyEnd, "verify_end", 0},
    {kCommEnd, "comm_end", 0},
    {kBlankCheck, "blank_check", 8},
    {kReadNext, "read_next", 0},
    {kEraseEnable, "erase_enable", 0},
    {kSectorErase, "sector_erase", 4},
    {kEraseDisable, "erase_disable", 0},
    {kProgramEnable, "program_enable", 0},
    {kProgramDisable, "program_disable", 0},
    {kAutoAddress, "auto_address", 5},
    {kAutoProgram, "auto_program", -1},
}};

const CommandInfo* Find(std::uint8_t code) {
  for (const auto& c : kCommands)
    if (c.code == code) return &c;
  return nullptr;
}

}  // namespace

bool IsChipCode(std::uint8_t code) { return Find(code) != nullptr; }

std::optional<std::size_t> FixedPayload(std::uint8_t code) {
  const CommandInfo* c = Find(code);
  if (c == nullptr || c->payload < 0) return std::nullopt;
  return static_cast<std::size_t>(c->payload);
}

std::optional<std::uint8_t> CodeNamed(std::string_view name) {
  for (const auto& c : kCommands)
    if (c.name == name) return c.code;
  return std::nullopt;
}

std::string_view NameOf(std::uint8_t code) {
  const CommandInfo* c = Find(code);
  return c ? c->name : std::string_view{};
}

}  // namespace orbsim::chip
