// What the host adds to the wire for the NAND window's two long operations,
// with the message log on and buffered as the program buffers it: Read
// Block of 64 blocks of 128 KiB (about 135 000 exchanges) and the download
// of a 4 MiB file, each against the simulator at zero latency and compared
// with a bare loop of the same exchanges (wire_measure.h).
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/common/busy_state.h"
#include "core/app/log_buffering.h"
#include "core/link/message_log.h"
#include "core/link/writer_link.h"
#include "core/nand/download/nand_download.h"
#include "core/nand/operations/nand_session.h"
#include "core/nand/operations/nand_starts.h"
#include "core/nand/operations/nand_workers.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"
#include "wire_measure.h"

namespace {

using vantrell::NandEdit;
using vantrell::bench::Measure;

// A NAND window that shows nothing and whose edits hold what the bench typed.
class TypedNandView final : public vantrell::NandWindowView {
 public:
  explicit TypedNandView(std::map<NandEdit, std::string> edits) : edits_(std::move(edits)) {}
  void SetRange(int, int) override {}
  void SetPosition(int) override {}
  void SetShowPercentage(bool) override {}
  void SetInformationText(vantrell::NandInfoField, const std::string&) override {}
  void SetFatStartEditText(const std::string&) override {}
  void SetStatusText(const std::string&) override {}
  std::string EditText(NandEdit edit) override {
    std::lock_guard<std::mutex> lock(mutex_);
    return edits_[edit];
  }
  void DisableOperationControls() override {}
  void DisableReadBadBlock() override {}
  void RestoreAll(bool) override {}
  void EnableRefresh() override {}
  void EnableReadBadBlock() override {}
  void ShowBadBlockList(std::int32_t, std::span<const std::int32_t>) override {}
  void ShowReadBlocks(std::span<const std::uint8_t>) override {}

 private:
  std::mutex mutex_;
  std::map<NandEdit, std::string> edits_;
};

// The NAND session over a 1024-block board of 128 KiB blocks, refreshed, its
// link recorded, its log written to a file.
struct NandBench {
  explicit NandBench(benchmark::State& state) {
    vantrell::test::NandDeviceSpec board;
    board.blockSize = 128 * 1024;
    board.blockCount = 1024;
    board.badBlocks = {};
    sim.SetFirmware(vantrell::test::MakeNandImage(board));
    vantrell::bench::ConfigureLatency(sim, state.range(0));
    log.Create(dir.File("bench Log.txt"));
    vantrell::BufferLogDuringOperations(busy, log);
    session.SetDevice({.name = "ORBELLE-BENCH-NAND"});
    Run(&vantrell::RefreshWorker);
  }
  void Run(vantrell::NandWorker worker) {
    session.Start(worker, vantrell::NandBusy::OperationControls, view);
    session.WaitForWorker();
  }

  vantrell::test::SimHarness sim;
  vantrell::test::TempDir dir;
  vantrell::MessageLog log;
  vantrell::bench::RecordingDriver driver{sim.Driver()};
  vantrell::WriterLink link{driver, log};
  vantrell::bench::AgreeingPrompt prompt;
  vantrell::BusyState busy;
  vantrell::NandSession session{link, prompt, busy};
  std::shared_ptr<TypedNandView> view = std::make_shared<TypedNandView>(std::map<NandEdit, std::string>{
      {NandEdit::File1Start, "00100"}, {NandEdit::ReadStart, "00100"}, {NandEdit::ReadCount, "00064"}});
};

void BM_NandReadBlockAgainstTheBareLoop(benchmark::State& state) {
  NandBench bench(state);
  Measure(state, bench.driver, [&] { bench.Run(&vantrell::ReadBlockWorker); });
}
BENCHMARK(BM_NandReadBlockAgainstTheBareLoop)->Arg(0)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_NandDownloadAgainstTheBareLoop(benchmark::State& state) {
  NandBench bench(state);
  std::vector<std::uint8_t> data(4 * 1024 * 1024);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 13 + (i >> 11));
  const std::string path = bench.dir.File("image.bin");
  vantrell::test::WriteBytes(path, data);
  vantrell::NandFiles files = bench.session.Files();
  files[0] = {"image.bin", path};
  bench.session.SetFiles(files);
  vantrell::NandDownloadChoice choice;
  choice.fileChecked[0] = true;
  choice.startBlocks[0] = 100;

  Measure(state, bench.driver, [&] {
    if (!vantrell::StartNandDownload(bench.session, choice, bench.view)) state.SkipWithError("the download was refused");
    bench.session.WaitForWorker();
  });
}
BENCHMARK(BM_NandDownloadAgainstTheBareLoop)->Arg(0)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
