#include "gui/controls/num_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <string_view>

#include "gui/controls/colour_conversion.h"

namespace vantrell::gui {
namespace {

NumEditKeyPress ToKeyPress(const QKeyEvent& event) {
  NumEditKeyPress press;
  press.ctrl = event.modifiers() & Qt::ControlModifier;
  press.shift = event.modifiers() & Qt::ShiftModifier;
  const int key = event.key();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: press.key = NumEditKey::Enter; break;
    case Qt::Key_Escape: press.key = NumEditKey::Escape; break;
    case Qt::Key_Tab: press.key = NumEditKey::Tab; break;
    case Qt::Key_Backtab:
      press.key = NumEditKey::Tab;
      press.shift = true;
      break;
    case Qt::Key_PageUp: press.key = NumEditKey::PageUp; break;
    case Qt::Key_PageDown: press.key = NumEditKey::PageDown; break;
    case Qt::Key_Home: press.key = NumEditKey::Home; break;
    case Qt::Key_End: press.key = NumEditKey::End; break;
    case Qt::Key_Left: press.key = NumEditKey::Left; break;
    case Qt::Key_Right: press.key = NumEditKey::Right; break;
    case Qt::Key_Up: press.key = NumEditKey::Up; break;
    case Qt::Key_Down: press.key = NumEditKey::Down; break;
    default:
      if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        press.key = NumEditKey::Letter;
        press.letter = static_cast<char>('A' + (key - Qt::Key_A));
      }
      break;
  }
  return press;
}

}  // namespace

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent), model_(SystemColoursOf(palette())) {
  setObjectName(QString::number(kEditorId));
  setAlignment(Qt::AlignCenter);
  setContextMenuPolicy(Qt::NoContextMenu);
  setAcceptDrops(false);
  model_.SetNotifySink([this](const NumEditNotification& n) { emit Notify(kEditorId, n.code, n.action, n.value); });
  connect(this, &QLineEdit::textChanged, this, &CNumEdit::OnTextChanged);
}

void CNumEdit::SetEditValue(quint32 value, NumEditMode mode, int byteSize, quint32 minimum, quint32 maximum) {
  const std::u32string text = model_.SetEditValue(value, mode, byteSize, minimum, maximum);
  setMaxLength(model_.MaxLength());
  setText(QString::fromStdU32String(text));
  ApplyColours();
}

void CNumEdit::SetColours(ColourRef text, ColourRef background, ColourRef outOfRangeText,
                          ColourRef outOfRangeBackground) {
  model_.SetColours({text, background}, {outOfRangeText, outOfRangeBackground});
  ApplyColours();
}

bool CNumEdit::event(QEvent* event) {
  // Tab would move the focus before a key handler saw it, and Ctrl letters
  // could be taken as window shortcuts: both belong to the key table.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      keyPressEvent(key);
      return true;
    }
  }
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const NumEditKeyPress press = ToKeyPress(*key);
    const bool tableLetter = press.ctrl && std::string_view("HDBOA").find(press.letter) != std::string_view::npos;
    if (press.key != NumEditKey::Other && (press.key != NumEditKey::Letter || tableLetter)) {
      event->accept();
      return true;
    }
  }
  return QLineEdit::event(event);
}

void CNumEdit::keyPressEvent(QKeyEvent* event) {
  if (HandleTableKey(event)) return event->accept();
  if (event->matches(QKeySequence::Paste)) {
    InsertFiltered(QApplication::clipboard()->text());
    return event->accept();
  }
  const QString text = event->text();
  const bool typed = !text.isEmpty() && text.front() >= QChar(' ') && !(event->modifiers() & Qt::ControlModifier);
  if (typed) {
    InsertFiltered(text);
    return event->accept();
  }
  QLineEdit::keyPressEvent(event);
}

bool CNumEdit::HandleTableKey(QKeyEvent* event) {
  const NumEditKeyPress press = ToKeyPress(*event);
  if (press.key == NumEditKey::Other) return false;
  if (press.key == NumEditKey::Letter && !press.ctrl) return false;
  const EditCaret caret{cursorPosition(), hasSelectedText(), static_cast<int>(text().size())};
  return model_.KeyDown(press, caret);
}

void CNumEdit::inputMethodEvent(QInputMethodEvent* event) {
  InsertFiltered(event->commitString());
  event->accept();
}

void CNumEdit::InsertFiltered(const QString& text) {
  for (char32_t ch : text.toStdU32String()) {
    const std::optional<char32_t> passed = model_.FilterChar(ch, hasSelectedText());
    if (passed && *passed >= U' ') insert(QString::fromStdU32String(std::u32string(1, *passed)));
  }
}

void CNumEdit::OnTextChanged(const QString& text) {
  model_.SetText(text.toStdU32String());
  ApplyColours();
}

void CNumEdit::ApplyColours() {
  const CellColours colours = model_.CurrentColours();
  QPalette colouring = palette();
  colouring.setColor(QPalette::Text, ToQColor(colours.text));
  colouring.setColor(QPalette::Base, ToQColor(colours.background));
  setPalette(colouring);
}

}  // namespace vantrell::gui
