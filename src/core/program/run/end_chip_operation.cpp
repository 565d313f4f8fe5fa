#include "core/program/run/end_chip_operation.h"

#include "core/program/chip/chip_ending.h"
#include "core/program/run/download_run.h"

namespace vantrell {
namespace {

std::optional<ResultCounters> RecordAndShowCounters(DownloadRun& run, LinkResult code) {
  const ResultCounters added =
      CountRun(run.board.SocketCount(), run.board.AliveCount(), code == LinkResult::Finished);
  const auto counters = run.recorder.RecordRun(*run.chip.control, code, run.board.Alive(),
                                                run.options.program ? &added : nullptr);
  if (!counters || !run.options.program) return std::nullopt;
  run.view->ShowCounters(*counters);
  return counters;
}

void GiveAccount(DownloadRun& run, LinkResult code, const std::optional<ResultCounters>& counters) {
  for (const SocketVerdict& verdict : run.board.Verdicts(code == LinkResult::Finished)) run.view->SocketJudged(verdict);
  OperationEnd end;
  end.code = code;
  end.linkOpenFailed = run.chip.linkOpenFailed;
  end.counters = counters;
  end.bytes = run.FileBytesDone();
  end.elapsedSeconds = run.chip.ElapsedSeconds();
  run.view->OperationEnded(end);
}

}  // namespace

int EndChipOperation(DownloadRun& run, LinkResult code) {
  if (!run.Abandoned()) {
    ReportChipEnding(code, run.chip);
    run.chip.channel.LogText(kExitDownloadLine);
    const std::optional<ResultCounters> counters = RecordAndShowCounters(run, code);
    run.chip.channel.Close();
    GiveAccount(run, code, counters);
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
