#pragma once
// Workers never touch widgets: what they show reaches the GUI thread through
// here, synchronously, like a window message sent from another thread.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace vantrell::gui {

// How many times a worker has waited for the GUI thread so far. Each wait
// costs the worker a round trip through the GUI thread's event queue, so the
// packet loops must not make one per packet.
inline std::atomic<std::uint64_t> blockingGuiCalls{0};

// Runs work on context's thread and waits for it, like a window message sent
// from another thread. Runs it at once when the caller already is on that
// thread. The hand-over goes through a standard mutex and condition, not
// only through Qt's event queue, so that the thread sanitizer (which cannot
// see inside Qt) sees the order as well. When context goes before the call
// runs, the call is dropped and the caller goes on.
inline void RunOnGuiThread(QObject* context, const std::function<void()>& work) {
  if (context == nullptr) return;
  if (QThread::currentThread() == context->thread()) {
    work();
    return;
  }
  blockingGuiCalls.fetch_add(1, std::memory_order_relaxed);
  struct Handoff {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
  };
  auto handoff = std::make_shared<Handoff>();
  { std::lock_guard<std::mutex> publish(handoff->mutex); }  // what the caller wrote is seen by the call
  // Whatever becomes of the call, the last copy of this lets the caller go.
  std::shared_ptr<void> release(nullptr, [handoff](void*) {
    {
      std::lock_guard<std::mutex> lock(handoff->mutex);
      handoff->done = true;
    }
    handoff->finished.notify_all();
  });
  QMetaObject::invokeMethod(
      context,
      [handoff, release, &work] {
        { std::lock_guard<std::mutex> see(handoff->mutex); }
        work();
      },
      Qt::QueuedConnection);
  release.reset();
  std::unique_lock<std::mutex> lock(handoff->mutex);
  handoff->finished.wait(lock, [&] { return handoff->done; });
}

}  // namespace vantrell::gui
