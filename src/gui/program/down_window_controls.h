#pragma once
// The download window's controls at their places: buttons, the stage text,
// the download list, the Total Progress bar, the CheckSum box, the counters
// and the pack lines. Each control's objectName is its id.
#include <array>
#include <memory>

#include "gui/program/pack_lines.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace vantrell::gui {

class CCellListCtrl;
class CPercentProgressCtrl;
class DialogUnits;

struct DownWindowControls {
  QPushButton* loadFiles = nullptr;      // 1011
  QPushButton* removeFiles = nullptr;    // 1012
  QPushButton* removeAll = nullptr;      // 1028
  QLabel* stageText = nullptr;           // 1022
  CCellListCtrl* list = nullptr;         // 1010
  CPercentProgressCtrl* total = nullptr; // 1008
  QPushButton* autoOptionSet = nullptr;  // 1041
  QPushButton* autoRun = nullptr;        // 1013
  QPushButton* blankCheck = nullptr;     // 1029
  QPushButton* program = nullptr;        // 1030
  QPushButton* verify = nullptr;         // 1031
  QCheckBox* checkSum = nullptr;         // 1096
  QPushButton* eraseAll = nullptr;       // 1032
  QPushButton* readMaster = nullptr;     // 1042
  QPushButton* reset = nullptr;          // 1040
  std::array<QLabel*, 3> counters{};     // 1036 SumTotal, 1037 SumSuccess, 1038 SumFail
  std::unique_ptr<PackLines> packs;      // 1015 ... 1021
};

// Creates every control on window, sized in the window's dialog units, and
// gives the window its fixed size.
DownWindowControls BuildDownWindowControls(QWidget& window, const DialogUnits& units);

}  // namespace vantrell::gui
