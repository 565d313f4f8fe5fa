#pragma once
// The "nand" section of the simulator configuration: the board's geometry
// when it differs from what the firmware's descriptor says, and how the
// firmware misbehaves.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace orbsim {

// The block fails its erase-th erase since configuration and is bad from then on.
struct NandWearOut {
  std::uint32_t block = 0;
  std::uint64_t erase = 1;
};

// The reply-th bad block table reply since configuration carries this count byte.
struct NandCountByteFault {
  std::uint64_t reply = 1;
  std::uint8_t count = 0;
};

struct NandConfig {
  // Largest block the simulator stores.
  static constexpr std::uint32_t kMaxBlockSize = 64u << 20;

  std::optional<std::uint32_t> blockSize;
  std::optional<std::uint32_t> blockCount;
  std::optional<std::vector<std::uint32_t>> badBlocks;
  std::optional<std::uint32_t> fatStartBlock;
  std::optional<std::string> name;
  std::vector<NandWearOut> wearOut;
  std::vector<NandCountByteFault> badBlockCountBytes;
  std::optional<std::uint8_t> informationCountByte;  // count byte of the information reply
  std::uint32_t replyDelayMs = 0;                    // every NAND reply comes this much later

  // Throws std::invalid_argument (or a nlohmann::json exception) naming
  // what is wrong; a null section is the default configuration.
  static NandConfig FromJson(const nlohmann::json& section);
};

}  // namespace orbsim
