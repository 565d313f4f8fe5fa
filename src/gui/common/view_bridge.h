#pragma once
// How a worker reaches a window through the window's view interface: calls
// it needs an answer from, or whose order the operator sees, are carried to
// the GUI thread and waited for, like a window message sent from another
// thread; frequent display updates are posted and coalesced. The window
// detaches itself when it closes; a call already on its way then finds no
// window and does nothing. The bridge may outlive the window: the worker's
// run holds it through a shared pointer.
#include <QCoreApplication>
#include <memory>

#include "gui/common/coalesced_posts.h"
#include "gui/common/gui_thread.h"

namespace vantrell::gui {

template <typename View>
class ViewBridge {
 public:
  // window is the GUI-thread implementation; it must detach before it goes.
  explicit ViewBridge(View& window) : target_(std::make_shared<Target>(&window)) {}

  // From the GUI thread only.
  void Detach() { target_->window = nullptr; }

 protected:
  // Runs call with the window on the GUI thread and waits for it.
  template <typename Call>
  void OnWindow(Call call) {
    // The application object outlives every window, so the call always has
    // a thread to run on, whatever became of the window meanwhile.
    RunOnGuiThread(QCoreApplication::instance(), [this, &call] {
      if (target_->window != nullptr) call(*target_->window);
    });
  }

  // Runs call with the window on the GUI thread later, unless a newer call
  // of the same kind replaces it first.
  template <typename Call>
  void PostToWindow(int kind, Call call) {
    posts_.Post(kind, [target = target_, call = std::move(call)] {
      if (target->window != nullptr) call(*target->window);
    });
  }

 private:
  struct Target {
    View* window;  // read and written on the GUI thread only
  };
  std::shared_ptr<Target> target_;
  CoalescedPosts posts_;
};

}  // namespace vantrell::gui
