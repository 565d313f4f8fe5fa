#pragma once
// One operation at a time may use the writer link. Every operation start
// takes the busy state and gives it back when the operation ends. Taking it
// also claims the writer machine-wide, so an operation of another program
// (another window, vantrell-cli) is refused the same way as one of this.
#include <atomic>
#include <functional>
#include <optional>

#include "core/platform/writer_claim.h"

namespace vantrell {

class BusyState {
 public:
  // Told, on the taking or giving thread, each time an operation takes the
  // link (true) and each time it gives it back (false), before another can
  // take it. Set once, before any operation starts.
  using Listener = std::function<void(bool busy)>;
  void SetListener(Listener listener) { listener_ = std::move(listener); }

  // True when the caller now owns the link; false when another operation,
  // of this program or another, runs.
  bool TryAcquire() {
    if (busy_.exchange(true)) return false;
    claim_ = WriterClaim::TryTake();
    if (!claim_) {
      busy_.store(false);
      return false;
    }
    if (listener_) listener_(true);
    return true;
  }
  void Release() {
    if (listener_) listener_(false);
    claim_.reset();
    busy_.store(false);
  }
  bool IsBusy() const { return busy_.load(); }

 private:
  std::atomic<bool> busy_{false};
  // Touched only by the operation that holds busy_.
  std::optional<WriterClaim> claim_;
  Listener listener_;
};

}  // namespace vantrell
