#pragma once
// The dump view as the program's two read windows (Read Master Chip and Read
// NAND Flash) set it up: address and hexadecimal columns, info fields Addr,
// Hex and Bin, separator lines, header row, read-only, drag selection, hover
// frame; the item tooltip in the "Fixedsys" font; "." for unprintable
// characters; the "Content" menu with "Copy Selection".
#include <QString>
#include <memory>
#include <vector>

#include "gui/controls/hexdump/hex_dump_ctrl.h"

class QMenu;

namespace vantrell::gui {

inline constexpr quint32 kReadViewStyle = 0x5D0B03;
inline constexpr int kCopySelectionCommand = 32788;

// The popup "Content" holding "Copy Selection" (command 32788).
std::unique_ptr<QMenu> MakeContentMenu();

// Style, menu, notify window, tooltip format and font, unprintable ".".
void SetUpReadView(CHexDumpCtrl& view, HexDumpNotify* notify);

// The selection as the read windows put it on the clipboard: "%02X " per
// byte, on one line; empty when nothing is shown.
QString SelectionClipboardText(const CHexDumpCtrl& view);

}  // namespace vantrell::gui
