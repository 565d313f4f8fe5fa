#pragma once
// The writer's own commands, served whatever firmware it runs:
//   0xF0 device number and version of the running firmware
//   0xF1 update start, 0xF2 board flash ID, 0xF3 erase n sectors of 128 KB,
//   0xF4 write the next piece (32 bytes, the last 1..31), 0xF5 read back the
//   next m <= 62 bytes from address 0.
// Once the whole new image has been written and read back, it becomes the
// running firmware.
#include <cstdint>
#include <functional>
#include <vector>

#include "families/command_family.h"

namespace orbsim {

struct SimConfig;

class WriterCommands final : public CommandFamily {
 public:
  static constexpr std::uint32_t kSectorBytes = 131072;
  static constexpr std::size_t kWritePiece = 32;
  // The identity a writer without a valid firmware reports.
  static constexpr std::uint16_t kBlankNumber = 0xFFFF;

  using FirmwareChanged = std::function<void(const std::vector<std::uint8_t>&)>;

  WriterCommands(const SimConfig& config, std::vector<std::uint8_t> firmware, FirmwareChanged onChange);

  bool Serves(std::uint8_t code) const override { return code >= 0xF0 && code <= 0xF5; }
  Answer Handle(const Request& request) override;

  const std::vector<std::uint8_t>& Firmware() const { return firmware_; }
  void SetFirmware(std::vector<std::uint8_t> image);

  enum class Phase { Idle, Started, Erased, Written };
  Phase CurrentPhase() const { return phase_; }
  std::size_t BytesWritten() const { return writePtr_; }
  std::size_t BytesVerified() const { return verifyPtr_; }

 private:
  Answer Identify(const Request& r) const;
  Answer Start(const Request& r);
  Answer FlashId(const Request& r) const;
  Answer Erase(const Request& r);
  Answer WritePiece(const Request& r);
  Answer Verify(const Request& r);
  void ActivateWhenComplete();

  const SimConfig& config_;
  std::vector<std::uint8_t> firmware_;  // running firmware; empty = none
  FirmwareChanged onChange_;
  Phase phase_ = Phase::Idle;
  std::vector<std::uint8_t> flash_;     // the writer's flash during an update
  std::size_t writePtr_ = 0;
  std::size_t verifyPtr_ = 0;
  bool lastPieceSeen_ = false;
};

}  // namespace orbsim
