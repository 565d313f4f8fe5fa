#pragma once
// The dump view's state and behaviour without a window: the buffer it shows,
// its style, the first shown item, the selection and its cursor, the
// keyboard and editor moves, scrolling, what the pointer is over, the
// tooltip text, the in-place editor's life, and the notifications to the
// window the view reports to.
//
// The geometry (items per row, visible items) comes from the layout of the
// view's current size. Indexes are item indexes; no operation reads past the
// buffer, whatever the geometry.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/controls/hexdump/dump_buffer.h"
#include "core/controls/hexdump/dump_colours.h"
#include "core/controls/hexdump/dump_navigation.h"
#include "core/controls/hexdump/dump_notify.h"
#include "core/controls/hexdump/dump_style.h"
#include "core/controls/num_edit_text.h"

namespace vantrell {

// How to open the in-place editor (see CNumEdit::SetEditValue).
struct DumpEditorRequest {
  int area = kDumpNoArea;
  int item = kDumpNoItem;
  NumEditMode mode = NumEditMode::Hexadecimal;
  int byteSize = 0;  // 1 or 2 for values; 0 for addresses, which use minimum..maximum
  std::uint32_t minimum = 0;
  std::uint32_t maximum = 0;
  std::uint32_t value = 0;
};

// What the open editor holds when the view acts on it.
struct DumpEditorText {
  std::uint32_t value = 0;
  bool changed = false;  // differs from the text it was opened with
};

// What a pointer movement does to the tooltip.
enum class TipStep { Hide, Show };

struct DumpSelection {
  int first = 0;
  int last = 0;
  bool operator==(const DumpSelection&) const = default;
};

class HexDumpModel {
 public:
  explicit HexDumpModel(const SystemColours& system = {});

  // ----- Reporting -----
  void SetNotify(HexDumpNotify* notify) { notify_ = notify; }
  HexDumpNotify* Notify() const { return notify_; }
  void SetViewId(int viewId) { viewId_ = viewId; }
  int ViewId() const { return viewId_; }

  // ----- Configuration -----
  // Back to the first item, the selection on it, the editor closed.
  void SetDisplayStyle(std::uint32_t style);
  std::uint32_t Style() const { return style_; }
  bool Has(std::uint32_t bits) const { return (style_ & bits) != 0; }
  // Changes only the read-only bit; an editor on a value closes.
  void SetReadOnly(bool readOnly);
  bool ReadOnly() const { return Has(kDumpReadOnly); }
  // The buffers stay the caller's. Null data reads as zeros; a null
  // reference is the data itself.
  void SetDumpData(std::int32_t byteLength, const std::uint8_t* data, const std::uint8_t* reference);
  const DumpBuffer& Buffer() const { return buffer_; }
  int Count() const { return count_; }
  bool WordMode() const { return Has(kDumpWordMode); }
  void SetUnprintableChar(char ch) { unprintable_ = ch; }
  char UnprintableChar() const { return unprintable_; }
  void SetTipFormat(std::string format) { tipFormat_ = std::move(format); }
  const std::string& TipFormat() const { return tipFormat_; }
  void SetColours(const DumpColours& colours) { colours_ = colours; }
  const DumpColours& Colours() const { return colours_; }

  // ----- Values -----
  std::uint32_t ItemValue(int item) const;
  bool ItemDiffers(int item) const;
  std::string ItemText(DumpFormat format, int item) const;
  // The info bar field's value: the current item in the area's format.
  std::string InfoFieldText(int area) const;

  // ----- Geometry, from the layout of the current size -----
  void SetGeometry(int itemsPerRow, int visibleItems);
  DumpGrid Grid() const { return {itemsPerRow_, visibleItems_, count_}; }
  int Top() const { return top_; }
  int ScrollRow() const { return itemsPerRow_ > 0 ? top_ / itemsPerRow_ : 0; }
  int MaxScrollRow() const { return vantrell::MaxScrollRow(Grid()); }

