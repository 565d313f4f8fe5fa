#pragma once
// What the main window keeps for the download window's operations: the
// selected device, the run options, the result counters, the last job, the
// sockets still alive after the last run, and the worker thread. The download
// window starts runs here and abandons them here when it closes.
//
// Threads: every method is meant for the window's thread. A run works on a
// snapshot of the device, options and job taken when it starts, so changing
// them during a run takes effect at the next run.
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>

#include "core/devices/device_record.h"
#include "core/program/chip/chip_types.h"
#include "core/program/job/download_job.h"
#include "core/program/window/download_window_view.h"
#include "core/operation/operation_runner.h"
#include "core/operation/result_counters.h"
#include "core/operation/run_clock.h"
#include "core/program/window/run_options.h"
#include "core/program/run/run_recorder.h"
#include "core/program/window/run_view.h"

namespace vantrell {

class BusyLease;
class BusyState;
class DownloadRun;
class Prompt;
class WriterLink;

class ProgrammingSession final : public RunRecorder {
 public:
  // busy is the main window's one busy state, shared with every other
  // operation that uses the link. The session must be destroyed before the
  // link, prompt and busy state it refers to.
  ProgrammingSession(WriterLink& link, Prompt& prompt, BusyState& busy, SecondsClock clock = SystemSeconds);
  // Abandons a run still going and waits for its worker to let go.
  ~ProgrammingSession() override;
  ProgrammingSession(const ProgrammingSession&) = delete;
  ProgrammingSession& operator=(const ProgrammingSession&) = delete;

  void SetDevice(const SelectedDevice& device);
  SelectedDevice Device() const;
  // 2 for "MINI-VELORA…" devices, else 7.
  std::size_t SocketCount() const;

  void SetOptions(const RunOptions& options);
  RunOptions Options() const;

  // Loaded from and saved to the settings store by the window.
  void SetCounters(const ResultCounters& counters);
  ResultCounters Counters() const;
  void ResetCounters() { SetCounters({}); }

  // ChipAlive as the last run left it.
  SocketFlags LastChipAlive() const;
  // The code the last run that was not abandoned ended with; nothing before.
  std::optional<LinkResult> LastEnding() const;
  // The job of the last run started.
  DownloadJob Job() const;

  // The download sequence with the current options over job (built by the
  // window from its list). Turns the run buttons off through view and starts
  // the worker. While another operation holds the link: false, after the
  // operator has been told so, with nothing else changed.
  bool StartRun(DownloadJob job, std::shared_ptr<DownloadWindowView> view);
  // Asks "Internal Flash Memory will be erased all. Continue?"; on Yes clears
  // the in-memory Program option (so the run is not counted), turns the run
  // buttons off and starts the Erase All worker. False on No, or while another
  // operation holds the link (the operator is told so, nothing is asked).
  bool StartEraseAll(std::shared_ptr<DownloadWindowView> view);

  // The window is closing: a run still going is abandoned (it shows, logs,
  // counts and sends nothing more), its view is detached and the link is
  // closed, which also ends an exchange the worker is waiting in. Never waits
  // for the worker. Safe when no run is going.
  void Abandon();

  // A worker thread has not yet finished.
  bool IsRunning() const { return runner_.IsRunning(); }
  // Waits for the worker thread. Not from the window's thread while a run
  // that has not been abandoned may still be waiting on the window.
  void WaitForWorker();

  std::optional<ResultCounters> RecordRun(const RunControl& control, LinkResult code, const SocketFlags& alive,
                                          const ResultCounters* added) override;

 private:
  using Worker = int (*)(DownloadRun&);
  void Launch(BusyLease lease, DownloadJob job, const RunOptions& options, std::shared_ptr<DownloadWindowView> view,
              Worker worker);

  WriterLink& link_;
  Prompt& prompt_;
  BusyState& busy_;
  const SecondsClock clock_;

  mutable std::mutex mutex_;
  SelectedDevice device_;
  RunOptions options_;
  ResultCounters counters_;
  SocketFlags lastAlive_{};
  std::optional<LinkResult> lastEnding_;
  DownloadJob job_;
  OperationRunner<DownloadWindowView> runner_{link_, mutex_};
};

}  // namespace vantrell
