#pragma once
// An edit with an input mask: fixed characters stay, typed characters are
// checked against the mask, the caret skips fixed positions, and refused
// input sounds the beep. Without a mask it is a plain edit. The window text
// is the whole text, fixed characters included. GUI thread only.
#include <QLineEdit>

#include "core/controls/mask_edit_model.h"

namespace vantrell::gui {

class CMaskEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CMaskEdit(QWidget* parent = nullptr);

  // mask: "9" a digit or space, "H" a hexadecimal digit, one per position;
  // literal: "_" marks an input position, anything else is fixed;
  // defaultText: the first text (the literal when empty), also what
  // Backspace restores.
  void SetEditMask(const QString& mask, const QString& literal, const QString& defaultText = {});

  QString GetWindowText() const { return text(); }
  // Kept to the literal's length and fixed characters while a mask is set.
  void SetWindowText(const QString& text);

  const MaskEditModel& Model() const { return model_; }

 signals:
  // The system beep sounded for refused input.
  void BeepSounded();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  bool HandleMaskedKey(QKeyEvent* event);
  bool HandleClipboardKey(QKeyEvent* event);
  void TypeText(const QString& text);
  void CopyToClipboard(const std::u32string& typed);
  void PasteClipboard();
  void ShowModel();
  void OnTextChanged(const QString& text);

  MaskEditModel model_;
  bool showing_ = false;
  bool dragging_ = false;
};

}  // namespace vantrell::gui
