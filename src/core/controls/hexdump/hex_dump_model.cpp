// The dump view's configuration, values, selection, scrolling and keyboard.
#include "core/controls/hexdump/hex_dump_model.h"

#include <algorithm>

#include "core/controls/hexdump/dump_text.h"

namespace vantrell {

HexDumpModel::HexDumpModel(const SystemColours& system) : colours_(DefaultDumpColours(system)) {}

void HexDumpModel::SetDisplayStyle(std::uint32_t style) {
  style_ = style;
  count_ = WordMode() ? buffer_.ByteLength() / 2 : buffer_.ByteLength();
  ResetToFirstItem();
}

void HexDumpModel::SetReadOnly(bool readOnly) {
  style_ = readOnly ? style_ | kDumpReadOnly : style_ & ~std::uint32_t{kDumpReadOnly};
  if (readOnly && EditorOpen() && !IsAddressArea(editArea_)) CloseEditor();
}

void HexDumpModel::SetDumpData(std::int32_t byteLength, const std::uint8_t* data, const std::uint8_t* reference) {
  buffer_ = DumpBuffer(data, reference, byteLength);
  // An odd byte length in word mode leaves its last byte out.
  count_ = WordMode() ? buffer_.ByteLength() / 2 : buffer_.ByteLength();
  ResetToFirstItem();
}

void HexDumpModel::ResetToFirstItem() {
  CloseEditor();
  tracking_ = false;
  hover_ = {};
  ForgetTip();
  top_ = 0;
  // The old selection means nothing for new data, even when there is none.
  SelectOnly(0);
}

void HexDumpModel::SelectOnly(int item) { first_ = last_ = anchor_ = item; }

std::uint32_t HexDumpModel::ItemValue(int item) const {
  if (item < 0 || item >= count_) return 0;
  return buffer_.Value(std::int64_t{item} * ItemBytes(), ItemBytes(), !Has(kDumpLowByteFirst));
}

bool HexDumpModel::ItemDiffers(int item) const {
  if (!buffer_.HasOwnReference() || item < 0 || item >= count_) return false;
  const std::int64_t at = std::int64_t{item} * ItemBytes();
  return buffer_.Value(at, ItemBytes(), true) != buffer_.ReferenceValue(at, ItemBytes(), true);
}

std::string HexDumpModel::ItemText(DumpFormat format, int item) const {
  if (format == DumpFormat::Address) return DumpValueText(format, static_cast<std::uint32_t>(item), 4, 0);
  return DumpValueText(format, ItemValue(item), ItemBytes(), unprintable_);
}

std::string HexDumpModel::InfoFieldText(int area) const { return ItemText(FormatOfArea(area), CurrentItem()); }

int HexDumpModel::CurrentItem() const {
  if (EditorOpen() && IsInfoArea(editArea_)) return editItem_;
  if (IsDataArea(hover_.area)) return hover_.item;
  if (EditorOpen()) return editItem_;
  return first_;
}

void HexDumpModel::SetGeometry(int itemsPerRow, int visibleItems) {
  itemsPerRow_ = std::max(itemsPerRow, 0);
  visibleItems_ = std::max(visibleItems, 0);
  if (itemsPerRow_ == 0) {
    top_ = 0;
    return;
  }
  // Top stays on a row start and within the range of the new geometry.
  top_ = std::min(top_ - top_ % itemsPerRow_, MaxScrollRow() * itemsPerRow_);
}

std::vector<std::uint8_t> HexDumpModel::SelectedBytes() const {
  if (count_ == 0) return {};
  const std::int64_t first = std::int64_t{first_} * ItemBytes();
  const std::int64_t last = std::int64_t{last_} * ItemBytes() + ItemBytes() - 1;
  return buffer_.Bytes(first, last);
}

void HexDumpModel::SetCursorItem(int index, bool scroll) {
  index = std::max(index, 0);
  if (index >= count_) return;
  CloseEditor();
  SelectOnly(index);
  if (scroll) BringIntoView(index);
}

void HexDumpModel::ClampSelection() {
  if (first_ < count_) return;
  first_ = last_ = 0;
}

void HexDumpModel::SetTop(std::int64_t top) {
  const std::int64_t highest = std::int64_t{MaxScrollRow()} * itemsPerRow_;
  const int clamped = static_cast<int>(std::clamp<std::int64_t>(top, 0, highest));
  if (clamped == top_) return;
  top_ = clamped;
  if (notify_ != nullptr) notify_->DumpTopChanged(viewId_, top_);
}

void HexDumpModel::ScrollToRow(int row) {
  if (EditorOpen() && IsDataArea(editArea_)) CloseEditor();
  SetTop(std::int64_t{row} * itemsPerRow_);
}

void HexDumpModel::BringIntoView(int item) {
  if (itemsPerRow_ <= 0 || item < 0 || item >= count_) return;
  const std::int64_t rowStart = item - item % itemsPerRow_;
  if (rowStart < top_) {
    SetTop(rowStart);
  } else if (item >= std::int64_t{top_} + visibleItems_) {
    SetTop(rowStart + itemsPerRow_ - visibleItems_);
  }
}

void HexDumpModel::Move(DumpMove move) {
  CloseEditor();
  const std::int64_t target = MoveTarget(move, first_, Grid());
  if (target < 0 || target >= count_) return ScrollForTarget(target);
  SelectOnly(static_cast<int>(target));
  BringIntoView(first_);
}

void HexDumpModel::ScrollForTarget(std::int64_t target) {
  if (target < 0 || count_ == 0 || itemsPerRow_ <= 0) return SetTop(0);
  const int last = count_ - 1;
  const bool cursorOnLastRow = first_ / itemsPerRow_ == last / itemsPerRow_;
  BringIntoView(cursorOnLastRow ? first_ : last);
}

}  // namespace vantrell
