#pragma once
// A copyable handle on one abandon flag, for a worker that is not one of the
// operations on the chips or the NAND flash (the firmware update, the
// updater): the window cancels, and from then on the worker touches neither
// the link nor the window again. The flag is the operations' own RunControl.
#include <memory>

#include "core/common/run_control.h"

namespace vantrell {

class CancellationToken {
 public:
  CancellationToken() : control_(std::make_shared<RunControl>()) {}
  void Cancel() const { control_->Abandon(); }
  bool IsCancelled() const { return control_->Abandoned(); }
  const RunControl& Control() const { return *control_; }

 private:
  std::shared_ptr<RunControl> control_;  // shared by every copy
};

}  // namespace vantrell
