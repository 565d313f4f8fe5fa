// The dump view's in-place editor: where it opens, what a commit does, and
// how its move and format codes carry it to another item or field.
#include "core/controls/hexdump/hex_dump_model.h"

namespace vantrell {
namespace {

constexpr int kNextFieldCode = 10;
constexpr int kPreviousFieldCode = 11;
// 14 to 18: the value formats in their order (hexadecimal to ASCII).
constexpr int kFirstFormatCode = 14;

NumEditMode EditModeOf(DumpFormat format) {
  switch (format) {
    case DumpFormat::Decimal: return NumEditMode::Decimal;
    case DumpFormat::Binary: return NumEditMode::Binary;
    case DumpFormat::Octal: return NumEditMode::Octal;
    case DumpFormat::Ascii: return NumEditMode::Ascii;
    default: return NumEditMode::Hexadecimal;
  }
}

}  // namespace

std::optional<DumpEditorRequest> HexDumpModel::OpenEditor(int area, int item) {
  if (!AreaShown(style_, area) || item < 0 || item >= count_) return std::nullopt;
  if (ReadOnly() && !IsAddressArea(area)) return std::nullopt;
  if (IsDataArea(area)) {
    if (itemsPerRow_ <= 0) return std::nullopt;  // no cell to open it over
    BringIntoView(item);
  }
  DumpEditorRequest request;
  request.area = area;
  request.item = item;
  if (IsAddressArea(area)) {
    request.maximum = static_cast<std::uint32_t>(count_ - 1);
    request.value = static_cast<std::uint32_t>(item);
  } else {
    request.mode = EditModeOf(FormatOfArea(area));
    request.byteSize = ItemBytes();
    request.maximum = WordMode() ? 0xFFFF : 0xFF;
    request.value = ItemValue(item);
  }
  editArea_ = area;
  editItem_ = item;
  editMinimum_ = request.minimum;
  editMaximum_ = request.maximum;
  return request;
}

std::optional<DumpEditorRequest> HexDumpModel::OpenEditorForEnter() {
  if (EditorOpen()) return std::nullopt;
  for (DumpFormat format : kDumpValueFormats) {
    if (Has(ColumnBit(format))) return OpenEditor(ColumnArea(format), first_);
  }
  return OpenEditor(ColumnArea(DumpFormat::Address), first_);
}

std::optional<DumpEditorRequest> HexDumpModel::OpenInfoEditor(DumpFormat format) {
  if (ReadOnly()) return std::nullopt;
  return OpenEditor(FieldArea(format), first_);
}

std::optional<DumpEditorRequest> HexDumpModel::DoubleClick(const DumpHit& hit,
                                                           std::optional<DumpEditorText> openEditor) {
  if (hit.area == kDumpNoArea) return std::nullopt;
  if (EditorOpen()) {
    // A value is committed on the way out; an address text is dropped.
    if (IsAddressArea(editArea_) || !openEditor || !CommitEditor(*openEditor)) CloseEditor();
  }
  if (IsValueCell(hit.area)) SelectOnly(hit.item);
  if (ReadOnly() && !IsAddressArea(hit.area)) return std::nullopt;
  if (hit.area == ColumnArea(DumpFormat::Address)) return OpenEditor(hit.area, hit.item);
  if (IsInfoArea(hit.area)) return OpenEditor(hit.area, CurrentItem());
  return OpenEditor(hit.area, first_);
}

bool HexDumpModel::CommitEditor(const DumpEditorText& text) {
  if (!EditorOpen() || text.value < editMinimum_ || text.value > editMaximum_) return false;
  const int area = editArea_;
  const int item = editItem_;
  CloseEditor();
  if (!text.changed) return true;
  if (IsAddressArea(area)) {
    SetCursorItem(static_cast<int>(text.value), true);
  } else if (notify_ != nullptr) {
    notify_->DumpValueEdited(viewId_, item, text.value);
  }
  return true;
}

std::optional<DumpEditorRequest> HexDumpModel::MoveEditor(int code, const DumpEditorText& text) {
  if (!EditorOpen() || IsAddressArea(editArea_)) return std::nullopt;
  int area = editArea_;
  const int item = editItem_;
  if (!CommitEditor(text)) return std::nullopt;
  if (code == kNextFieldCode || code == kPreviousFieldCode) {
    area = NextShownField(area, code == kNextFieldCode ? 1 : -1);
    return OpenEditor(area, item);
  }
  const std::optional<DumpMove> move = MoveOfEditorCode(code);
  if (!move) return std::nullopt;
  Move(*move);
  return OpenEditor(area, first_);
}

int HexDumpModel::NextShownField(int area, int step) const {
  // The value fields of a group (columns or info fields) in a cycle.
  const int group = area & ~0xF;
  int index = static_cast<int>(FormatOfArea(area)) - static_cast<int>(DumpFormat::Hexadecimal);
  for (int tries = 0; tries < 5; ++tries) {
    index = (index + step + 5) % 5;
    const int candidate = group | static_cast<int>(kDumpValueFormats[index]);
    if (AreaShown(style_, candidate)) return candidate;
  }
  return area;
}

std::optional<DumpEditorRequest> HexDumpModel::ChangeEditorFormat(int code) {
  const int index = code - kFirstFormatCode;
  if (!EditorOpen() || ReadOnly() || index < 0 || index >= 5) return std::nullopt;
  const int area = FieldArea(kDumpValueFormats[index]);
  if (!AreaShown(style_, area) || area == editArea_) return std::nullopt;
  const int item = editItem_;
  CloseEditor();  // the open editor's text is dropped
  return OpenEditor(area, item);
}

}  // namespace vantrell
