#pragma once
// The simulator's knobs, read from "config.json" in its state directory or
// set by tests through OrbSim_Configure.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace orbsim {

enum class FaultKind { SendFails, NoReply, ShortReply, WrongEcho, StaleInput };

struct LinkFault {
  std::uint64_t exchange = 0;  // 1 = the first request after configuration
  FaultKind kind = FaultKind::NoReply;
  std::uint32_t bytes = 0;     // ShortReply: how many bytes arrive
};

struct SimConfig {
  std::string initialFirmware;          // image the writer starts with when its state is new
  std::uint16_t boardFlashId = 0x2017;  // reported by 0xF2
  std::uint32_t boardFlashSectors = 64; // writer flash capacity, 128 KB sectors
  std::uint32_t latencyUs = 0;          // per exchange: the reply is ready this long after its request
  std::optional<std::uint32_t> noReplyWaitMs;  // cap on waiting for a reply that never comes
  std::uint32_t staleInputOnOpen = 0;   // bytes waiting in the input after OpenDevice
  bool openFails = false;
  bool writeStatus = false;             // status.json in the state directory at every Close
  std::vector<LinkFault> faults;
  nlohmann::json families = nlohmann::json::object();  // "chip", "nand" sections

  // Throws nlohmann::json::exception or std::invalid_argument on bad input.
  static SimConfig FromJson(const nlohmann::json& j);
  const LinkFault* FaultAt(std::uint64_t exchange) const;
};

// ORBSIM_STATE_DIR when set, else "OrbSimState" beside the library.
std::string StateDirectory();

}  // namespace orbsim
