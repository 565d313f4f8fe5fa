// The dump view's pointer, wheel and keyboard: hover, tooltip, drag
// selection, the context menu, double clicks and the keyboard table.
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>

#include "gui/controls/hexdump/dump_tip_window.h"
#include "gui/controls/hexdump/hex_dump_ctrl.h"
#include "gui/controls/num_edit.h"

namespace vantrell::gui {
namespace {

std::optional<DumpMove> MoveOfKey(const QKeyEvent& event) {
  const bool ctrl = (event.modifiers() & Qt::ControlModifier) != 0;
  switch (event.key()) {
    case Qt::Key_Left: return DumpMove::PreviousItem;
    case Qt::Key_Right: return DumpMove::NextItem;
    case Qt::Key_Up: return DumpMove::RowUp;
    case Qt::Key_Down: return DumpMove::RowDown;
    case Qt::Key_PageUp: return DumpMove::PageUp;
    case Qt::Key_PageDown: return DumpMove::PageDown;
    case Qt::Key_Home: return ctrl ? DumpMove::FirstItem : DumpMove::RowStart;
    case Qt::Key_End: return ctrl ? DumpMove::LastItem : DumpMove::RowEnd;
    default: return std::nullopt;
  }
}

// Ctrl+H, Ctrl+D, Ctrl+B, Ctrl+O and Ctrl+A open the info field of a format.
std::optional<DumpFormat> InfoFormatOfKey(const QKeyEvent& event) {
  if ((event.modifiers() & Qt::ControlModifier) == 0) return std::nullopt;
  switch (event.key()) {
    case Qt::Key_H: return DumpFormat::Hexadecimal;
    case Qt::Key_D: return DumpFormat::Decimal;
    case Qt::Key_B: return DumpFormat::Binary;
    case Qt::Key_O: return DumpFormat::Octal;
    case Qt::Key_A: return DumpFormat::Ascii;
    default: return std::nullopt;
  }
}

bool IsEnter(const QKeyEvent& event) { return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter; }

}  // namespace

bool CHexDumpCtrl::event(QEvent* event) {
  // The view's own keys come before any window shortcut.
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnter(*key) || InfoFormatOfKey(*key) || MoveOfKey(*key)) {
      event->accept();
      return true;
    }
  }
  return QFrame::event(event);
}

void CHexDumpCtrl::keyPressEvent(QKeyEvent* event) {
  if (OpenEditorForKey(*event)) return event->accept();
  if (const std::optional<DumpMove> move = MoveOfKey(*event)) {
    model_.Move(*move);
    SyncEditor(std::nullopt);
    return event->accept();
  }
  QFrame::keyPressEvent(event);
}

bool CHexDumpCtrl::OpenEditorForKey(const QKeyEvent& event) {
  if (IsEnter(event)) {
    if (!model_.EditorOpen()) SyncEditor(model_.OpenEditorForEnter());
    return true;
  }
  if (const std::optional<DumpFormat> format = InfoFormatOfKey(event)) {
    SyncEditor(model_.OpenInfoEditor(*format));
    return true;
  }
  return false;
}

void CHexDumpCtrl::mouseMoveEvent(QMouseEvent* event) {
  PointerAt(ToClient(event->position().toPoint()), event->globalPosition().toPoint());
}

void CHexDumpCtrl::PointerAt(const QPoint& clientPoint, const QPoint& globalPoint) {
  pointer_ = clientPoint;
  const DumpHit hit = layout_.HitTest(clientPoint.x(), clientPoint.y(), model_.Top(), model_.Count());
  model_.PointerMoved(hit);
  UpdateTip(hit, globalPoint);
  update();
}

void CHexDumpCtrl::ReevaluatePointer() {
  if (!pointer_) return update();
  PointerAt(*pointer_, mapToGlobal(FromClient(*pointer_)));
}

void CHexDumpCtrl::UpdateTip(const DumpHit& hit, const QPoint& globalPoint) {
  if (tip_ == nullptr || !tip_->IsActive()) return;
  if (model_.PointerTip(hit) == TipStep::Show) {
    tip_->ShowText(QString::fromStdString(model_.TipText()), globalPoint);
  } else {
    tip_->hide();
  }
}

DumpRect CHexDumpCtrl::HoverRect() const {
  const DumpHit& hover = model_.Hover();
  if (IsDataArea(hover.area)) return layout_.CellRect(hover.area, hover.item, model_.Top());
  const DumpInfoField* field = layout_.InfoField(hover.area);
  return field != nullptr ? field->rect : DumpRect{};
}

void CHexDumpCtrl::leaveEvent(QEvent* event) {
  QFrame::leaveEvent(event);
  pointer_.reset();
  model_.PointerLeft();
  model_.PointerTip({});
  if (tip_ != nullptr) tip_->hide();
  update();
}

void CHexDumpCtrl::mousePressEvent(QMouseEvent* event) {
  HideTip();
  PointerAt(ToClient(event->position().toPoint()), event->globalPosition().toPoint());
  if (event->button() == Qt::RightButton) {
    event->accept();
    // Nothing of the view may be touched after this: it can close the window.
    return ShowContextMenu(event->globalPosition().toPoint());
  }
  if (event->button() == Qt::LeftButton) {
    model_.LeftButtonDown(model_.Hover());
    SyncEditor(std::nullopt);
  }
  QFrame::mousePressEvent(event);
}

void CHexDumpCtrl::ShowContextMenu(const QPoint& globalPoint) {
  if (!IsValueCell(model_.Hover().area) || menu_ == nullptr) return;
  model_.AnnounceMenu();
  if (menu_ == nullptr) return;  // the owner took it away while told
  // The menu runs its own event loop; the view may be gone when it returns.
  const QPointer<CHexDumpCtrl> self(this);
  QAction* chosen = menu_->exec(globalPoint);
  if (self.isNull()) return;
  if (chosen != nullptr) {
    const int command = chosen->data().toInt();
    // Posted like a menu command: the owner sees it after the click is over.
    QMetaObject::invokeMethod(
        this,
        [this, command] {
          if (HexDumpNotify* notify = model_.Notify()) notify->DumpCommand(model_.ViewId(), command);
        },
        Qt::QueuedConnection);
  }
  ReevaluatePointer();
}

void CHexDumpCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    model_.LeftButtonUp();
    update();
  }
  QFrame::mouseReleaseEvent(event);
}

void CHexDumpCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QFrame::mouseDoubleClickEvent(event);
  HideTip();
  PointerAt(ToClient(event->position().toPoint()), event->globalPosition().toPoint());
  const DumpHit hit = model_.Hover();
  if (hit.area == kDumpNoArea) {
    if (editor_ != nullptr) editor_->setFocus();
    return;
  }
  SyncEditor(model_.DoubleClick(hit, EditorText()));
}

void CHexDumpCtrl::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return QFrame::wheelEvent(event);
  // One row per wheel message, whatever its size.
  model_.ScrollByRows(delta > 0 ? -1 : 1);
  AfterScroll();
  event->accept();
}

}  // namespace vantrell::gui
