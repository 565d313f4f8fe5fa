#pragma once
// The flag a window raises when it closes while its worker runs. From then on
// the worker touches neither the link, the file, the window nor the main
// window's run state: it only finds its way out and gives the link back.
#include <atomic>

namespace vantrell {

class RunControl {
 public:
  void Abandon() { abandoned_.store(true); }
  bool Abandoned() const { return abandoned_.load(); }

 private:
  std::atomic<bool> abandoned_{false};
};

}  // namespace vantrell
