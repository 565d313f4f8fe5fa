// What the pointer does to a dump view: hover, drag selection, the context
// menu's announcement and the tooltip's text.
#include <algorithm>

#include "core/controls/hexdump/dump_tooltip.h"
#include "core/controls/hexdump/hex_dump_model.h"

namespace vantrell {

void HexDumpModel::PointerMoved(const DumpHit& hit) {
  hover_ = hit;
  if (tracking_ && IsValueCell(hit.area)) {
    first_ = std::min(anchor_, hit.item);
    last_ = std::max(anchor_, hit.item);
  }
}

void HexDumpModel::LeftButtonDown(const DumpHit& hit) {
  if (!IsValueCell(hit.area)) return;
  CloseEditor();
  SelectOnly(hit.item);
  BringIntoView(hit.item);
  tracking_ = Has(kDumpDragSelection);
}

void HexDumpModel::LeftButtonUp() {
  // A click without a drag selects one item and reports nothing.
  if (tracking_ && first_ != last_ && notify_ != nullptr) notify_->DumpSelectionMade(viewId_, first_, last_);
  tracking_ = false;
}

void HexDumpModel::AnnounceMenu() {
  if (notify_ != nullptr) notify_->DumpMenuOpening(viewId_, hover_.area, hover_.item);
}

TipStep HexDumpModel::PointerTip(const DumpHit& hit) {
  if (!IsValueCell(hit.area)) {
    tipText_.clear();
    ForgetTip();
    return TipStep::Hide;
  }
  // The text is built when the pointer reaches a new item and shown at the
  // next movement over it, so a sweep across the view shows no tips.
  if (hit.item != lastTipItem_) {
    lastTipItem_ = hit.item;
    tipText_ = FormatDumpTip(tipFormat_, buffer_, hit.item, style_, unprintable_);
    return TipStep::Hide;
  }
  return TipStep::Show;
}

}  // namespace vantrell
