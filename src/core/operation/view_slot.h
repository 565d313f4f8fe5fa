#pragma once
// Where a worker finds the window it updates. The window can be detached at
// any moment from its own thread; the worker then talks to a null view that
// shows nothing. A worker holds the view it got for the length of one call,
// so a detached window object is never released under a call in flight.
#include <memory>
#include <mutex>
#include <utility>

#include "core/common/run_control.h"

namespace vantrell {

template <typename View>
class ViewSlot {
 public:
  ViewSlot(std::shared_ptr<View> view, std::shared_ptr<View> nullView)
      : view_(view ? std::move(view) : nullView), null_(std::move(nullView)) {}

  std::shared_ptr<View> Get() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return view_;
  }
  std::shared_ptr<View> Null() const { return null_; }
  void Detach() {
    std::shared_ptr<View> old;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      old = std::exchange(view_, null_);
    }
    // The old view is let go outside the lock.
  }

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<View> view_;
  std::shared_ptr<View> null_;
};

// The window as one run reaches it: the attached window while the run goes
// on, the null view once the run is abandoned.
template <typename View>
class ActiveView {
 public:
  ActiveView(const ViewSlot<View>& slot, const RunControl& control) : slot_(slot), control_(control) {}

  // view->SetStatusText(...): the view stays alive until the call returns.
  std::shared_ptr<View> operator->() const { return control_.Abandoned() ? slot_.Null() : slot_.Get(); }

 private:
  const ViewSlot<View>& slot_;
  const RunControl& control_;
};

}  // namespace vantrell
