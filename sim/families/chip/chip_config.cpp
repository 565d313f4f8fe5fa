#include "families/chip/chip_config.h"

#include <initializer_list>
#include <string>

#include "families/config_checks.h"

namespace orbsim {
namespace {

using nlohmann::json;

constexpr std::string_view kSection = "chip";

[[noreturn]] void Refuse(const std::string& where, const std::string& why) { config::Refuse(kSection, where, why); }

void CheckKeys(const json& j, const std::string& where, std::initializer_list<const char*> known) {
  config::CheckKeys(kSection, j, where, known);
}

std::uint64_t Unsigned(const json& j, const char* key, std::uint64_t max, const std::string& where) {
  return config::Unsigned(kSection, j, key, max, where);
}

std::optional<std::uint8_t> OptionalByte(const json& j, const char* key, const std::string& where) {
  if (!j.contains(key)) return std::nullopt;
  return static_cast<std::uint8_t>(Unsigned(j, key, 0xFF, where));
}

std::uint8_t FaultCode(const json& command, const std::string& where) {
  std::optional<std::uint8_t> code;
  if (command.is_string()) code = chip::CodeNamed(command.get<std::string>());
  if (command.is_number_unsigned() && command.get<std::uint64_t>() <= 0xFF &&
      chip::IsChipCode(static_cast<std::uint8_t>(command.get<std::uint64_t>())))
    code = static_cast<std::uint8_t>(command.get<std::uint64_t>());
  if (!code) Refuse(where, "unknown command " + command.dump());
  // These replies carry no state to fail with; a wrong ID is its own knob.
  if (*code == chip::kReadId || *code == chip::kReadNext)
    Refuse(where, std::string(chip::NameOf(*code)) + " has no state that could fail");
  return *code;
}

ChipFault ParseFault(const json& j, std::size_t socket, const std::string& where) {
  CheckKeys(j, where, {"command", "use", "times", "status"});
  ChipFault f;
  f.code = FaultCode(j.at("command"), where);
  f.use = Unsigned(j, "use", UINT64_MAX, where);
  if (f.use == 0) Refuse(where, "\"use\" counts from 1");
  if (j.contains("times")) f.times = Unsigned(j, "times", UINT64_MAX, where);
  if (f.times == 0) Refuse(where, "\"times\" must be at least 1");
  if (j.contains("status")) f.status = static_cast<std::uint8_t>(Unsigned(j, "status", 0xFF, where));
  if (f.status == chip::kStateDone) Refuse(where, "a failing command needs a non-zero \"status\"");
  if (f.code == chip::kReadRequest && socket != chip::kMasterSocket)
    Refuse(where, "only the MASTER socket (0) takes part in read_request");
  return f;
}

StuckBit ParseStuckBit(const json& j, const std::string& where) {
  CheckKeys(j, where, {"offset", "bit", "value"});
  StuckBit s;
  s.offset = static_cast<std::uint32_t>(Unsigned(j, "offset", UINT32_MAX, where));
  s.bit = static_cast<std::uint8_t>(Unsigned(j, "bit", 7, where));
  if (j.contains("value")) s.high = Unsigned(j, "value", 1, where) == 1;
  return s;
}

ChipSocketConfig ParseSocket(const json& j, std::size_t socket, const std::string& where) {
  ChipSocketConfig s;
  if (j.contains("empty")) {
    if (!j.at("empty").is_boolean()) Refuse(where, "\"empty\" must be true or false");
    s.empty = j.at("empty").get<bool>();
  }
  s.chipId = OptionalByte(j, "chip_id", where);
  s.makerId = OptionalByte(j, "maker_id", where);
  s.deviceId = OptionalByte(j, "device_id", where);
  if (j.contains("fail"))
    s.faults = config::ParseList(kSection, j, "fail", where,
                                 [socket](const json& f, const std::string& w) { return ParseFault(f, socket, w); });
  if (j.contains("stuck_bits")) s.stuckBits = config::ParseList(kSection, j, "stuck_bits", where, ParseStuckBit);
  if (j.contains("erase_delay_ms")) s.eraseDelayMs = static_cast<std::uint32_t>(Unsigned(j, "erase_delay_ms", 600000, where));
  const bool hasChipKnobs = s.chipId || s.makerId || s.deviceId || !s.faults.empty() || !s.stuckBits.empty() || s.eraseDelayMs;
  if (s.empty && hasChipKnobs) Refuse(where, "an empty socket has no chip to give IDs, faults, stuck bits or delays");
  return s;
}

}  // namespace

ChipConfig ChipConfig::FromJson(const json& section) {
  ChipConfig config;
  if (section.is_null()) return config;
  CheckKeys(section, "section", {"sockets"});
  if (!section.contains("sockets")) return config;
  const json& sockets = section.at("sockets");
  if (!sockets.is_array()) Refuse("sockets", "must be an array");
  std::array<bool, chip::kSockets> seen{};
  for (std::size_t i = 0; i < sockets.size(); ++i) {
    const std::string where = "sockets[" + std::to_string(i) + "]";
    const json& entry = sockets[i];
    CheckKeys(entry, where, {"socket", "empty", "chip_id", "maker_id", "device_id", "fail", "stuck_bits", "erase_delay_ms"});
    if (!entry.contains("socket")) Refuse(where, "needs \"socket\" (0 to 6)");
    const auto socket = static_cast<std::size_t>(Unsigned(entry, "socket", chip::kSockets - 1, where));
    if (seen[socket]) Refuse(where, "socket " + std::to_string(socket) + " is configured twice");
    seen[socket] = true;
    config.sockets[socket] = ParseSocket(entry, socket, where);
  }
  return config;
}

}  // namespace orbsim
