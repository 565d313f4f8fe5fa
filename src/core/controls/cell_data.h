#pragma once
// What the extended list control keeps per cell and per column.
#include <string>

#include "core/controls/colour.h"

namespace vantrell {

// Check-box states of cells and header columns.
inline constexpr int kNoCheckbox = 0;
inline constexpr int kUnchecked = 1;
inline constexpr int kChecked = 2;

// The toggle of a click: unchecked becomes checked, anything else unchecked.
constexpr int ToggledCheckbox(int state) { return state == kUnchecked ? kChecked : kUnchecked; }

// Passed for a colour, stands for the list's default colour.
inline constexpr ColourRef kListDefaultColour = 0xFFFFFFFF;

inline constexpr ColourRef kProgressCellGrey = 0xE0E0E0;
inline constexpr ColourRef kEmptyMessageColour = 0xDC4600;
inline constexpr const char* kDefaultEmptyMessage = "There are no items to show in this view.";
inline constexpr size_t kTooltipCharacters = 80;

enum class ColumnAlign { Left, Centre, Right };

struct ColumnDescription {
  std::string caption;
  int width = 100;
  ColumnAlign align = ColumnAlign::Left;
  // 1 or 2 puts a check box in that state into the column's header.
  int imageIndex = 0;
};

struct CellColours {
  ColourRef text;
  ColourRef background;
  bool operator==(const CellColours&) const = default;
};

struct CellData {
  std::string text;
  CellColours colours{};
  bool bold = false;
  int checkbox = kNoCheckbox;
  bool editable = false;
  bool progressShown = false;
  int progressPercent = 0;
  std::string progressFormat;  // empty: "%d%%"
  bool progressTextShown = true;
  bool modified = false;  // changed by the user
};

}  // namespace vantrell
