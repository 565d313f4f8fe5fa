#pragma once
// What the extended list control tells the window that shows it, and what it
// asks the window's parent. Calls come from inside the model's operations;
// a receiver may call back into the model (every operation re-checks its
// indexes after a call returns).
#include <string>

namespace vantrell {

class CellListEvents {
 public:
  virtual ~CellListEvents() = default;

  // A cell's look changed: redraw it.
  virtual void CellChanged(int row, int column) = 0;
  // A header column's check box or caption colour changed: redraw it.
  virtual void HeaderChanged(int column) = 0;
  // The user toggled a check box; row -1 is the column's header box.
  virtual void CheckboxClicked(int row, int column) = 0;
  // Before an in-place edit opens; false keeps it closed.
  virtual bool BeginLabelEdit(int row, int column) = 0;
  // When an in-place edit ends; text is null when it was cancelled. True
  // accepts the text as the cell's new text.
  virtual bool EndLabelEdit(int row, int column, const std::string* text) = 0;
};

}  // namespace vantrell
