#pragma once
// A control's numeric id (control_ids.h) is its objectName, the way a dialog
// template names its controls; windows name and find controls through here.
#include <QObject>
#include <QString>
#include <QWidget>

#include "gui/common/control_ids.h"

namespace vantrell::gui {

inline QString ControlName(int id) { return QString::number(id); }

template <typename Control = QWidget>
Control* FindControl(const QObject& window, int id) {
  return window.findChild<Control*>(ControlName(id));
}

}  // namespace vantrell::gui
