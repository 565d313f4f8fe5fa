#pragma once
// One socket of the writer and the chip in it (if any): identification
// bytes, the internal flash, and the faults the configuration gives it.
#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "families/chip/chip_config.h"

namespace orbsim {

struct ChipIdentity {
  std::uint8_t chipId = 0;
  std::uint8_t makerId = 0;
  std::uint8_t deviceId = 0;
};

class ChipSocket {
 public:
  // An erased chip of the device, or an empty socket when the configuration says so.
  ChipSocket(const ChipIdentity& device, const ChipSocketConfig& config, std::uint32_t flashBytes);

  bool Present() const { return present_; }
  // What Read ID sees: the chip's bytes, or those of a socket nobody answers in.
  ChipIdentity Reported() const;
  // How many times this chip has answered a command with a failing state.
  std::uint64_t FailuresReported() const { return failuresReported_; }
  std::uint32_t EraseDelayMs() const { return config_.eraseDelayMs; }

  // Counts one accepted use of a command and gives the state the chip ends
  // it with: done, failed (as configured), or no chip.
  std::uint8_t Use(std::uint8_t code);

  // Ranges are checked by the caller to lie inside the flash.
  void Erase(std::uint32_t address, std::uint32_t length);
  // Programming can only clear bits, as in any flash cell.
  void Program(std::uint32_t address, std::span<const std::uint8_t> bytes);
  bool IsBlank(std::uint32_t address, std::uint32_t length) const;
  std::uint32_t Checksum(std::uint32_t address, std::uint32_t length) const;
  std::span<const std::uint8_t> Flash() const { return flash_; }

  // Test control: puts bytes straight into the flash (stuck bits still hold).
  // Returns how many fit.
  std::size_t Overwrite(std::uint32_t offset, std::span<const std::uint8_t> bytes);

 private:
  void HoldStuckBits(std::uint32_t from, std::uint32_t to);

  ChipIdentity identity_;
  ChipSocketConfig config_;
  bool present_;
  std::vector<std::uint8_t> flash_;
  std::map<std::uint8_t, std::uint64_t> uses_;
  std::uint64_t failuresReported_ = 0;
};

}  // namespace orbsim
