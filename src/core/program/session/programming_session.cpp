#include "core/program/session/programming_session.h"

#include "core/common/prompt.h"
#include "core/link/writer_link.h"
#include "core/common/busy_refusal.h"
#include "core/program/run/download_run.h"
#include "core/program/run/download_worker.h"
#include "core/program/run/erase_all_worker.h"
#include "core/program/chip/socket_board.h"

namespace vantrell {

ProgrammingSession::ProgrammingSession(WriterLink& link, Prompt& prompt, BusyState& busy, SecondsClock clock)
    : link_(link), prompt_(prompt), busy_(busy), clock_(clock ? std::move(clock) : SecondsClock(SystemSeconds)) {}

ProgrammingSession::~ProgrammingSession() {
  if (IsRunning()) Abandon();
  WaitForWorker();
}

void ProgrammingSession::SetDevice(const SelectedDevice& device) {
  std::lock_guard<std::mutex> lock(mutex_);
  device_ = device;
}

SelectedDevice ProgrammingSession::Device() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return device_;
}

std::size_t ProgrammingSession::SocketCount() const { return SocketCountFor(Device().name); }

void ProgrammingSession::SetOptions(const RunOptions& options) {
  std::lock_guard<std::mutex> lock(mutex_);
  options_ = options;
}

RunOptions ProgrammingSession::Options() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return options_;
}

void ProgrammingSession::SetCounters(const ResultCounters& counters) {
  std::lock_guard<std::mutex> lock(mutex_);
  counters_ = counters;
}

ResultCounters ProgrammingSession::Counters() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return counters_;
}

SocketFlags ProgrammingSession::LastChipAlive() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lastAlive_;
}

std::optional<LinkResult> ProgrammingSession::LastEnding() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lastEnding_;
}

DownloadJob ProgrammingSession::Job() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return job_;
}

bool ProgrammingSession::StartRun(DownloadJob job, std::shared_ptr<DownloadWindowView> view) {
  std::optional<BusyLease> lease = TakeLinkOrSayBusy(busy_, prompt_);
  if (!lease) return false;
  Launch(std::move(*lease), std::move(job), Options(), std::move(view), &DownloadWorker);
  return true;
}

bool ProgrammingSession::StartEraseAll(std::shared_ptr<DownloadWindowView> view) {
  std::optional<BusyLease> lease = TakeLinkOrSayBusy(busy_, prompt_);
  if (!lease) return false;
  if (!prompt_.Agrees(Question(kApplicationTitle, "Internal Flash Memory will be erased all. Continue?"))) {
    return false;
  }
  RunOptions options;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    options_.program = false;
    options = options_;
  }
  Launch(std::move(*lease), DownloadJob{}, options, std::move(view), &EraseAllWorker);
  return true;
}

void ProgrammingSession::Launch(BusyLease lease, DownloadJob job, const RunOptions& options,
                                std::shared_ptr<DownloadWindowView> view, Worker worker) {
  // The previous worker has given the link back, so it is past its last step.
  WaitForWorker();
  if (view) view->DisableRunButtons();

  auto views = MakeDownloadViewSlot(std::move(view));
  RunSetup setup{Device(), options, job, clock_};
  auto run = std::make_shared<DownloadRun>(link_, prompt_, std::move(lease), views, *this, std::move(setup));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    job_ = std::move(job);
  }
  runner_.Start(run->chip.control, views, [run, worker] { worker(*run); });
}

void ProgrammingSession::Abandon() { runner_.Abandon(); }

void ProgrammingSession::WaitForWorker() { runner_.Wait(); }

std::optional<ResultCounters> ProgrammingSession::RecordRun(const RunControl& control, LinkResult code,
                                                            const SocketFlags& alive, const ResultCounters* added) {
  // Under the same lock as Abandon: a run abandoned a moment ago leaves the
  // counters as the window saved them.
  std::lock_guard<std::mutex> lock(mutex_);
  if (control.Abandoned()) return std::nullopt;
  lastEnding_ = code;
  lastAlive_ = alive;
  if (added) counters_.Add(*added);
  return counters_;
}

}  // namespace vantrell
