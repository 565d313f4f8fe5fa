#pragma once
// How a worker reaches a window through the window's view interface: calls
// it needs an answer from, or whose order the operator sees, are sent — carried
// to the GUI thread and waited for, like a window message sent from another
// thread; frequent display updates are posted and coalesced. The window
// detaches itself when it closes; a call already on its way then finds no
// window and does nothing, and a sent call that returns a value answers a
// value-initialised one (false, an empty text). The bridge may outlive the
// window: the worker's run holds it through a shared pointer.
//
// A bridge forwards each method of its view with Send or Post; a method it
// does not override keeps the interface's own default.
#include <QCoreApplication>
#include <memory>
#include <type_traits>
#include <utility>

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
  // Calls method on the window on the GUI thread and waits for it. The
  // arguments are passed on as they are: the caller waits, so they live.
  template <typename Owner, typename Result, typename... Params, typename... Args>
  Result Send(Result (Owner::*method)(Params...), Args&&... args) {
    static_assert(std::is_base_of_v<Owner, View>);
    if constexpr (std::is_void_v<Result>) {
      SendCall([&](View& window) { (window.*method)(std::forward<Args>(args)...); });
    } else {
      Result result{};
      SendCall([&](View& window) { result = (window.*method)(std::forward<Args>(args)...); });
      return result;
    }
  }

  // Calls method on the window on the GUI thread later, unless a newer call
  // of the same kind replaces it first. The arguments are copied, so a view
  // of the worker's memory (a span) must never be posted.
  template <typename Owner, typename... Params, typename... Args>
  void Post(int kind, void (Owner::*method)(Params...), Args&&... args) {
    static_assert(std::is_base_of_v<Owner, View>);
    posts_.Post(kind, [target = target_, method, ... copies = std::decay_t<Args>(std::forward<Args>(args))] {
      WithWindow(*target, [&](View& window) { (window.*method)(copies...); });
    });
  }

 private:
  struct Target {
    View* window;  // read and written on the GUI thread only
  };

  // On the GUI thread: the one place a call meets a window that has gone.
  template <typename Call>
  static void WithWindow(const Target& target, Call&& call) {
    if (target.window != nullptr) call(*target.window);
  }

  template <typename Call>
  void SendCall(Call&& call) {
    // The application object outlives every window, so the call always has
    // a thread to run on, whatever became of the window meanwhile.
    RunOnGuiThread(QCoreApplication::instance(), [&] { WithWindow(*target_, call); });
  }

  std::shared_ptr<Target> target_;
  CoalescedPosts posts_;
};

}  // namespace vantrell::gui
