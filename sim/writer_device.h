#pragma once
// The simulated writer behind the driver library's four entry points: a USB
// endpoint that queues replies for the host, the firmware that answers
// requests, and the link faults a test asks for.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "families/command_family.h"
#include "families/writer_commands.h"
#include "firmware_store.h"
#include "sim_config.h"

namespace orbsim {

class WriterDevice {
 public:
  WriterDevice();

  int OpenDevice(int id);
  int Write(const std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t timeoutMs);
  int Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t timeoutMs);
  int Close();

  // Test and tool controls.
  bool Configure(const std::string& json, std::string& error);
  void ReloadFromStateDirectory();
  void SetFirmware(std::vector<std::uint8_t> image);
  std::string StatusJson() const;
  // The active family (chip or NAND), for family-specific controls.
  CommandFamily* ActiveFamily() { return family_.get(); }
  // Runs visit on the active family (null when none) while no request is served.
  void VisitFamily(const std::function<void(CommandFamily*)>& visit);

 private:
  void WaitUntil(std::unique_lock<std::mutex>& lock, std::chrono::steady_clock::time_point until);

  struct Pending {
    std::vector<std::uint8_t> bytes;
    std::chrono::steady_clock::time_point readyAt;
  };

  void ApplyConfig(SimConfig config);
  void InstallFirmware(std::vector<std::uint8_t> image);
  void ChooseFamily();
  Answer Dispatch(const Request& request);
  void Queue(const Reply& reply, const LinkFault* fault, std::chrono::steady_clock::time_point arrived);
  void QueueStale(std::size_t bytes);
  std::chrono::milliseconds ReadWait(std::uint32_t timeoutMs) const;

  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  SimConfig config_;
  std::string configError_;
  std::unique_ptr<FirmwareStore> store_;
  std::unique_ptr<WriterCommands> writer_;
  std::unique_ptr<CommandFamily> family_;
  std::deque<Pending> toHost_;
  bool open_ = false;
  std::uint64_t exchanges_ = 0;
  std::map<std::uint8_t, std::uint64_t> requestCounts_;  // by command code, since the last configuration
};

// The one writer of this process.
WriterDevice& TheWriter();

}  // namespace orbsim
