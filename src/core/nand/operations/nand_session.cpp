#include "core/nand/operations/nand_session.h"

#include "core/common/busy_lease.h"
#include "core/common/busy_refusal.h"
#include "core/link/writer_link.h"
#include "core/nand/operations/nand_run.h"

namespace vantrell {

NandSession::NandSession(WriterLink& link, Prompt& prompt, BusyState& busy)
    : link_(link), prompt_(prompt), busy_(busy) {}

NandSession::~NandSession() {
  if (IsRunning()) Abandon();
  WaitForWorker();
}

void NandSession::SetDevice(const SelectedDevice& device) {
  std::lock_guard<std::mutex> lock(mutex_);
  device_ = device;
}

SelectedDevice NandSession::Device() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return device_;
}

NandFlashState NandSession::Flash() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return flash_;
}

NandFiles NandSession::Files() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return files_;
}

void NandSession::SetFiles(const NandFiles& files) {
  std::lock_guard<std::mutex> lock(mutex_);
  files_ = files;
}

void NandSession::SetDownload(std::shared_ptr<const NandDownload> download) {
  std::lock_guard<std::mutex> lock(mutex_);
  download_ = std::move(download);
}

bool NandSession::Start(NandWorker worker, NandBusy busy, std::shared_ptr<NandWindowView> view) {
  std::optional<BusyLease> lease = TakeLinkOrSayBusy(busy_, prompt_);
  if (!lease) return false;
  // The previous worker has given the link back, so it is past its last step.
  WaitForWorker();
  if (view && busy == NandBusy::OperationControls) view->DisableOperationControls();
  if (view && busy == NandBusy::ReadBadBlockOnly) view->DisableReadBadBlock();

  auto views = MakeNandViewSlot(std::move(view));
  auto run = std::make_shared<NandRun>(link_, prompt_, std::move(*lease), views, *this, Flash());
  {
    std::lock_guard<std::mutex> lock(mutex_);
    run->download = download_;
    lastOutcome_.reset();
  }
  runner_.Start(run->control, views, [run, worker] { worker(*run); }, [this, run] { lastOutcome_ = run->outcome; });
  return true;
}

void NandSession::Abandon() { runner_.Abandon(); }

void NandSession::WaitForWorker() { runner_.Wait(); }

std::optional<LinkResult> NandSession::LastOutcome() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lastOutcome_;
}

void NandSession::KeepFlashState(const RunControl& control, const NandFlashState& state) {
  // Under the same lock as Abandon: a run abandoned a moment ago keeps nothing.
  std::lock_guard<std::mutex> lock(mutex_);
  if (!control.Abandoned()) flash_ = state;
}

}  // namespace vantrell
