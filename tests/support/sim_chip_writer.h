#pragma once
// The writer simulator running an internal-flash firmware, behind the driver
// interface, set up the way a host test thinks of it: chips per socket
// (IDs, stuck bits, flash contents), failing states per command and socket,
// link faults at the k-th exchange. The simulator answers every request;
// this only turns the setup into its firmware and configuration and keeps
// the requests it was sent.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/devices/device_record.h"
#include "core/link/usb_driver.h"
#include "support/sim_harness.h"

namespace vantrell::test {

class SimChipWriter : public UsbDriver {
 public:
  static constexpr std::size_t kSockets = 7;

  enum class IdForm { Short, Extended };
  enum class Fault { SendFails, NoReply, ShortReply };

  struct Chip {
    bool present = true;
    std::uint8_t chipId = 0;
    std::uint8_t makerId = 0;
    std::uint8_t deviceId = 0;
    std::map<std::uint32_t, std::uint8_t> stuckBits;  // address -> bits that stay 1
  };

  // The device's geometry and IDs; sizes in whole kilobytes.
  explicit SimChipWriter(const SelectedDevice& device);

  // --- setup: taken by the simulator at every open, or by Reconfigure ---
  IdForm idForm = IdForm::Short;
  int openResult = 1;
  std::array<Chip, kSockets> chips;
  // Socket reports state on its nth use of code (1-based; 0 = every use).
  void FailCommand(std::uint8_t code, std::size_t socket, std::uint8_t state, int nthUse = 0);
  // The k-th request (1-based, counted from construction) meets a link fault.
  void FaultAt(std::uint64_t exchange, Fault fault, std::uint32_t bytes = 0);
  // Puts bytes into a socket's flash: held from the first open, or at once after it.
  void SetFlash(std::size_t socket, std::uint32_t offset, const std::vector<std::uint8_t>& bytes);
  // Hands a changed setup to the simulator now; the flash is kept.
  void Reconfigure();
  // Called at the start of every exchange with its number, outside the lock.
  std::function<void(std::uint64_t)> onExchange;

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
  void ApplyLocked();
  nlohmann::json ConfigLocked() const;

  SelectedDevice device_;
  mutable SimHarness sim_;
  mutable std::mutex mutex_;
  std::array<std::vector<std::uint8_t>, kSockets> firstFlash_;
  std::array<std::vector<nlohmann::json>, kSockets> socketFaults_;
  std::map<std::uint64_t, std::pair<Fault, std::uint32_t>> linkFaults_;
  std::vector<std::vector<std::uint8_t>> requests_;
  bool applied_ = false;
  bool changed_ = false;
  bool open_ = false;
  std::uint64_t exchanges_ = 0;
  std::uint64_t exchangesAtConfig_ = 0;
  int closeCount_ = 0;
};

}  // namespace vantrell::test
