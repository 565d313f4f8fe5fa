#pragma once
// The Read Master window as its read worker sees it: the progress bar that
// Read Data moves, and what the end of a read shows.
#include <cstdint>
#include <memory>

#include "core/operation/operation_account.h"
#include "core/operation/progress_bar_view.h"
#include "core/operation/view_slot.h"

namespace vantrell {

class ReadMasterView : public ProgressBarView, public OperationAccount {
 public:
  // A finished read: the bytes in the left dump view, read data marked
  // present, Save As, Clear and Compare Open on, Compare Run on when a
  // comparison file is loaded.
  virtual void ShowFinishedRead() = 0;
  // Read Run on, after every read.
  virtual void EnableReadRun() = 0;
};

// What an abandoned read talks to: nothing is shown.
class NullReadMasterView : public ReadMasterView {
 public:
  void SetRange(int, int) override {}
  void SetPosition(int) override {}
  void SetShowPercentage(bool) override {}
  void ShowFinishedRead() override {}
  void EnableReadRun() override {}
};

using ReadMasterViewSlot = ViewSlot<ReadMasterView>;

// The progress bar and the account of the Read Master window attached to a
// slot, looked up call by call, so Read Data stops showing progress once the
// window is gone. It keeps the bytes the read has received.
class AttachedReadProgress final : public ProgressBarView, public OperationAccount {
 public:
  explicit AttachedReadProgress(const ReadMasterViewSlot& slot) : slot_(slot) {}
  void SetRange(int low, int high) override { slot_.Get()->SetRange(low, high); }
  void SetPosition(int position) override { slot_.Get()->SetPosition(position); }
  void SetShowPercentage(bool show) override { slot_.Get()->SetShowPercentage(show); }
  void StageProgress(std::uint64_t done) override {
    received_ = done;
    slot_.Get()->StageProgress(done);
  }

  std::uint64_t Received() const { return received_; }

 private:
  const ReadMasterViewSlot& slot_;
  std::uint64_t received_ = 0;
};

inline std::shared_ptr<ReadMasterViewSlot> MakeReadMasterViewSlot(std::shared_ptr<ReadMasterView> view) {
  return std::make_shared<ReadMasterViewSlot>(std::move(view), std::make_shared<NullReadMasterView>());
}

}  // namespace vantrell
