#pragma once
// The NAND Flash Management window's controls at their places (dialog 155,
// 332 x 280 dialog units). Each control's objectName is its id.
#include <array>

#include "core/nand/operations/nand_flash_state.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vantrell::gui {

class CMaskEdit;
class CPercentProgressCtrl;
class DialogUnits;

struct NandWindowControls {
  // 1060 name, 1061 total block count, 1062 block size, 1063 bad block
  // count, 1064 FAT start block number.
  std::array<QLabel*, 5> information{};
  QPushButton* readBadBlock = nullptr;  // 1065
  QPushButton* refresh = nullptr;       // 1095

  CMaskEdit* readStart = nullptr;       // 1088
  CMaskEdit* readCount = nullptr;       // 1089
  QPushButton* readBlock = nullptr;     // 1087

  std::array<QPushButton*, kNandFileCount> openFile{};   // 1066, 1067, 1068
  std::array<QLineEdit*, kNandFileCount> fileName{};     // 1057, 1069, 1070
  std::array<QCheckBox*, kNandFileCount> fileCheck{};    // 1071, 1072, 1073
  std::array<CMaskEdit*, kNandFileCount> startBlock{};   // 1074, 1075, 1076
  std::array<QLineEdit*, kNandFileCount> fileSize{};     // 1077, 1078, 1079
  CMaskEdit* fatStart = nullptr;        // 1080
  QCheckBox* fatCheck = nullptr;        // 1081
  QPushButton* download = nullptr;      // 1083

  CMaskEdit* eraseFirst = nullptr;      // 1082
  CMaskEdit* eraseLast = nullptr;       // 1084
  QPushButton* erase = nullptr;         // 1085
  QPushButton* eraseAll = nullptr;      // 1086

  QLabel* status = nullptr;                  // 1090
  CPercentProgressCtrl* progress = nullptr;  // 1091
};

// Creates every control on window, sized in the window's dialog units, and
// gives the window its fixed size.
NandWindowControls BuildNandWindowControls(QWidget& window, const DialogUnits& units);

}  // namespace vantrell::gui