  // ----- Selection -----
  DumpSelection SelectionRange() const { return {first_, last_}; }
  int Cursor() const { return first_; }
  int Anchor() const { return anchor_; }
  bool IsSelected(int item) const { return item >= first_ && item <= last_; }
  // The selected bytes (both ends of a word included), clipped to the buffer.
  std::vector<std::uint8_t> SelectedBytes() const;
  // Ignored at or beyond the count; a negative index counts as 0.
  void SetCursorItem(int index, bool scroll);
  // A selection left beyond the items (by a shorter buffer) goes back to 0.
  void ClampSelection();
  // The item the info bar describes.
  int CurrentItem() const;

  // ----- Scrolling: each notifies when the first shown item changes -----
  void ScrollToRow(int row);
  void ScrollByRows(int rows) { ScrollToRow(ScrollRow() + rows); }
  int PageRows() const { return itemsPerRow_ > 0 ? visibleItems_ / itemsPerRow_ : 0; }
  void BringIntoView(int item);

  // ----- Keyboard -----
  // A target outside the items leaves the cursor and only scrolls.
  void Move(DumpMove move);

  // ----- Pointer -----
  void PointerMoved(const DumpHit& hit);
  void PointerLeft() { hover_ = {}; }
  void LeftButtonDown(const DumpHit& hit);
  void LeftButtonUp();
  bool Tracking() const { return tracking_; }
  const DumpHit& Hover() const { return hover_; }
  // Sends 0x466 for the item under the pointer.
  void AnnounceMenu();
  TipStep PointerTip(const DumpHit& hit);
  const std::string& TipText() const { return tipText_; }
  void ForgetTip() { lastTipItem_ = kDumpNoItem; }

  // ----- In-place editor -----
  // Each opening returns how to open the editor, or none when nothing opens
  // (an open editor then stays as it is unless the rule closes it).
  bool EditorOpen() const { return editArea_ != kDumpNoArea; }
  int EditArea() const { return editArea_; }
  int EditItem() const { return editItem_; }
  std::optional<DumpEditorRequest> OpenEditor(int area, int item);
  std::optional<DumpEditorRequest> OpenEditorForEnter();
  std::optional<DumpEditorRequest> OpenInfoEditor(DumpFormat format);
  std::optional<DumpEditorRequest> DoubleClick(const DumpHit& hit, std::optional<DumpEditorText> openEditor);
  // False (and the editor stays) when the value is out of the editor's range.
  bool CommitEditor(const DumpEditorText& text);
  std::optional<DumpEditorRequest> MoveEditor(int code, const DumpEditorText& text);
  std::optional<DumpEditorRequest> ChangeEditorFormat(int code);
  void CloseEditor() {
    editArea_ = kDumpNoArea;
    editItem_ = kDumpNoItem;
  }

 private:
  void ResetToFirstItem();
  void SelectOnly(int item);
  void SetTop(std::int64_t top);
  void ScrollForTarget(std::int64_t target);
  int ItemBytes() const { return WordMode() ? 2 : 1; }
  int NextShownField(int area, int step) const;

  HexDumpNotify* notify_ = nullptr;
  int viewId_ = 0;
  std::uint32_t style_ = kDumpDefaultStyle;
  DumpBuffer buffer_;
  int count_ = 0;
  char unprintable_ = 0;
  std::string tipFormat_;
  DumpColours colours_;

  int itemsPerRow_ = 0;
  int visibleItems_ = 0;
  int top_ = 0;
  int first_ = 0;
  int last_ = 0;
  int anchor_ = 0;
  bool tracking_ = false;
  DumpHit hover_;
  int lastTipItem_ = kDumpNoItem;
  std::string tipText_;

  int editArea_ = kDumpNoArea;
  int editItem_ = kDumpNoItem;
  std::uint32_t editMinimum_ = 0;
  std::uint32_t editMaximum_ = 0;
};

}  // namespace vantrell
