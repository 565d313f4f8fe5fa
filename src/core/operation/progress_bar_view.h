#pragma once
// A percentage progress bar as a worker drives it (the Total Progress bar,
// the Read Master progress bar). Calls come from the worker thread; the GUI
// side carries them to its own thread and waits for them.

namespace vantrell {

class ProgressBarView {
 public:
  virtual ~ProgressBarView() = default;
  virtual void SetRange(int low, int high) = 0;
  virtual void SetPosition(int position) = 0;
  virtual void SetShowPercentage(bool show) = 0;
};

}  // namespace vantrell
