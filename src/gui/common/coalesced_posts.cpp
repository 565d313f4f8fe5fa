#include "gui/common/coalesced_posts.h"

#include "gui/common/gui_thread.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace vantrell::gui {

struct CoalescedPosts::Queue {
  std::mutex mutex;
  std::vector<std::pair<int, std::function<void()>>> pending;
  bool scheduled = false;

  // On the GUI thread: shows what is pending, newest of each kind.
  void ShowPending() {
    std::vector<std::pair<int, std::function<void()>>> shows;
    {
      std::lock_guard<std::mutex> lock(mutex);
      shows.swap(pending);
      scheduled = false;
    }
    for (auto& [kind, show] : shows) show();
  }
};

CoalescedPosts::CoalescedPosts() : queue_(std::make_shared<Queue>()) {}

void CoalescedPosts::Post(int kind, std::function<void()> show) {
  bool schedule = false;
  {
    std::lock_guard<std::mutex> lock(queue_->mutex);
    auto& pending = queue_->pending;
    auto same = std::find_if(pending.begin(), pending.end(), [kind](const auto& p) { return p.first == kind; });
    if (same != pending.end()) same->second = std::move(show);
    else pending.emplace_back(kind, std::move(show));
    schedule = !std::exchange(queue_->scheduled, true);
  }
  if (schedule) PostToGuiThread([queue = queue_] { queue->ShowPending(); });
}

}  // namespace vantrell::gui
