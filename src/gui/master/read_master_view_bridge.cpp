#include "gui/master/read_master_view_bridge.h"

#include <QCoreApplication>

#include "gui/common/gui_thread.h"

namespace vantrell::gui {

template <typename Call>
void ReadMasterViewBridge::OnWindow(Call call) {
  // The application object outlives every window, so the call always has a
  // thread to run on, whatever became of the window meanwhile.
  RunOnGuiThread(QCoreApplication::instance(), [this, &call] {
    if (window_ != nullptr) call(*window_);
  });
}

void ReadMasterViewBridge::SetRange(int low, int high) {
  OnWindow([&](ReadMasterView& w) { w.SetRange(low, high); });
}

void ReadMasterViewBridge::SetPosition(int position) {
  OnWindow([&](ReadMasterView& w) { w.SetPosition(position); });
}

void ReadMasterViewBridge::SetShowPercentage(bool show) {
  OnWindow([&](ReadMasterView& w) { w.SetShowPercentage(show); });
}

void ReadMasterViewBridge::ShowFinishedRead() {
  OnWindow([](ReadMasterView& w) { w.ShowFinishedRead(); });
}

void ReadMasterViewBridge::EnableReadRun() {
  OnWindow([](ReadMasterView& w) { w.EnableReadRun(); });
}

}  // namespace vantrell::gui
