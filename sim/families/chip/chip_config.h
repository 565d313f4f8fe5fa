#pragma once
// The "chip" section of the simulator configuration: what sits in each of
// the seven sockets and how it misbehaves.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "families/chip/chip_protocol.h"

namespace orbsim {

// The chip fails a command (a non-zero state) at its use-th accepted use
// and the times - 1 uses after it.
struct ChipFault {
  std::uint8_t code = 0;
  std::uint64_t use = 1;  // 1 = the first use since configuration
  std::uint64_t times = 1;
  std::uint8_t status = chip::kStateFailed;

  bool Hits(std::uint64_t nthUse) const { return nthUse >= use && nthUse - use < times; }
};

// A flash cell that keeps one value whatever is erased or programmed.
struct StuckBit {
  std::uint32_t offset = 0;
  std::uint8_t bit = 0;
  bool high = true;
};

struct ChipSocketConfig {
  bool empty = false;
  // Identification bytes that differ from the device's.
  std::optional<std::uint8_t> chipId;
  std::optional<std::uint8_t> makerId;
  std::optional<std::uint8_t> deviceId;
  std::vector<ChipFault> faults;
  std::vector<StuckBit> stuckBits;
  std::uint32_t eraseDelayMs = 0;  // a sector erase takes this long on this chip
};

struct ChipConfig {
  std::array<ChipSocketConfig, chip::kSockets> sockets;

  // Throws std::invalid_argument (or a nlohmann::json exception) naming
  // what is wrong; a null section is the default configuration.
  static ChipConfig FromJson(const nlohmann::json& section);
};

}  // namespace orbsim
