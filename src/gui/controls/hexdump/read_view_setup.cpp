#include "gui/controls/hexdump/read_view_setup.h"

#include <QMenu>

#include "core/controls/hexdump/dump_text.h"
#include "core/controls/hexdump/dump_tooltip.h"
#include "gui/controls/hexdump/dump_fonts.h"
#include "gui/controls/hexdump/dump_tip_window.h"

namespace vantrell::gui {

std::unique_ptr<QMenu> MakeContentMenu() {
  auto menu = std::make_unique<QMenu>(QStringLiteral("Content"));
  QAction* copy = menu->addAction(QStringLiteral("Copy Selection"));
  copy->setData(kCopySelectionCommand);
  return menu;
}

void SetUpReadView(CHexDumpCtrl& view, HexDumpNotify* notify) {
  view.SetDisplayStyle(kReadViewStyle);
  view.SetPopupMenu(MakeContentMenu());
  view.SetNotifyWindow(notify);
  view.SetTipFormat(QString::fromLatin1(kDumpProgramTipFormat), true);
  view.TipControl()->setFont(FixedsysTipFont());
  view.SetUnprintableChar('.');
}

QString SelectionClipboardText(const CHexDumpCtrl& view) {
  return QString::fromLatin1(SpacedHexBytes(view.SelectedBytes()));
}

}  // namespace vantrell::gui
