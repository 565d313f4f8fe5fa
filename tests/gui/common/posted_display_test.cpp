// Per-packet displays posted from a worker: never waited for, the latest
// value wins, and a call the worker waits for afterwards finds it shown.
#include "gui/common/posted_display.h"

#include <QApplication>
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "gui/common/gui_thread.h"

namespace vantrell::gui {
namespace {

TEST(PostedDisplay, AWaitedCallAfterManyPostsFindsTheLastValueShown) {
  int shown = -1;
  PostedDisplay<int> display([&](const int& value) { shown = value; });
  constexpr int kPosts = 20000;
  int shownAtTheWaitedCall = -2;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 1; i <= kPosts; ++i) display.Post(i);
    RunOnGuiThread(QCoreApplication::instance(), [&] { shownAtTheWaitedCall = shown; });
    done = true;
  });
  while (!done) QApplication::processEvents(QEventLoop::AllEvents, 5);
  worker.join();
  EXPECT_EQ(shownAtTheWaitedCall, kPosts);
}

TEST(PostedDisplay, AnUpdateStillOnItsWayWhenTheDisplayGoesShowsNothing) {
  int shows = 0;
  std::thread worker;
  {
    PostedDisplay<int> display([&](const int&) { ++shows; });
    worker = std::thread([&] { display.Post(1); });
    worker.join();
  }
  QApplication::processEvents();
  EXPECT_EQ(shows, 0);
}

}  // namespace
}  // namespace vantrell::gui
