#include "gui/master/read_master_controls.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "gui/common/control_lookup.h"
#include "gui/common/dialog_controls.h"
#include "gui/controls/mask_edit.h"
#include "gui/controls/percent_progress_ctrl.h"
#include "gui/common/dialog_units.h"

namespace vantrell::gui {
namespace {

namespace ids = control_id::read_master;

struct Place {
  int left, top, width, height;
};

// Puts a control of the window at its place and gives it its id.
template <typename Control>
Control* Placed(Control* control, const DialogUnits& units, int id, Place p) {
  control->setObjectName(ControlName(id));
  control->setGeometry(units.Rect(p.left, p.top, p.width, p.height));
  return control;
}

QPushButton* Button(QWidget& window, const DialogUnits& units, int id, const char* caption, Place p) {
  auto* button = Placed(new QPushButton(caption, &window), units, id, p);
  // Enter never runs a button of this window by itself.
  button->setAutoDefault(false);
  return button;
}

// A frame with an id, behind the controls it frames.
QGroupBox* Group(QWidget& window, const DialogUnits& units, int id, const char* caption, Place p) {
  QGroupBox* group = AddFrame(window, units, caption, {p.left, p.top, p.width, p.height});
  group->setObjectName(ControlName(id));
  return group;
}

QLineEdit* NameEdit(QWidget& window, const DialogUnits& units, int id, Place p) {
  auto* edit = Placed(new QLineEdit(&window), units, id, p);
  edit->setReadOnly(true);
  return edit;
}

QLineEdit* Placeholder(QWidget& window, const DialogUnits& units, int id, Place p) {
  auto* edit = Placed(new QLineEdit(&window), units, id, p);
  edit->hide();
  return edit;
}

}  // namespace

ReadMasterControls BuildReadMasterControls(QWidget& window, const DialogUnits& units) {
  window.setFixedSize(units.Size(659, 311));
  ReadMasterControls c;
  AddFrame(window, units, "Read Start Address", {7, 4, 82, 30});
  c.start = Placed(new CMaskEdit(&window), units, ids::kStart, {14, 15, 68, 13});
  AddFrame(window, units, "Read Length", {95, 4, 82, 30});
  c.length = Placed(new CMaskEdit(&window), units, ids::kLength, {102, 15, 68, 13});
  c.readRun = Button(window, units, ids::kReadRun, "Read Run", {185, 9, 70, 22});
  c.clear = Button(window, units, ids::kClear, "Clear", {260, 9, 66, 22});

  c.progressGroup = Group(window, units, ids::kProgressGroup, "Read Progress", {333, 4, 319, 30});
  c.progress = Placed(new CPercentProgressCtrl(&window), units, ids::kProgress, {340, 15, 305, 13});

  c.saveAs = Button(window, units, ids::kSaveAs, "Save As", {7, 39, 70, 14});
  c.savedName = NameEdit(window, units, ids::kSavedName, {80, 39, 246, 14});
  c.compareOpen = Button(window, units, ids::kCompareOpen, "Compare Open", {333, 39, 70, 14});
  c.comparisonName = NameEdit(window, units, ids::kComparisonName, {406, 39, 246, 14});

  c.leftPlaceholder = Placeholder(window, units, ids::kLeftView, {7, 57, 319, 227});
  c.rightPlaceholder = Placeholder(window, units, ids::kRightView, {333, 57, 319, 227});
  c.compareRun = Button(window, units, ids::kCompareRun, "Compare Run", {7, 289, 645, 17});
  return c;
}

}  // namespace vantrell::gui
