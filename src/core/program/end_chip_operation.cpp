#include "core/program/end_chip_operation.h"

#include "core/program/chip_ending.h"
#include "core/program/download_run.h"

namespace vantrell {
namespace {

void RecordAndShowCounters(DownloadRun& run) {
  const ResultCounters added = CountRun(run.board.SocketCount(), run.board.AliveCount());
  const auto counters = run.recorder.RecordRun(*run.chip.control, run.board.Alive(), run.options.program ? &added : nullptr);
  if (counters && run.options.program) run.view->ShowCounters(*counters);
}

}  // namespace

int EndChipOperation(DownloadRun& run, LinkResult code) {
  if (!run.Abandoned()) {
    ReportChipEnding(code, run.chip);
    run.chip.channel.LogText(kExitDownloadLine);
    RecordAndShowCounters(run);
    run.chip.channel.Close();
  }
  // The file is this run's own; nobody else may close it under the worker.
  run.file.Close();
  run.view->RestoreButtons();
  run.chip.lease.Release();
  return 0;
}

}  // namespace vantrell
