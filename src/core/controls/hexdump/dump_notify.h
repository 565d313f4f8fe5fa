#pragma once
// What a dump view tells the window it reports to. Each call carries the
// view's control id, so one window can serve several views. Every call has
// an empty default: a window overrides only what it acts on.
#include <cstdint>

namespace vantrell {

// The notification codes, as the views' owners know them.
inline constexpr int kDumpValueEditedCode = 0x464;
inline constexpr int kDumpTopChangedCode = 0x465;
inline constexpr int kDumpMenuOpeningCode = 0x466;
inline constexpr int kDumpSelectionMadeCode = 0x467;

class HexDumpNotify {
 public:
  virtual ~HexDumpNotify() = default;

  // 0x464: an edited value was committed. The view never changes its buffer;
  // the window decides what the edit means.
  virtual void DumpValueEdited(int /*viewId*/, int /*item*/, std::uint32_t /*value*/) {}
  // 0x465: the first shown item changed by scrolling or by bringing an item
  // into view.
  virtual void DumpTopChanged(int /*viewId*/, int /*top*/) {}
  // 0x466: the context menu is about to be shown over a value cell.
  virtual void DumpMenuOpening(int /*viewId*/, int /*area*/, int /*item*/) {}
  // 0x467: a drag selection ended over more than one item.
  virtual void DumpSelectionMade(int /*viewId*/, int /*first*/, int /*last*/) {}
  // The command chosen from the context menu, delivered after the menu has
  // closed (posted, not sent).
  virtual void DumpCommand(int /*viewId*/, int /*command*/) {}
};

}  // namespace vantrell
