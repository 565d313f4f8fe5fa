// Per-packet displays posted from a worker: never waited for, the latest
// value wins, and a call the worker waits for afterwards finds it shown.
#include "gui/common/coalesced_posts.h"

#include <QApplication>
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "gui/common/gui_thread.h"

namespace vantrell::gui {
namespace {

TEST(CoalescedPosts, AWaitedCallAfterManyPostsFindsTheLastValueShown) {
  int shown = -1;
  CoalescedPosts posts;
  constexpr int kPosts = 20000;
  int shownAtTheWaitedCall = -2;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 1; i <= kPosts; ++i) posts.Post(0, [&shown, i] { shown = i; });
    RunOnGuiThread(QCoreApplication::instance(), [&] { shownAtTheWaitedCall = shown; });
    done = true;
  });
  while (!done) QApplication::processEvents(QEventLoop::AllEvents, 5);
  worker.join();
  EXPECT_EQ(shownAtTheWaitedCall, kPosts);
}

}  // namespace
}  // namespace vantrell::gui
