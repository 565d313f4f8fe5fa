#pragma once
// What the updater's window shows while the update runs on its own thread.
// Calls come from that thread; none of them waits for an answer.
#include <string>

namespace vantrell {

class UpdaterView {
 public:
  virtual ~UpdaterView() = default;
  // The one line saying what is going on.
  virtual void ShowStatus(const std::string& text) = 0;
  // The whole update's progress, 0 to 100.
  virtual void ShowProgress(int percent) = 0;
  // A line for the list of what was done, refused or went wrong.
  virtual void Log(const std::string& line) = 0;
};

}  // namespace vantrell
