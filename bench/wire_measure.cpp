#include "wire_measure.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <stdexcept>
#include <string>

namespace vantrell::bench {
namespace {

using Clock = std::chrono::steady_clock;

// The same driver calls, and nothing else.
double BareLoopSeconds(UsbDriver& driver, const std::vector<RecordingDriver::Call>& calls) {
  std::array<std::uint8_t, 64> frame{};
  std::array<std::uint8_t, 64> reply{};
  const auto start = Clock::now();
  driver.OpenDevice(0);
  for (const RecordingDriver::Call& call : calls) {
    std::uint32_t count = 0;
    if (call.length == 0) {
      driver.Read(reply.data(), 64, &count, call.timeoutMs);
      continue;
    }
    std::copy_n(call.request.begin(), call.length, frame.begin());
    driver.Write(frame.data(), call.length, &count, call.timeoutMs);
  }
  driver.Close();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int RecordingDriver::Write(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t timeoutMs) {
  if (recording) {
    Call& call = calls.emplace_back();
    call.length = std::min<std::uint32_t>(length, call.request.size());
    std::copy_n(buffer, call.length, call.request.begin());
    call.timeoutMs = timeoutMs;
  }
  return driver_.Write(buffer, length, sent, timeoutMs);
}

int RecordingDriver::Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received,
                          std::uint32_t timeoutMs) {
  if (recording) calls.push_back({{}, 0, timeoutMs});
  return driver_.Read(buffer, capacity, received, timeoutMs);
}

std::size_t RecordingDriver::Exchanges() const {
  return static_cast<std::size_t>(
      std::count_if(calls.begin(), calls.end(), [](const Call& c) { return c.length != 0; }));
}

void ConfigureLatency(test::SimHarness& sim, std::int64_t latencyUs) {
  const std::string error = sim.ConfigureError({{"latency_us", latencyUs}});
  if (!error.empty()) throw std::runtime_error(error);
}

void Measure(benchmark::State& state, RecordingDriver& driver, const std::function<void()>& run) {
  auto timedRun = [&] {
    driver.calls.clear();
    driver.recording = true;
    const auto start = Clock::now();
    run();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    driver.recording = false;
    return seconds;
  };
  timedRun();
  BareLoopSeconds(driver, driver.calls);
  // The timed runs record into memory already there.
  driver.calls.reserve(driver.calls.size() * 2);
  double runSeconds = 0;
  double bareSeconds = 0;
  for (auto _ : state) {
    const double seconds = timedRun();
    bareSeconds += BareLoopSeconds(driver, driver.calls);
    runSeconds += seconds;
    state.SetIterationTime(seconds);
  }
  const auto exchanges = static_cast<double>(driver.Exchanges());
  const auto runs = static_cast<double>(state.iterations());
  state.counters["exchanges"] = exchanges;
  state.counters["exchanges_per_s"] = exchanges * runs / runSeconds;
  state.counters["ratio"] = runSeconds / bareSeconds;
  state.counters["host_us_per_exchange"] = (runSeconds - bareSeconds) / runs / exchanges * 1e6;
}

}  // namespace vantrell::bench
