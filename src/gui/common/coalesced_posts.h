#pragma once
// Display updates a worker makes often (a status text, a progress step),
// carried to the GUI thread without waiting for it: an update replaces one
// of the same kind that is not shown yet, so only the newest counts, and the
// newest is always shown. Updates of different kinds are shown in the order
// they first arrived. Calls the worker waits for, posted after these, run
// after them.
#include <functional>
#include <memory>

namespace vantrell::gui {

class CoalescedPosts {
 public:
  CoalescedPosts();

  // From any thread; show runs on the GUI thread.
  void Post(int kind, std::function<void()> show);

 private:
  struct Queue;
  // Shared with the event that shows the queue, which may run after this is gone.
  std::shared_ptr<Queue> queue_;
};

}  // namespace vantrell::gui
