#pragma once
// A small writer that runs the chip firmware, behind the driver interface:
// seven sockets with flash arrays that erase, blank-check, take auto-address
// programming, verify with a CRC-32/JAMCRC per socket and read back the
// MASTER chip. Tests set failing states per command and socket, stuck bits
// and link faults at the k-th exchange, and read back every request sent.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/link/usb_driver.h"

namespace vantrell::test {

class FakeChipWriter : public UsbDriver {
 public:
  static constexpr std::size_t kSockets = 7;

  enum class IdForm { Short, Extended };
  enum class Fault { SendFails, NoReply, ShortReply };

  struct Chip {
    bool present = true;
    std::uint8_t chipId = 0;
    std::uint8_t makerId = 0;
    std::uint8_t deviceId = 0;
    std::vector<std::uint8_t> flash;
    std::map<std::uint32_t, std::uint8_t> stuckBits;  // address -> bits that stay 1
  };

  FakeChipWriter(std::uint32_t sectorBytes, std::uint32_t flashBytes, std::uint8_t chipId, std::uint8_t makerId = 0,
                 std::uint8_t deviceId = 0);

  // --- configuration (before the run) ---
  IdForm idForm = IdForm::Short;
  // Read ID answers with exactly these bytes instead.
  std::optional<std::vector<std::uint8_t>> idReply;
  int openResult = 1;
  std::array<Chip, kSockets> chips;
  // Socket reports state on its nth use of code (1-based; 0 = every use).
  void FailCommand(std::uint8_t code, std::size_t socket, std::uint8_t state, int nthUse = 0);
  // The k-th request (1-based, counted from construction) meets a link fault.
  void FaultAt(std::uint64_t exchange, Fault fault, std::uint32_t bytes = 0);
  // Called at the start of every exchange with its number, outside the lock.
  std::function<void(std::uint64_t)> onExchange;
  // Read Data packets as the writer sends them, instead of the MASTER's flash.
  std::optional<std::vector<std::vector<std::uint8_t>>> readPackets;

  // --- observation ---
  std::vector<std::vector<std::uint8_t>> Requests() const;
  std::vector<std::uint8_t> Codes() const;
  std::size_t CountOf(std::uint8_t code) const;
  std::uint64_t Exchanges() const;
  bool IsOpen() const;
  int CloseCount() const;
  std::vector<std::uint8_t> Flash(std::size_t socket) const;

  // --- UsbDriver ---
  int OpenDevice(int id) override;
  int Write(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t timeoutMs) override;
  int Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t timeoutMs) override;
  void Close() override;

 private:
  using Reply = std::vector<std::uint8_t>;

  Reply Answer(const std::vector<std::uint8_t>& request);
  Reply StatusReply(std::uint8_t code, const std::array<std::uint8_t, kSockets>& states);
  std::array<std::uint8_t, kSockets> States(std::uint8_t code);
  Reply ReadIdReply();
  Reply ReadNextReply();
  Reply VerifyEndReply();
  void EraseSector(std::uint32_t address, const std::array<std::uint8_t, kSockets>& states);
  void ProgramBytes(const std::uint8_t* data, std::size_t n);
  void FoldVerify(const std::uint8_t* data, std::size_t n);
  static std::uint32_t U32(const std::vector<std::uint8_t>& request, std::size_t payloadOffset);

  mutable std::mutex mutex_;
  std::uint32_t sectorBytes_;
  std::map<std::tuple<std::uint8_t, std::size_t>, std::pair<std::uint8_t, int>> failures_;
  std::map<std::uint8_t, int> uses_;
  std::map<std::uint64_t, std::pair<Fault, std::uint32_t>> faults_;
  std::vector<std::vector<std::uint8_t>> requests_;
  std::optional<Reply> pending_;
  bool open_ = false;
  std::uint64_t exchanges_ = 0;
  int closeCount_ = 0;

  std::uint32_t programAddress_ = 0;
  std::uint32_t verifyAddress_ = 0;
  std::array<std::uint32_t, kSockets> verifyCrc_{};
  std::uint32_t readAddress_ = 0;
  std::uint32_t readLeft_ = 0;
  std::size_t readPacketIndex_ = 0;
};

}  // namespace vantrell::test
