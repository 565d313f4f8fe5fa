#include "core/controls/hexdump/dump_navigation.h"

#include <algorithm>

namespace vantrell {

std::int64_t MoveTarget(DumpMove move, int cursor, const DumpGrid& grid) {
  const std::int64_t c = cursor;
  const int perRow = grid.itemsPerRow;
  // Without a row (a window too narrow for one item) row moves stay put.
  const std::int64_t rowStart = perRow > 0 ? c - c % perRow : c;
  switch (move) {
    case DumpMove::PreviousItem: return c - 1;
    case DumpMove::NextItem: return c + 1;
    case DumpMove::RowUp: return c - perRow;
    case DumpMove::RowDown: return c + perRow;
    case DumpMove::PageUp: {
      const std::int64_t target = c - grid.visibleItems;
      return target >= 0 || perRow <= 0 ? target : c % perRow;
    }
    case DumpMove::PageDown: return c + grid.visibleItems;
    case DumpMove::RowStart: return rowStart;
    case DumpMove::RowEnd:
      return std::min<std::int64_t>(rowStart + std::max(perRow - 1, 0), std::int64_t{grid.count} - 1);
    case DumpMove::FirstItem: return 0;
    case DumpMove::LastItem: return std::int64_t{grid.count} - 1;
  }
  return c;
}

std::optional<DumpMove> MoveOfEditorCode(int code) {
  switch (code) {
    case 2: return DumpMove::FirstItem;
    case 3: return DumpMove::LastItem;
    case 4: return DumpMove::RowStart;
    case 5: return DumpMove::RowEnd;
    case 6: return DumpMove::PreviousItem;
    case 7: return DumpMove::NextItem;
    case 8: return DumpMove::RowUp;
    case 9: return DumpMove::RowDown;
    case 12: return DumpMove::PageUp;
    case 13: return DumpMove::PageDown;
    default: return std::nullopt;
  }
}

int MaxScrollRow(const DumpGrid& grid) {
  if (grid.itemsPerRow <= 0 || grid.count <= grid.visibleItems) return 0;
  const std::int64_t hidden = std::int64_t{grid.count} - grid.visibleItems;
  return static_cast<int>((hidden + grid.itemsPerRow - 1) / grid.itemsPerRow);
}

}  // namespace vantrell
