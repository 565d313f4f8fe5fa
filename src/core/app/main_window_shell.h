#pragma once
// The window-side steps of the main window's start-up and close.
namespace vantrell {

struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

class MainWindowShell {
 public:
  virtual ~MainWindowShell() = default;
  virtual void MoveWindowTo(int left, int top) = 0;
  virtual void SetComboIndex(int index) = 0;
  // -1 when nothing is selected.
  virtual int ComboIndex() const = 0;
  // The window's normal (restored) rectangle, also while it is minimised.
  virtual WindowRect RestoredRect() const = 0;
};

}  // namespace vantrell
