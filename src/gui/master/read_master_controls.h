#pragma once
// The Read Master Chip window's controls at their places (dialog 153,
// 659 x 311 dialog units): the two range edits in their groups, the five
// buttons, the two file name edits, the Read Progress bar in its group and
// the hidden placeholders of the two dump views, side by side. Each
// control's objectName is its id.
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vantrell::gui {

class CMaskEdit;
class CPercentProgressCtrl;
class DialogUnits;

struct ReadMasterControls {
  CMaskEdit* start = nullptr;               // 1044
  CMaskEdit* length = nullptr;              // 1045
  QPushButton* readRun = nullptr;           // 1046
  QPushButton* clear = nullptr;             // 1047
  QPushButton* saveAs = nullptr;            // 1048
  QLineEdit* savedName = nullptr;           // 1051
  QGroupBox* progressGroup = nullptr;       // 1052
  CPercentProgressCtrl* progress = nullptr; // 1050
  QPushButton* compareOpen = nullptr;       // 1053
  QLineEdit* comparisonName = nullptr;      // 1054
  QPushButton* compareRun = nullptr;        // 1056
  QLineEdit* leftPlaceholder = nullptr;     // 1057
  QLineEdit* rightPlaceholder = nullptr;    // 1058
};

// Creates every control on window in the window's dialog units and gives
// the window its fixed size.
ReadMasterControls BuildReadMasterControls(QWidget& window, const DialogUnits& units);

}  // namespace vantrell::gui
