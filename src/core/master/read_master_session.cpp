#include "core/master/read_master_session.h"

#include "core/app/busy_refusal.h"
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
    activeControl_ = run->chip.control;
    activeViews_ = views;
    lastOutcome_.reset();
  }
  running_.store(true);
  worker_ = std::thread([this, run] {
    ReadMasterWorker(*run);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      lastOutcome_ = run->outcome;
    }
    running_.store(false);
  });
  return run->data;
}

void ReadMasterSession::Abandon() {
  if (!IsRunning()) return;
  std::shared_ptr<ReadMasterViewSlot> views;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (activeControl_) activeControl_->Abandon();
    views = activeViews_;
  }
  if (views) views->Detach();
  link_.CloseLink();
}

void ReadMasterSession::WaitForWorker() {
  if (worker_.joinable()) worker_.join();
}

std::optional<LinkResult> ReadMasterSession::LastOutcome() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lastOutcome_;
}

MessageLog& ReadMasterSession::Log() { return link_.Log(); }

}  // namespace vantrell
