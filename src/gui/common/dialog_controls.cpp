#include "gui/common/dialog_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/common/control_lookup.h"
#include "gui/common/dialog_units.h"

namespace vantrell::gui {

QPushButton* AddButton(QWidget& window, const DialogUnits& units, int id, const char* caption, DialogPlace p) {
  auto* button = new QPushButton(caption, &window);
  button->setObjectName(ControlName(id));
  button->setGeometry(units.Rect(p.left, p.top, p.width, p.height));
  button->setAutoDefault(false);
  return button;
}

QLabel* AddStatic(QWidget& window, const DialogUnits& units, int id, const char* caption, DialogPlace p) {
  QLabel* label = AddCaption(window, units, caption, p);
  label->setObjectName(ControlName(id));
  return label;
}

QLabel* AddCaption(QWidget& window, const DialogUnits& units, const char* caption, DialogPlace p) {
  auto* label = new QLabel(caption, &window);
  label->setGeometry(units.Rect(p.left, p.top, p.width, p.height));
  return label;
}

QLineEdit* AddEdit(QWidget& window, const DialogUnits& units, int id, DialogPlace p) {
  auto* edit = new QLineEdit(&window);
  edit->setObjectName(ControlName(id));
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
