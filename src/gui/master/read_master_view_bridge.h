#pragma once
// How the read worker reaches the Read Master window: every call is carried
// to the GUI thread and waited for, like a window message sent from another
// thread (the bar moves in quarters, so that is a handful of calls a read).
// The worker's view slot holds the bridge through a shared pointer.
#include "core/master/read_master_view.h"
#include "gui/common/view_bridge.h"

namespace vantrell::gui {

class ReadMasterViewBridge final : public ReadMasterView, public ViewBridge<ReadMasterView> {
 public:
  using ViewBridge::ViewBridge;

  void SetRange(int low, int high) override;
  void SetPosition(int position) override;
  void SetShowPercentage(bool show) override;
  void ShowFinishedRead() override;
  void EnableReadRun() override;
};

}  // namespace vantrell::gui
