#include "gui/controls/hexdump/dump_tip_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace vantrell::gui {
namespace {

constexpr QPoint kBelowPointer(2, 20);

}  // namespace

DumpTipWindow::DumpTipWindow(QWidget* owner) : QLabel(owner, Qt::ToolTip | Qt::BypassGraphicsProxyWidget) {
  setObjectName(QStringLiteral("DumpTip"));
  setTextFormat(Qt::PlainText);
  setForegroundRole(QPalette::ToolTipText);
  setBackgroundRole(QPalette::ToolTipBase);
  setAutoFillBackground(true);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setMargin(3);
  setWordWrap(true);
  setMaximumWidth(kMaximumWidth);
  setAttribute(Qt::WA_ShowWithoutActivating);
}

void DumpTipWindow::SetActive(bool active) {
  active_ = active;
  if (!active) hide();
}

void DumpTipWindow::ShowText(const QString& text, const QPoint& pointer) {
  if (!active_ || text.isEmpty()) return hide();
  QString lines = text;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  setText(lines);
  adjustSize();
  QPoint at = pointer + kBelowPointer;
  if (const QScreen* screen = QGuiApplication::screenAt(pointer)) {
    const QRect room = screen->availableGeometry();
    at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width())));
    if (at.y() + height() > room.bottom()) at.setY(pointer.y() - height() - 4);
  }
  move(at);
  show();
}

}  // namespace vantrell::gui
