#include "gui/common/dialog_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/common/dialog_units.h"

namespace vantrell::gui {

QPushButton* AddButton(QWidget& window, const DialogUnits& units, const char* id, const char* caption, DialogPlace p) {
  auto* button = new QPushButton(caption, &window);
  button->setObjectName(id);
  button->setGeometry(units.Rect(p.left, p.top, p.width, p.height));
  button->setAutoDefault(false);
  return button;
}

QLabel* AddStatic(QWidget& window, const DialogUnits& units, const char* id, const char* caption, DialogPlace p) {
  auto* label = new QLabel(caption, &window);
  if (id != nullptr) label->setObjectName(id);
  label->setGeometry(units.Rect(p.left, p.top, p.width, p.height));
  return label;
}

QLineEdit* AddEdit(QWidget& window, const DialogUnits& units, const char* id, DialogPlace p) {
  auto* edit = new QLineEdit(&window);
  edit->setObjectName(id);
  edit->setGeometry(units.Rect(p.left, p.top, p.width, p.height));
  return edit;
}

QGroupBox* AddFrame(QWidget& window, const DialogUnits& units, const char* caption, DialogPlace p) {
  auto* frame = new QGroupBox(caption, &window);
  frame->setGeometry(units.Rect(p.left, p.top, p.width, p.height));
  frame->lower();
  return frame;
}

}  // namespace vantrell::gui
