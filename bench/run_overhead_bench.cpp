// What the host adds to the wire: a whole Erase+Program+Verify run of 512 KiB
// on seven sockets and a firmware update of a 128 KiB image, run headless
// against the writer simulator at 0, 125 and 1000 us per exchange, each
// compared with a bare loop that sends the very same requests to the same
// simulator and reads the replies, doing nothing else (wire_measure.h).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/common/busy_state.h"
#include "core/app/firmware_update.h"
#include "core/app/firmware_update_view.h"
#include "core/common/prompt.h"
#include "core/link/message_log.h"
#include "core/link/writer_link.h"
#include "core/program/job/file_checksum.h"
#include "core/program/window/download_window_view.h"
#include "core/program/session/programming_session.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"
#include "wire_measure.h"

namespace {

using vantrell::bench::AgreeingPrompt;
using vantrell::bench::ConfigureLatency;
using vantrell::bench::Measure;
using vantrell::bench::RecordingDriver;
using vantrell::test::SimHarness;

class NullUpdateView final : public vantrell::FirmwareUpdateView {
 public:
  void SetDeviceStatus(const std::string&) override {}
  void ResetProgress(int) override {}
  void StepProgress() override {}
  void SetByteCounter(const vantrell::ByteCount&) override {}
  void UpdateFinished() override {}
};

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
