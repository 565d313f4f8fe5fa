#pragma once
// The worker thread of a session's operations: one at a time, each with its
// abandon flag and the slot of the window it updates. A session starts its
// operations here and abandons them here when its window closes.
//
// The session's own lock guards what the runner keeps, so that what a worker
// hands back for the session (counters, the flash state, an outcome) can be
// taken under the same lock as the abandon: an operation abandoned a moment
// ago hands back nothing.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "core/link/writer_link.h"
#include "core/common/run_control.h"
#include "core/operation/view_slot.h"

namespace vantrell {

template <typename View>
class OperationRunner {
 public:
  OperationRunner(WriterLink& link, std::mutex& sessionLock) : link_(link), lock_(sessionLock) {}
  ~OperationRunner() { Wait(); }
  OperationRunner(const OperationRunner&) = delete;
  OperationRunner& operator=(const OperationRunner&) = delete;

  // Runs work on the worker thread for the operation with control and views.
  // The previous worker must have given the link back: it is then past its
  // last step and is joined first. afterwards runs on the worker, once work
  // returned, under the session's lock.
  void Start(std::shared_ptr<RunControl> control, std::shared_ptr<ViewSlot<View>> views, std::function<void()> work,
             std::function<void()> afterwards = nullptr) {
    Wait();
    {
      std::lock_guard<std::mutex> lock(lock_);
      control_ = std::move(control);
      views_ = std::move(views);
    }
    running_.store(true);
    worker_ = std::thread([this, work = std::move(work), afterwards = std::move(afterwards)] {
      work();
      if (afterwards) {
        std::lock_guard<std::mutex> lock(lock_);
        afterwards();
      }
      running_.store(false);
    });
  }

  // The window is closing: the operation shows, logs and sends nothing more,
  // its view is detached and the link closed, which also ends an exchange the
  // worker waits in. Never waits for the worker.
  void Abandon() {
    std::shared_ptr<ViewSlot<View>> views;
    {
      std::lock_guard<std::mutex> lock(lock_);
      if (control_) control_->Abandon();
      views = views_;
    }
    if (views) views->Detach();
    link_.CloseLink();
  }

  bool IsRunning() const { return running_.load(); }
  void Wait() {
    if (worker_.joinable()) worker_.join();
  }

 private:
  WriterLink& link_;
  std::mutex& lock_;
  std::shared_ptr<RunControl> control_;
  std::shared_ptr<ViewSlot<View>> views_;
  std::thread worker_;
  std::atomic<bool> running_{false};
};

}  // namespace vantrell
