#include "gui/program/down_window_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "gui/common/dialog_controls.h"
#include "gui/common/control_lookup.h"
#include "gui/common/dialog_units.h"
#include "gui/controls/cell_list_ctrl.h"
#include "gui/controls/colour_conversion.h"
#include "gui/controls/percent_progress_ctrl.h"

namespace vantrell::gui {
namespace {

namespace ids = control_id::down_window;

void SetTextColour(QLabel& label, ColourRef colour) {
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, ToQColor(colour));
  label.setPalette(palette);
}

void AddCounters(QWidget& window, const DialogUnits& units, DownWindowControls& c) {
  AddFrame(window, units, "Downloading Result", {11, 273, 114, 59});
  const char* labelCaptions[3] = {"Total :", "Success :", "Fail :"};
  const ColourRef colours[3] = {MakeColour(0, 100, 0), MakeColour(0, 0, 255), MakeColour(255, 0, 0)};
  const int tops[3] = {288, 302, 316};
  for (std::size_t i = 0; i < 3; ++i) {
    QLabel* label = AddStatic(window, units, ids::kCounterCaptions[i], labelCaptions[i], {23, tops[i], 35, 9});
    c.counters[i] = AddStatic(window, units, ids::kCounters[i], "0", {62, tops[i], 31, 9});
    SetTextColour(*label, colours[i]);
    SetTextColour(*c.counters[i], colours[i]);
  }
  c.reset = AddButton(window, units, ids::kReset, "Reset", {95, 288, 28, 37});
}

}  // namespace

DownWindowControls BuildDownWindowControls(QWidget& window, const DialogUnits& units) {
  window.setFixedSize(units.Size(352, 335));
  DownWindowControls c;
  c.loadFiles = AddButton(window, units, ids::kLoadFiles, "Load Files", {11, 5, 97, 17});
  c.removeFiles = AddButton(window, units, ids::kRemoveFiles, "Remove Files", {128, 5, 97, 17});
  c.removeAll = AddButton(window, units, ids::kRemoveAll, "Remove All", {244, 5, 97, 17});
  c.stageText = AddStatic(window, units, ids::kStageText, "0/0", {13, 26, 209, 8});

  c.list = new CCellListCtrl(&window);
  c.list->setObjectName(ControlName(ids::kFileList));
  c.list->setGeometry(units.Rect(11, 36, 330, 61));

  AddFrame(window, units, "Total Progress", {11, 99, 330, 27});
  c.total = new CPercentProgressCtrl(&window);
  c.total->setObjectName(ControlName(ids::kTotalProgress));
  c.total->setGeometry(units.Rect(18, 109, 317, 14));

  c.autoOptionSet = AddButton(window, units, ids::kAutoOptionSet, "Auto Option Set", {14, 130, 97, 17});
  c.autoRun = AddButton(window, units, ids::kAutoRun, "Auto", {14, 150, 97, 17});
  c.blankCheck = AddButton(window, units, ids::kBlankCheck, "Blank Check", {14, 170, 97, 17});
  c.program = AddButton(window, units, ids::kProgram, "Program", {14, 190, 97, 17});
  c.verify = AddButton(window, units, ids::kVerify, "Verify", {14, 210, 53, 17});
  c.checkSum = new QCheckBox("CheckSum", &window);
  c.checkSum->setObjectName(ControlName(ids::kCheckSum));
  c.checkSum->setGeometry(units.Rect(68, 210, 43, 17));
  // A wider face than the one the window was drawn up for would cut the
  // caption; there is room up to the pack frames.
  c.checkSum->resize(std::max(c.checkSum->width(), c.checkSum->sizeHint().width()), c.checkSum->height());
  c.eraseAll = AddButton(window, units, ids::kEraseAll, "Erase All", {14, 230, 97, 17});
  c.readMaster = AddButton(window, units, ids::kReadMaster, "Read Master", {14, 250, 97, 17});

  AddCounters(window, units, c);
  c.packs = std::make_unique<PackLines>(window, units);
  return c;
}

}  // namespace vantrell::gui
