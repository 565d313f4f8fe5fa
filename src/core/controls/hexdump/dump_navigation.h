#pragma once
// Where the cursor of a dump view goes for each move of the keyboard table
// and of the in-place editor's move codes. The target may lie outside the
// items; what then happens is the view's business.
#include <cstdint>
#include <optional>

namespace vantrell {

enum class DumpMove {
  PreviousItem,  // Left
  NextItem,      // Right
  RowUp,         // Up
  RowDown,       // Down
  PageUp,        // below 0: the cursor's place in its row
  PageDown,
  RowStart,   // Home
  RowEnd,     // End: at most the last item
  FirstItem,  // Ctrl+Home
  LastItem,   // Ctrl+End
};

struct DumpGrid {
  int itemsPerRow = 0;
  int visibleItems = 0;
  int count = 0;
};

std::int64_t MoveTarget(DumpMove move, int cursor, const DumpGrid& grid);

// The editor's move codes 2 to 9, 12 and 13; none for the others.
std::optional<DumpMove> MoveOfEditorCode(int code);

// The last scroll position (in rows) of count items: ceil((count - visible
// items) / items per row), 0 when everything fits or nothing does.
int MaxScrollRow(const DumpGrid& grid);

}  // namespace vantrell
