#pragma once
// Where everything of a dump view goes, from the font's metrics and the
// client size alone: the info bar and its fields, the header row, the data
// columns, how many items a row holds and how many rows fit, the scroll
// range, and what a point is over. Pure geometry: no painting, no toolkit.
#include <cstdint>
#include <string>
#include <vector>

#include "core/controls/hexdump/dump_style.h"

namespace vantrell {

struct DumpRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool IsEmpty() const { return width <= 0 || height <= 0; }
  bool Contains(int x, int y) const { return x >= left && x < Right() && y >= top && y < Bottom(); }
  bool operator==(const DumpRect&) const = default;
};

struct DumpMetrics {
  int lineHeight = 0;
  int charWidth = 0;
};

// A line is the text height and a fifth, truncated; a character is the
// font's average character width.
constexpr DumpMetrics DumpMetricsOf(int textHeight, int averageCharWidth) {
  return {textHeight * 12 / 10, averageCharWidth};
}

struct DumpInfoField {
  int area = kDumpNoArea;
  std::string caption;  // "Addr:0x", "Hex:", ...
  DumpRect rect;        // caption and value
  DumpRect valueRect;
};

struct DumpColumn {
  int area = kDumpNoArea;
  DumpRect rect;       // the column over the whole data area
  int cellsLeft = 0;   // where the first item of a row starts
  int cellWidth = 0;   // the address column has one cell as wide as itself
};

struct DumpCaption {
  DumpRect rect;
  std::string text;
};

struct DumpLayoutInput {
  DumpMetrics metrics;
  int clientWidth = 0;
  int clientHeight = 0;
  int scrollBarWidth = 0;
  std::uint32_t style = 0;
};

class HexDumpLayout {
 public:
  static constexpr int kInfoBarFrame = 2;  // the raised frame's width

  HexDumpLayout() = default;
  explicit HexDumpLayout(const DumpLayoutInput& input);

  const DumpLayoutInput& Input() const { return input_; }
  // Empty when no info field is on.
  const DumpRect& InfoBar() const { return infoBar_; }
  // The fields that fit, in order; a field wider than the bar is left out.
  const std::vector<DumpInfoField>& InfoFields() const { return infoFields_; }
  const DumpInfoField* InfoField(int area) const;
  // Empty when the header row is off; the separating line lies just below.
  const DumpRect& HeaderRow() const { return headerRow_; }
  std::vector<DumpCaption> HeaderCaptions() const;
  // The data rows' area, left of the scroll bar.
  const DumpRect& DataArea() const { return dataArea_; }
  // Along the right edge, beside the header and the data rows.
  DumpRect ScrollBarRect() const;
  const std::vector<DumpColumn>& Columns() const { return columns_; }
  const DumpColumn* Column(int area) const;

  int ItemsPerRow() const { return itemsPerRow_; }
  int VisibleRows() const { return visibleRows_; }
  int VisibleItems() const { return itemsPerRow_ * visibleRows_; }

  bool NeedsScrollBar(int count) const;
  // The last scroll position: ceil((count - visible items) / items per row).
  int MaxScrollRow(int count) const;

  // Info fields first, then the data cells of the shown rows. An info field
  // gives no item; the address column gives its row's first item.
  DumpHit HitTest(int x, int y, int top, int count) const;
  // The cell of an item in a data column; empty when it is not on screen.
  DumpRect CellRect(int area, int item, int top) const;

 private:
  void PlaceInfoBar();
  void PlaceHeaderRow(int top);
  void PlaceColumns();

  DumpLayoutInput input_;
  DumpRect infoBar_;
  std::vector<DumpInfoField> infoFields_;
  DumpRect headerRow_;
  DumpRect dataArea_;
  std::vector<DumpColumn> columns_;
  int itemsPerRow_ = 0;
  int visibleRows_ = 0;
};

}  // namespace vantrell
