#pragma once
// The download window as one run reaches it: the attached window while the
// run goes on, a null view once the run is abandoned.
#include <memory>

#include "core/operation/view_slot.h"
#include "core/program/window/download_window_view.h"

namespace vantrell {

using DownloadViewSlot = ViewSlot<DownloadWindowView>;

using RunView = ActiveView<DownloadWindowView>;

// A slot that starts with view attached and falls back to a null view.
inline std::shared_ptr<DownloadViewSlot> MakeDownloadViewSlot(std::shared_ptr<DownloadWindowView> view) {
  return std::make_shared<DownloadViewSlot>(std::move(view), std::make_shared<NullDownloadWindowView>());
}

}  // namespace vantrell
