#pragma once
// Lets a window abandon the worker it started: the window cancels, and from
// then on the worker touches neither the link nor the window again.
#include <atomic>
#include <memory>

namespace vantrell {

class CancellationToken {
 public:
  CancellationToken() : cancelled_(std::make_shared<std::atomic<bool>>(false)) {}
  void Cancel() const { cancelled_->store(true); }
  bool IsCancelled() const { return cancelled_->load(); }

 private:
  std::shared_ptr<std::atomic<bool>> cancelled_;  // shared by every copy
};

}  // namespace vantrell
