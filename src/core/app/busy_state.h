#pragma once
// One operation at a time may use the writer link. Every operation start
// takes the busy state and gives it back when the operation ends.
#include <atomic>
#include <functional>

namespace vantrell {

class BusyState {
 public:
  // Told, on the taking or giving thread, each time an operation takes the
  // link (true) and each time it gives it back (false), before another can
  // take it. Set once, before any operation starts.
  using Listener = std::function<void(bool busy)>;
  void SetListener(Listener listener) { listener_ = std::move(listener); }

  // True when the caller now owns the link; false when another operation runs.
  bool TryAcquire() {
    if (busy_.exchange(true)) return false;
    if (listener_) listener_(true);
    return true;
  }
  void Release() {
    if (listener_) listener_(false);
    busy_.store(false);
  }
  bool IsBusy() const { return busy_.load(); }

 private:
  std::atomic<bool> busy_{false};
  Listener listener_;
};

}  // namespace vantrell
