#pragma once
// One operation at a time may use the writer link. Every operation start
// takes the busy state and gives it back when the operation ends.
#include <atomic>

namespace vantrell {

class BusyState {
 public:
  // True when the caller now owns the link; false when another operation runs.
  bool TryAcquire() { return !busy_.exchange(true); }
  void Release() { busy_.store(false); }
  bool IsBusy() const { return busy_.load(); }

 private:
  std::atomic<bool> busy_{false};
};

}  // namespace vantrell
