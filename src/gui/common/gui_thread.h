#pragma once
// Workers never touch widgets: what they show reaches the GUI thread through
// here, synchronously, like a window message sent from another thread.
#include <atomic>
#include <cstdint>
#include <functional>

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace vantrell::gui {

// How many times a worker has waited for the GUI thread so far. Each wait
// costs the worker a round trip through the GUI thread's event queue, so the
// packet loops must not make one per packet.
inline std::atomic<std::uint64_t> blockingGuiCalls{0};

// Runs work on context's thread and waits for it. Runs it at once when the
// caller already is on that thread.
inline void RunOnGuiThread(QObject* context, const std::function<void()>& work) {
  if (context == nullptr) return;
  if (QThread::currentThread() == context->thread()) {
    work();
    return;
  }
  blockingGuiCalls.fetch_add(1, std::memory_order_relaxed);
  QMetaObject::invokeMethod(context, work, Qt::BlockingQueuedConnection);
}

}  // namespace vantrell::gui
