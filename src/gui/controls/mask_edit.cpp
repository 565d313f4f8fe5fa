#include "gui/controls/mask_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace vantrell::gui {

CMaskEdit::CMaskEdit(QWidget* parent) : QLineEdit(parent) {
  model_.SetBeepSink([this] {
    QApplication::beep();
    emit BeepSounded();
  });
  connect(this, &QLineEdit::textChanged, this, &CMaskEdit::OnTextChanged);
}

void CMaskEdit::SetEditMask(const QString& mask, const QString& literal, const QString& defaultText) {
  model_.SetEditMask(mask.toStdU32String(), literal.toStdU32String(), defaultText.toStdU32String());
  // Dropped text would bypass the mask.
  setAcceptDrops(!model_.HasMask());
  ShowModel();
}

void CMaskEdit::SetWindowText(const QString& text) {
  if (!model_.HasMask()) return setText(text);
  model_.SetText(text.toStdU32String());
  ShowModel();
}

void CMaskEdit::keyPressEvent(QKeyEvent* event) {
  if (!model_.HasMask()) return QLineEdit::keyPressEvent(event);
  if (HandleMaskedKey(event)) {
    ShowModel();
    return event->accept();
  }
  // Enter, Escape and shortcuts belong to the dialog; nothing else may
  // change the text behind the mask's back.
  event->ignore();
}

bool CMaskEdit::HandleMaskedKey(QKeyEvent* event) {
  if (HandleClipboardKey(event)) return true;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_Backspace: model_.Backspace(); return true;
    case Qt::Key_Delete: model_.Delete(); return true;
    case Qt::Key_Insert:
      if (shift || ctrl) return false;
      model_.ToggleOvertype();
      return true;
    case Qt::Key_Home: model_.Home(shift); return true;
    case Qt::Key_End: model_.End(shift); return true;
    case Qt::Key_Left:
    case Qt::Key_Up: model_.Left(shift); return true;
    case Qt::Key_Right:
    case Qt::Key_Down: model_.Right(shift); return true;
    default: break;
  }
  const QString text = event->text();
  if (ctrl || text.isEmpty() || text.front() < QChar(' ')) return false;
  TypeText(text);
  return true;
}

bool CMaskEdit::HandleClipboardKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
  const int key = event->key();
  if (modifiers == Qt::ShiftModifier && key == Qt::Key_Insert) {
    PasteClipboard();
    return true;
  }
  if (modifiers != Qt::ControlModifier) return false;
  switch (key) {
    case Qt::Key_C: CopyToClipboard(model_.Copy()); return true;
    case Qt::Key_X: CopyToClipboard(model_.Cut()); return true;
    case Qt::Key_V: PasteClipboard(); return true;
    case Qt::Key_Z: model_.Undo(); return true;
    default: return false;
  }
}

void CMaskEdit::TypeText(const QString& text) {
  for (char32_t ch : text.toStdU32String()) model_.TypeChar(ch);
}

void CMaskEdit::CopyToClipboard(const std::u32string& typed) {
  if (!typed.empty()) QApplication::clipboard()->setText(QString::fromStdU32String(typed));
}

void CMaskEdit::PasteClipboard() { model_.Paste(QApplication::clipboard()->text().toStdU32String()); }

void CMaskEdit::mousePressEvent(QMouseEvent* event) {
  if (!model_.HasMask()) return QLineEdit::mousePressEvent(event);
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  model_.Click(cursorPositionAt(event->position().toPoint()), shift);
  dragging_ = true;
  ShowModel();
}

void CMaskEdit::mouseMoveEvent(QMouseEvent* event) {
  if (!model_.HasMask()) return QLineEdit::mouseMoveEvent(event);
  event->accept();
  if (!dragging_) return;
  model_.DragTo(cursorPositionAt(event->position().toPoint()));
  ShowModel();
}

void CMaskEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (!model_.HasMask()) return QLineEdit::mouseReleaseEvent(event);
  dragging_ = false;
  event->accept();
}

void CMaskEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!model_.HasMask()) return QLineEdit::mouseDoubleClickEvent(event);
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  model_.DoubleClick(cursorPositionAt(event->position().toPoint()));
  ShowModel();
}

void CMaskEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (!model_.HasMask()) return;
  model_.FocusIn();
  ShowModel();
}

void CMaskEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!model_.HasMask()) return QLineEdit::inputMethodEvent(event);
  TypeText(event->commitString());
  ShowModel();
  event->accept();
}

void CMaskEdit::contextMenuEvent(QContextMenuEvent* event) {
  if (!model_.HasMask()) return QLineEdit::contextMenuEvent(event);
  // The same operations as the keys, so the menu cannot bypass the mask.
  QMenu menu(this);
  menu.addAction(tr("&Undo"), this, [this] { model_.Undo(); });
  menu.addSeparator();
  menu.addAction(tr("Cu&t"), this, [this] { CopyToClipboard(model_.Cut()); });
  menu.addAction(tr("&Copy"), this, [this] { CopyToClipboard(model_.Copy()); });
  menu.addAction(tr("&Paste"), this, [this] { PasteClipboard(); });
  menu.addAction(tr("&Delete"), this, [this] { model_.Delete(); });
  menu.exec(event->globalPos());
  ShowModel();
}

void CMaskEdit::ShowModel() {
  if (!model_.HasMask()) return;
  showing_ = true;
  const QString shown = QString::fromStdU32String(model_.Text());
  if (text() != shown) setText(shown);
  const int anchor = model_.Anchor();
  const int caret = model_.Caret();
  if (anchor == caret) {
    setCursorPosition(caret);
  } else {
    setSelection(anchor, caret - anchor);
  }
  showing_ = false;
}

void CMaskEdit::OnTextChanged(const QString& text) {
  // A text set from outside (setText) goes through the model too.
  if (showing_ || !model_.HasMask()) return;
  model_.SetText(text.toStdU32String());
  ShowModel();
}

}  // namespace vantrell::gui
