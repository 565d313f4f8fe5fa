#pragma once
// The firmware of an internal-flash device: seven sockets of chips that it
// identifies, erases, blank-checks, programs, verifies and reads back.
//
// Within a run the commands come in brackets that must not overlap:
// erase enable .. disable, program enable .. disable, verify set address ..
// end, read enable .. disable. Blank check runs outside every bracket. Read
// ID (the first command of every run) and COMM End close whatever an earlier
// run left open. A request out of order, out of the flash, or of the wrong
// size is refused with 0xFF in every byte of its reply.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include <nlohmann/json.hpp>

#include "descriptor/firmware_descriptor.h"
#include "families/chip/chip_config.h"
#include "families/chip/chip_socket.h"
#include "families/command_family.h"

namespace orbsim {

struct ChipDevice {
  ChipIdentity identity;
  ReadIdForm readIdForm = ReadIdForm::Short;
  std::uint32_t sectorBytes = 0;
  std::uint32_t flashBytes = 0;
};

class ChipFamily final : public CommandFamily {
 public:
  // Larger flashes are not emulated (seven copies are kept in memory).
  static constexpr std::uint32_t kMaxFlashBytes = 16u << 20;

  // No family when the descriptor's geometry cannot be served.
  static std::unique_ptr<ChipFamily> Make(const FirmwareDescriptor& descriptor, const ChipConfig& config);
  ChipFamily(const ChipDevice& device, const ChipConfig& config);

  bool Serves(std::uint8_t code) const override;
  Answer Handle(const Request& request) override;

  const ChipDevice& Device() const { return device_; }
  ChipSocket& Socket(std::size_t index) { return sockets_.at(index); }
  const ChipSocket& Socket(std::size_t index) const { return sockets_.at(index); }
  // Device, open bracket and sockets, for tests.
  nlohmann::json StatusJson() const;

 private:
  enum class Bracket { None, Erase, Program, Verify, Read };
  using States = std::array<std::uint8_t, chip::kSockets>;

  // What the writer remembers between the requests of one run.
  struct Run {
    Bracket open = Bracket::None;
    bool addressSet = false;        // program: the auto address arrived
    bool lastPieceSeen = false;     // program: a short packet ends the data
    std::uint32_t programNext = 0;  // program: where the next byte goes
    std::uint32_t verifyStart = 0;
    std::uint32_t verifyLength = 0;
    std::uint32_t verifyReceived = 0;
    bool readRequested = false;
    bool readDrained = false;       // read: the short (or empty) last packet went out
    std::uint32_t readNext = 0;
    std::uint32_t readLeft = 0;
  };

  Answer ReadId();
  Answer Open(const Request& r, Bracket bracket);
  Answer Close(const Request& r, Bracket bracket);
  Answer SectorErase(const Request& r);
  Answer BlankCheck(const Request& r);
  Answer AutoAddress(const Request& r);
  Answer AutoProgram(const Request& r);
  Answer VerifySetAddress(const Request& r);
  Answer VerifyData(const Request& r);
  Answer VerifyEnd(const Request& r);
  Answer ReadRequest(const Request& r);
  Answer ReadNext(const Request& r);
  Answer CommEnd(const Request& r);

  bool PayloadFits(const Request& r) const;
  bool InFlash(std::uint32_t address, std::uint32_t length) const;
  States UseEverySocket(std::uint8_t code);
  // Programs the bytes into every chip that takes the command.
  States ProgramEverySocket(std::uint8_t code, std::uint32_t address, std::span<const std::uint8_t> bytes);
  static Reply StatusReply(std::uint8_t code, const States& states);

  ChipDevice device_;
  std::vector<ChipSocket> sockets_;  // kSockets of them
  Run run_;
};

}  // namespace orbsim
