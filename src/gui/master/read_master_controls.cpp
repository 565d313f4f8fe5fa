#include "gui/master/read_master_controls.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "gui/controls/mask_edit.h"
#include "gui/controls/percent_progress_ctrl.h"
#include "gui/common/dialog_units.h"

namespace vantrell::gui {
namespace {

struct Place {
  int left, top, width, height;
};

// Puts a control of the window at its place and gives it its id.
template <typename Control>
Control* Placed(Control* control, const DialogUnits& units, const char* id, Place p) {
  if (id != nullptr) control->setObjectName(id);
  control->setGeometry(units.Rect(p.left, p.top, p.width, p.height));
  return control;
}

QPushButton* Button(QWidget& window, const DialogUnits& units, const char* id, const char* caption, Place p) {
  auto* button = Placed(new QPushButton(caption, &window), units, id, p);
  // Enter never runs a button of this window by itself.
  button->setAutoDefault(false);
  return button;
}

QGroupBox* Group(QWidget& window, const DialogUnits& units, const char* id, const char* caption, Place p) {
  auto* group = Placed(new QGroupBox(caption, &window), units, id, p);
  group->lower();  // behind the controls it frames
  return group;
}

QLineEdit* NameEdit(QWidget& window, const DialogUnits& units, const char* id, Place p) {
  auto* edit = Placed(new QLineEdit(&window), units, id, p);
  edit->setReadOnly(true);
  return edit;
}

QLineEdit* Placeholder(QWidget& window, const DialogUnits& units, const char* id, Place p) {
  auto* edit = Placed(new QLineEdit(&window), units, id, p);
  edit->hide();
  return edit;
}

}  // namespace

ReadMasterControls BuildReadMasterControls(QWidget& window, const DialogUnits& units) {
  window.setFixedSize(units.Size(659, 311));
  ReadMasterControls c;
  Group(window, units, nullptr, "Read Start Address", {7, 4, 82, 30});
  c.start = Placed(new CMaskEdit(&window), units, "1044", {14, 15, 68, 13});
  Group(window, units, nullptr, "Read Length", {95, 4, 82, 30});
  c.length = Placed(new CMaskEdit(&window), units, "1045", {102, 15, 68, 13});
  c.readRun = Button(window, units, "1046", "Read Run", {185, 9, 70, 22});
  c.clear = Button(window, units, "1047", "Clear", {260, 9, 66, 22});

  c.progressGroup = Group(window, units, "1052", "Read Progress", {333, 4, 319, 30});
  c.progress = Placed(new CPercentProgressCtrl(&window), units, "1050", {340, 15, 305, 13});

  c.saveAs = Button(window, units, "1048", "Save As", {7, 39, 70, 14});
  c.savedName = NameEdit(window, units, "1051", {80, 39, 246, 14});
  c.compareOpen = Button(window, units, "1053", "Compare Open", {333, 39, 70, 14});
  c.comparisonName = NameEdit(window, units, "1054", {406, 39, 246, 14});

  c.leftPlaceholder = Placeholder(window, units, "1057", {7, 57, 319, 227});
  c.rightPlaceholder = Placeholder(window, units, "1058", {333, 57, 319, 227});
  c.compareRun = Button(window, units, "1056", "Compare Run", {7, 289, 645, 17});
  return c;
}

}  // namespace vantrell::gui
