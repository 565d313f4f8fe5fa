#include "gui/program/down_window_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "gui/common/dialog_controls.h"
#include "gui/common/dialog_units.h"
#include "gui/controls/cell_list_ctrl.h"
#include "gui/controls/colour_conversion.h"
#include "gui/controls/percent_progress_ctrl.h"

namespace vantrell::gui {
namespace {

void SetTextColour(QLabel& label, ColourRef colour) {
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, ToQColor(colour));
  label.setPalette(palette);
}

void AddCounters(QWidget& window, const DialogUnits& units, DownWindowControls& c) {
  AddFrame(window, units, "Downloading Result", {11, 273, 114, 59});
  const char* labelIds[3] = {"1033", "1034", "1035"};
  const char* labelCaptions[3] = {"Total :", "Success :", "Fail :"};
  const char* counterIds[3] = {"1036", "1037", "1038"};
  const ColourRef colours[3] = {MakeColour(0, 100, 0), MakeColour(0, 0, 255), MakeColour(255, 0, 0)};
  const int tops[3] = {288, 302, 316};
  for (int i = 0; i < 3; ++i) {
    QLabel* label = AddStatic(window, units, labelIds[i], labelCaptions[i], {23, tops[i], 35, 9});
    c.counters[i] = AddStatic(window, units, counterIds[i], "0", {62, tops[i], 31, 9});
    SetTextColour(*label, colours[i]);
    SetTextColour(*c.counters[i], colours[i]);
  }
  c.reset = AddButton(window, units, "1040", "Reset", {95, 288, 28, 37});
}

}  // namespace

DownWindowControls BuildDownWindowControls(QWidget& window, const DialogUnits& units) {
  window.setFixedSize(units.Size(352, 335));
  DownWindowControls c;
  c.loadFiles = AddButton(window, units, "1011", "Load Files", {11, 5, 97, 17});
  c.removeFiles = AddButton(window, units, "1012", "Remove Files", {128, 5, 97, 17});
  c.removeAll = AddButton(window, units, "1028", "Remove All", {244, 5, 97, 17});
  c.stageText = AddStatic(window, units, "1022", "0/0", {13, 26, 209, 8});

  c.list = new CCellListCtrl(&window);
  c.list->setObjectName("1010");
  c.list->setGeometry(units.Rect(11, 36, 330, 61));

  AddFrame(window, units, "Total Progress", {11, 99, 330, 27});
  c.total = new CPercentProgressCtrl(&window);
  c.total->setObjectName("1008");
  c.total->setGeometry(units.Rect(18, 109, 317, 14));

  c.autoOptionSet = AddButton(window, units, "1041", "Auto Option Set", {14, 130, 97, 17});
  c.autoRun = AddButton(window, units, "1013", "Auto", {14, 150, 97, 17});
  c.blankCheck = AddButton(window, units, "1029", "Blank Check", {14, 170, 97, 17});
  c.program = AddButton(window, units, "1030", "Program", {14, 190, 97, 17});
  c.verify = AddButton(window, units, "1031", "Verify", {14, 210, 53, 17});
  c.checkSum = new QCheckBox("CheckSum", &window);
  c.checkSum->setObjectName("1096");
  c.checkSum->setGeometry(units.Rect(68, 210, 43, 17));
  // A wider face than the one the window was drawn up for would cut the
  // caption; there is room up to the pack frames.
  c.checkSum->resize(std::max(c.checkSum->width(), c.checkSum->sizeHint().width()), c.checkSum->height());
  c.eraseAll = AddButton(window, units, "1032", "Erase All", {14, 230, 97, 17});
  c.readMaster = AddButton(window, units, "1042", "Read Master", {14, 250, 97, 17});

  AddCounters(window, units, c);
  c.packs = std::make_unique<PackLines>(window, units);
  return c;
}

}  // namespace vantrell::gui
