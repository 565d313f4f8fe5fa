#pragma once
// The download window as one run reaches it: the attached window while the
// run goes on, a null view once the run is abandoned.
#include <memory>

#include "core/program/run/download_window_view.h"
#include "core/operation/run_control.h"
#include "core/operation/view_slot.h"

namespace vantrell {

using DownloadViewSlot = ViewSlot<DownloadWindowView>;

class RunView {
 public:
  RunView(const DownloadViewSlot& slot, const RunControl& control) : slot_(slot), control_(control) {}

  // view->SetPackLine(...): the view stays alive until the call returns.
  std::shared_ptr<DownloadWindowView> operator->() const { return control_.Abandoned() ? slot_.Null() : slot_.Get(); }

 private:
  const DownloadViewSlot& slot_;
  const RunControl& control_;
};

// A slot that starts with view attached and falls back to a null view.
inline std::shared_ptr<DownloadViewSlot> MakeDownloadViewSlot(std::shared_ptr<DownloadWindowView> view) {
  return std::make_shared<DownloadViewSlot>(std::move(view), std::make_shared<NullDownloadWindowView>());
}

}  // namespace vantrell
