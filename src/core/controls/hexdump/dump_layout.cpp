#include "core/controls/hexdump/dump_layout.h"

#include <algorithm>

#include "core/controls/hexdump/dump_navigation.h"
#include "core/controls/hexdump/dump_text.h"

namespace vantrell {
namespace {

constexpr int kAddressColumnChars = 8 + 2;

// Characters one item takes in a value column: its text and a blank, ASCII
// items one character each.
int CellChars(DumpFormat format, bool wordMode) {
  return format == DumpFormat::Ascii ? 1 : ItemWidth(format, wordMode) + 1;
}

}  // namespace

HexDumpLayout::HexDumpLayout(const DumpLayoutInput& input) : input_(input) {
  // A font without size gives nothing to lay out (and nothing to divide by).
  if (input_.metrics.lineHeight <= 0 || input_.metrics.charWidth <= 0) return;
  PlaceInfoBar();
  PlaceHeaderRow(infoBar_.Bottom());
  PlaceColumns();
}

void HexDumpLayout::PlaceHeaderRow(int top) {
  int dataTop = top;
  if ((input_.style & kDumpHeaderRow) != 0) {
    headerRow_ = {0, top, std::max(input_.clientWidth - input_.scrollBarWidth, 0), input_.metrics.lineHeight};
    dataTop = headerRow_.Bottom() + 1;  // the line below the captions
  }
  dataArea_ = {0, dataTop, std::max(input_.clientWidth - input_.scrollBarWidth, 0),
               std::max(input_.clientHeight - dataTop, 0)};
  visibleRows_ = dataArea_.height / input_.metrics.lineHeight;
}

void HexDumpLayout::PlaceColumns() {
  const int charWidth = input_.metrics.charWidth;
  const bool wordMode = (input_.style & kDumpWordMode) != 0;
  const bool addressShown = (input_.style & kDumpAddressColumn) != 0;
  const bool asciiShown = (input_.style & kDumpAsciiColumn) != 0;
  int charsPerItem = 0;
  for (DumpFormat format : kDumpValueFormats) {
    if ((input_.style & ColumnBit(format)) != 0) charsPerItem += CellChars(format, wordMode);
  }
  // The ASCII cells have no blank of their own: half a character of margin
  // on either side keeps them off the neighbouring columns.
  const int asciiMargin = asciiShown ? charWidth : 0;
  const int addressWidth = addressShown ? kAddressColumnChars * charWidth : 0;
  const int room = dataArea_.width - addressWidth - asciiMargin;
  itemsPerRow_ = charsPerItem > 0 && room > 0 ? room / (charsPerItem * charWidth) : 0;

  int x = 0;
  if (addressShown) {
    columns_.push_back({ColumnArea(DumpFormat::Address), {x, dataArea_.top, addressWidth, dataArea_.height}, x,
                        addressWidth});
    x += addressWidth;
  }
  for (DumpFormat format : kDumpValueFormats) {
    if ((input_.style & ColumnBit(format)) == 0) continue;
    const int cellWidth = CellChars(format, wordMode) * charWidth;
    const int margin = format == DumpFormat::Ascii ? asciiMargin : 0;
    const int width = itemsPerRow_ * cellWidth + margin;
    columns_.push_back({ColumnArea(format), {x, dataArea_.top, width, dataArea_.height}, x + margin / 2, cellWidth});
    x += width;
  }
}

DumpRect HexDumpLayout::ScrollBarRect() const {
  const int top = headerRow_.IsEmpty() ? dataArea_.top : headerRow_.top;
  return {input_.clientWidth - input_.scrollBarWidth, top, input_.scrollBarWidth,
          std::max(input_.clientHeight - top, 0)};
}

const DumpColumn* HexDumpLayout::Column(int area) const {
  for (const DumpColumn& column : columns_) {
    if (column.area == area) return &column;
  }
  return nullptr;
}

std::vector<DumpCaption> HexDumpLayout::HeaderCaptions() const {
  std::vector<DumpCaption> captions;
  if (headerRow_.IsEmpty()) return captions;
  for (const DumpColumn& column : columns_) {
    const DumpFormat format = FormatOfArea(column.area);
    if (format != DumpFormat::Hexadecimal) {
      captions.push_back({{column.rect.left, headerRow_.top, column.rect.width, headerRow_.height},
                          ColumnCaption(format)});
      continue;
    }
    // Each offset over its own cell, so the captions stay over their items
    // whatever the number of items per row.
    for (int i = 0; i < itemsPerRow_; ++i) {
      std::string offset;
      AppendHexDigits(offset, static_cast<std::uint32_t>(i), i < 0x100 ? 2 : 4);
      captions.push_back({{column.cellsLeft + i * column.cellWidth, headerRow_.top, column.cellWidth,
                           headerRow_.height},
                          std::move(offset)});
    }
  }
  return captions;
}

bool HexDumpLayout::NeedsScrollBar(int count) const { return itemsPerRow_ > 0 && count > VisibleItems(); }

int HexDumpLayout::MaxScrollRow(int count) const {
  return vantrell::MaxScrollRow({itemsPerRow_, VisibleItems(), count});
}

DumpHit HexDumpLayout::HitTest(int x, int y, int top, int count) const {
  for (const DumpInfoField& field : infoFields_) {
    if (field.rect.Contains(x, y)) return {field.area, kDumpNoItem};
  }
  if (itemsPerRow_ <= 0 || !dataArea_.Contains(x, y)) return {};
  const int row = (y - dataArea_.top) / input_.metrics.lineHeight;
  if (row >= visibleRows_) return {};
  const std::int64_t rowStart = std::int64_t{top} + std::int64_t{row} * itemsPerRow_;
  if (rowStart >= count) return {};
  for (const DumpColumn& column : columns_) {
    if (column.area == ColumnArea(DumpFormat::Address)) {
      if (column.rect.Contains(x, y)) return {column.area, static_cast<int>(rowStart)};
      continue;
    }
    const int offset = x - column.cellsLeft;
    if (offset < 0 || offset >= itemsPerRow_ * column.cellWidth) continue;
    const std::int64_t item = rowStart + offset / column.cellWidth;
    if (item < count) return {column.area, static_cast<int>(item)};
    return {};
  }
  return {};
}

DumpRect HexDumpLayout::CellRect(int area, int item, int top) const {
  const DumpColumn* column = Column(area);
  if (column == nullptr || itemsPerRow_ <= 0 || item < top) return {};
  const std::int64_t shown = std::int64_t{item} - top;
  if (shown >= VisibleItems()) return {};
  const int row = static_cast<int>(shown / itemsPerRow_);
  const int y = dataArea_.top + row * input_.metrics.lineHeight;
  if (area == ColumnArea(DumpFormat::Address)) return {column->rect.left, y, column->rect.width, input_.metrics.lineHeight};
  const int index = static_cast<int>(shown % itemsPerRow_);
  return {column->cellsLeft + index * column->cellWidth, y, column->cellWidth, input_.metrics.lineHeight};
}

}  // namespace vantrell
