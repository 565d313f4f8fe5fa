#pragma once
// How the read worker reaches the Read Master window: every call is carried
// to the GUI thread and waited for, like a window message sent from another
// thread (the bar moves in quarters, so that is a handful of calls a read).
// The window detaches itself when it closes; a call already on its way then
// finds no window and does nothing. The bridge may outlive the window: the
// worker's view slot holds it through a shared pointer.
#include "core/master/read_master_view.h"

namespace vantrell::gui {

class ReadMasterViewBridge final : public ReadMasterView {
 public:
  // window is the GUI-thread implementation; it must detach before it goes.
  explicit ReadMasterViewBridge(ReadMasterView& window) : window_(&window) {}

  // From the GUI thread only.
  void Detach() { window_ = nullptr; }

  void SetRange(int low, int high) override;
  void SetPosition(int position) override;
  void SetShowPercentage(bool show) override;
  void ShowFinishedRead() override;
  void EnableReadRun() override;

 private:
  // Runs call on the GUI thread with the window, when there still is one.
  template <typename Call>
  void OnWindow(Call call);

  // Read and written on the GUI thread only.
  ReadMasterView* window_;
};

}  // namespace vantrell::gui
