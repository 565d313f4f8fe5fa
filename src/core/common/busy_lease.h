#pragma once
// Ownership of the writer link for one operation, taken from the main
// window's busy state and given back exactly once: by the end-of-operation
// routine, or when an abandoned worker's thread finally lets go of it.
#include <optional>
#include <utility>

#include "core/common/busy_state.h"

namespace vantrell {

class BusyLease {
 public:
  BusyLease() = default;
  // A lease when the link was free, nothing when another operation holds it.
  static std::optional<BusyLease> TryTake(BusyState& busy) {
    if (!busy.TryAcquire()) return std::nullopt;
    return BusyLease(&busy);
  }

  BusyLease(BusyLease&& other) noexcept : busy_(std::exchange(other.busy_, nullptr)) {}
  BusyLease& operator=(BusyLease&& other) noexcept {
    if (this != &other) {
      Release();
      busy_ = std::exchange(other.busy_, nullptr);
    }
    return *this;
  }
  BusyLease(const BusyLease&) = delete;
  BusyLease& operator=(const BusyLease&) = delete;
  ~BusyLease() { Release(); }

  bool Held() const { return busy_ != nullptr; }
  void Release() {
    if (busy_) std::exchange(busy_, nullptr)->Release();
  }

 private:
  explicit BusyLease(BusyState* busy) : busy_(busy) {}
  BusyState* busy_ = nullptr;
};

}  // namespace vantrell
