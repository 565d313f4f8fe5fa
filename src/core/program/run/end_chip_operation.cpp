#include "core/program/run/end_chip_operation.h"

#include "core/program/chip/chip_ending.h"
#include "core/program/run/download_run.h"

namespace vantrell {
namespace {

void RecordAndShowCounters(DownloadRun& run, LinkResult code) {
  const ResultCounters added =
      CountRun(run.board.SocketCount(), run.board.AliveCount(), code == LinkResult::Finished);
  const auto counters = run.recorder.RecordRun(*run.chip.control, code, run.board.Alive(),
                                                run.options.program ? &added : nullptr);
  if (counters && run.options.program) run.view->ShowCounters(*counters);
}

}  // namespace

int EndChipOperation(DownloadRun& run, LinkResult code) {
  if (!run.Abandoned()) {
    ReportChipEnding(code, run.chip);
    run.chip.channel.LogText(kExitDownloadLine);
    RecordAndShowCounters(run, code);
    run.chip.channel.Close();
  }
  // The file is this run's own; nobody else may close it under the worker.
  run.file.Close();
  // The link is free before the buttons come back, so a start made the
  // moment they do is not refused.
  run.chip.lease.Release();
  run.view->RestoreButtons();
  return 0;
}

}  // namespace vantrell
