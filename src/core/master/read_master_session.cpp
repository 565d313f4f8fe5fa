#include "core/master/read_master_session.h"

#include "core/common/busy_refusal.h"
#include "core/link/writer_link.h"
#include "core/master/read_master_worker.h"

namespace vantrell {

ReadMasterSession::ReadMasterSession(WriterLink& link, Prompt& prompt, BusyState& busy)
    : link_(link), prompt_(prompt), busy_(busy) {}

ReadMasterSession::~ReadMasterSession() {
  Abandon();
  WaitForWorker();
}

std::shared_ptr<const MasterBytes> ReadMasterSession::StartRead(const MasterReadRequest& request,
                                                                std::shared_ptr<ReadMasterView> view) {
  std::optional<BusyLease> lease = TakeLinkOrSayBusy(busy_, prompt_);
  if (!lease) return nullptr;
  // The previous worker has given the link back, so it is past its last step.
  WaitForWorker();

  auto views = MakeReadMasterViewSlot(std::move(view));
  auto run = std::make_shared<MasterReadRun>(link_, prompt_, std::move(*lease), views, request);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    lastOutcome_.reset();
  }
  runner_.Start(run->chip.control, views, [run] { ReadMasterWorker(*run); },
                [this, run] { lastOutcome_ = run->outcome; });
  return run->data;
}

void ReadMasterSession::Abandon() {
  // Without a read going the link may be another operation's.
  if (IsRunning()) runner_.Abandon();
}

void ReadMasterSession::WaitForWorker() { runner_.Wait(); }

std::optional<LinkResult> ReadMasterSession::LastOutcome() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lastOutcome_;
}

MessageLog& ReadMasterSession::Log() { return link_.Log(); }

}  // namespace vantrell
