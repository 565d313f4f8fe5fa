// What the host adds to the wire: a whole Erase+Program+Verify run of 512 KiB
// on seven sockets and a firmware update of a 128 KiB image, run headless
// against the writer simulator at 0, 125 and 1000 us per exchange, each
// compared with a bare loop that sends the very same requests to the same
// simulator and reads the replies, doing nothing else.
//
// Counters: exchanges per second of the run, and ratio = run time / bare
// loop time (1.00 means the host adds nothing to the wire's round trips).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/app/busy_state.h"
#include "core/app/firmware_update.h"
#include "core/app/firmware_update_view.h"
#include "core/app/prompt.h"
#include "core/link/message_log.h"
#include "core/link/usb_driver.h"
#include "core/link/writer_link.h"
#include "core/program/job/file_checksum.h"
#include "core/program/run/download_window_view.h"
#include "core/program/run/programming_session.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;
using vantrell::test::SimHarness;

// Remembers every call the host makes, so that a bare loop can make the very
// same ones again: each request, each read of a reply with its time-out (the
// read that clears stale input after opening included).
class RecordingDriver final : public vantrell::UsbDriver {
 public:
  struct Call {
    std::vector<std::uint8_t> request;  // empty for a read
    std::uint32_t timeoutMs = 0;
  };

  explicit RecordingDriver(vantrell::UsbDriver& driver) : driver_(driver) {}
  int OpenDevice(int id) override { return driver_.OpenDevice(id); }
  int Write(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* sent, std::uint32_t timeoutMs) override {
    if (recording) calls.push_back({{buffer, buffer + length}, timeoutMs});
    return driver_.Write(buffer, length, sent, timeoutMs);
  }
  int Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* received, std::uint32_t timeoutMs) override {
    if (recording) calls.push_back({{}, timeoutMs});
    return driver_.Read(buffer, capacity, received, timeoutMs);
  }
  void Close() override { driver_.Close(); }

  std::size_t Exchanges() const {
    return static_cast<std::size_t>(std::count_if(calls.begin(), calls.end(), [](const Call& c) { return !c.request.empty(); }));
  }

  bool recording = true;
  std::vector<Call> calls;

 private:
  vantrell::UsbDriver& driver_;
};

class AgreeingPrompt final : public vantrell::Prompt {
 public:
  vantrell::BoxAnswer Show(const vantrell::PromptMessage&) override { return vantrell::BoxAnswer::Ok; }
};

class NullUpdateView final : public vantrell::FirmwareUpdateView {
 public:
  void SetDeviceStatus(const std::string&) override {}
  void ResetProgress(int) override {}
  void StepProgress() override {}
  void SetByteCounter(const vantrell::ByteCount&) override {}
  void UpdateFinished() override {}
};

// The same driver calls, and nothing else.
double BareLoopSeconds(vantrell::UsbDriver& driver, const std::vector<RecordingDriver::Call>& calls) {
  std::array<std::uint8_t, 64> frame{};
  std::array<std::uint8_t, 64> reply{};
  const auto start = Clock::now();
  driver.OpenDevice(0);
  for (const RecordingDriver::Call& call : calls) {
    std::uint32_t count = 0;
    if (call.request.empty()) {
      driver.Read(reply.data(), 64, &count, call.timeoutMs);
      continue;
    }
    std::copy(call.request.begin(), call.request.end(), frame.begin());
    driver.Write(frame.data(), static_cast<std::uint32_t>(call.request.size()), &count, call.timeoutMs);
  }
  driver.Close();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void ConfigureLatency(SimHarness& sim, std::int64_t latencyUs) {
  const std::string error = sim.ConfigureError({{"latency_us", latencyUs}});
  if (!error.empty()) throw std::runtime_error(error);
}

// Times run against a bare loop of the requests it sent. Both go once
// before timing, so that neither pays for the simulator's first touch of its
// flash or for cold caches.
template <typename Run>
void Measure(benchmark::State& state, RecordingDriver& driver, Run run) {
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

// Erase, program and verify 512 KiB in 4 KB sectors on every socket, the log on.
void BM_ProgramRunAgainstTheBareLoop(benchmark::State& state) {
  SimHarness sim;
  vantrell::test::ChipDeviceSpec spec;
  spec.sectorSizeKb = 4;
  spec.flashSizeKb = 512;
  sim.SetFirmware(vantrell::test::MakeChipImage(spec));
  ConfigureLatency(sim, state.range(0));

  vantrell::test::TempDir dir;
  std::vector<std::uint8_t> data(512 * 1024);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 31 + (i >> 9));
  const std::string path = dir.File("image.bin");
  vantrell::test::WriteBytes(path, data);
  vantrell::DownloadJob job;
  job.paths = {path};
  job.sectors = {0};
  job.checksums = {vantrell::ChecksumOf(data)};

  vantrell::MessageLog log;
  log.Create(dir.File("bench Log.txt"));
  RecordingDriver driver(sim.Driver());
  vantrell::WriterLink link(driver, log);
  AgreeingPrompt prompt;
  vantrell::BusyState busy;
  vantrell::ProgrammingSession session(link, prompt, busy);
  session.SetDevice(vantrell::test::SelectedDeviceFor(spec, "VELORA-BENCH"));
  session.SetOptions({.erase = true, .program = true, .verify = true});
  auto view = std::make_shared<vantrell::NullDownloadWindowView>();

  Measure(state, driver, [&] {
    session.StartRun(job, view);
    session.WaitForWorker();
  });
}
BENCHMARK(BM_ProgramRunAgainstTheBareLoop)->Arg(0)->Arg(125)->Arg(1000)->UseManualTime()->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Writing and verifying a 128 KiB image into the writer's own flash.
void BM_FirmwareUpdateAgainstTheBareLoop(benchmark::State& state) {
  SimHarness sim;
  ConfigureLatency(sim, state.range(0));
  const std::vector<std::uint8_t> image = vantrell::test::MakeImage(0x0123, 0x0105, 128 * 1024);

  vantrell::test::TempDir dir;
  vantrell::MessageLog log;
  log.Create(dir.File("bench Log.txt"));
  RecordingDriver driver(sim.Driver());
  vantrell::WriterLink link(driver, log);
  AgreeingPrompt prompt;
  NullUpdateView view;

  Measure(state, driver, [&] {
    link.OpenLink();
    if (!vantrell::UpdateWriterFirmware({link, prompt, view, image, {}})) state.SkipWithError("the update failed");
  });
}
BENCHMARK(BM_FirmwareUpdateAgainstTheBareLoop)->Arg(0)->Arg(125)->Arg(1000)->UseManualTime()->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
