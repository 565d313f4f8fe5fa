#pragma once
// Workers never touch widgets: what they show reaches the GUI thread through
// here, posted or waited for like a window message sent from another thread.
#include <atomic>
#include <cstdint>
#include <functional>

class QObject;

namespace vantrell::gui {

// How many times a worker has waited for the GUI thread so far. Each wait
// costs the worker a round trip through the GUI thread's event queue, so the
// packet loops must not make one per packet.
inline std::atomic<std::uint64_t> blockingGuiCalls{0};

// Runs work on the GUI thread later, in the order posted. Qt's event queue
// only wakes the GUI thread; the work itself is handed over through a
// standard mutex, which the thread sanitizer sees (it cannot see inside Qt).
// Without an application object, or when it goes first, work is dropped.
void PostToGuiThread(std::function<void()> work);

// Runs work on the GUI thread and waits for it. Runs it at once when the
// caller already is on the GUI thread. When context goes before the call
// runs, the call is dropped and the caller goes on.
void RunOnGuiThread(QObject* context, const std::function<void()>& work);

}  // namespace vantrell::gui
