#pragma once
// Controls placed on a window the way a dialog template places them: at a
// rectangle in dialog units, with their numeric id (control_ids.h) as
// objectName.
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vantrell::gui {

class DialogUnits;

struct DialogPlace {
  int left, top, width, height;
};

// A push button that is never a default button: Enter belongs to the
// window's own key handling.
QPushButton* AddButton(QWidget& window, const DialogUnits& units, int id, const char* caption, DialogPlace p);
// A static text.
QLabel* AddStatic(QWidget& window, const DialogUnits& units, int id, const char* caption, DialogPlace p);
// A static text nobody changes, without an id.
QLabel* AddCaption(QWidget& window, const DialogUnits& units, const char* caption, DialogPlace p);
// A one-line edit.
QLineEdit* AddEdit(QWidget& window, const DialogUnits& units, int id, DialogPlace p);
// A group frame, behind the controls it frames.
QGroupBox* AddFrame(QWidget& window, const DialogUnits& units, const char* caption, DialogPlace p);

}  // namespace vantrell::gui
