#pragma once
// Ctrl+C. The signal handler only raises a flag and writes a byte to a pipe
// (on Windows the console's control handler, on a thread of its own, sets an
// event); the main thread, waiting on it, abandons what runs the way closing
// its window would.
#include <atomic>
#include <chrono>
#include <functional>

namespace vantrell::cli {

class Interrupt {
 public:
  Interrupt();
  ~Interrupt();
  Interrupt(const Interrupt&) = delete;
  Interrupt& operator=(const Interrupt&) = delete;

  // Safe in a signal handler.
  void Raise();
  bool Raised() const { return raised_.load(); }
#if defined(_WIN32)
  // Signalled once raised: for waits on other handles too.
  void* WakeEvent() const { return wakeEvent_; }
#else
  // Readable once raised: for waits on other descriptors too.
  int WakeDescriptor() const { return pipe_[0]; }
#endif

  // Waits until done() holds (checked at least every period) or Raise. True
  // when done() held.
  bool WaitUntil(const std::function<bool()>& done,
                 std::chrono::milliseconds period = std::chrono::milliseconds(50)) const;

 private:
  std::atomic<bool> raised_{false};
#if defined(_WIN32)
  void* wakeEvent_ = nullptr;
#else
  int pipe_[2] = {-1, -1};
#endif
};

// While it lives, SIGINT raises interrupt; SIGPIPE is ignored (a reader of
// the events that went away must not end a run half way). On Windows Ctrl+C
// and Ctrl+Break in the console raise it. One at a time.
class InterruptOnCtrlC {
 public:
  explicit InterruptOnCtrlC(Interrupt& interrupt);
  ~InterruptOnCtrlC();
  InterruptOnCtrlC(const InterruptOnCtrlC&) = delete;
  InterruptOnCtrlC& operator=(const InterruptOnCtrlC&) = delete;
};

}  // namespace vantrell::cli
