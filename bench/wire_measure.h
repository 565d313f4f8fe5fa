#pragma once
// Timing a whole operation against the writer simulator and against a bare
// loop that sends the very same requests to the same simulator and reads the
// replies, doing nothing else.
//
// Counters: exchanges per second of the run, and ratio = run time / bare
// loop time (1.00 means the host adds nothing to the wire's round trips).
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/common/prompt.h"
#include "core/link/usb_driver.h"
#include "support/sim_harness.h"

namespace vantrell::bench {

// Remembers every call the host makes, so that a bare loop can make the very
// same ones again: each request, each read of a reply with its time-out (the
// read that clears stale input after opening included).
class RecordingDriver final : public UsbDriver {
 public:
  // Kept flat, so that recording a call costs the run next to nothing.
  struct Call {
    std::array<std::uint8_t, 64> request;
    std::uint32_t length = 0;  // 0 for a read
    std::uint32_t timeoutMs = 0;
  };

  explicit RecordingDriver(UsbDriver& driver) : driver_(driver) {}
  int OpenDevice(int id) override { return driver_.OpenDevice(id); }
  int Write(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t timeoutMs) override;
  int Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t timeoutMs) override;
  void Close() override { driver_.Close(); }

  std::size_t Exchanges() const;

  bool recording = true;
  std::vector<Call> calls;

 private:
  UsbDriver& driver_;
};

class AgreeingPrompt final : public Prompt {
 public:
  BoxAnswer Show(const PromptMessage&) override { return BoxAnswer::Ok; }
};

void ConfigureLatency(test::SimHarness& sim, std::int64_t latencyUs);

// Times run against a bare loop of the requests it sent. Both go once
// before timing, so that neither pays for the simulator's first touch of its
// flash or for cold caches.
void Measure(benchmark::State& state, RecordingDriver& driver, const std::function<void()>& run);

}  // namespace vantrell::bench
