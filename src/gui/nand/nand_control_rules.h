#pragma once
// Which of the NAND window's controls are usable, by their ids
// (control_id::nand). GUI thread only.
class QWidget;

namespace vantrell::gui {

// The check box rule: a check box's state enables or disables its
// dependants (1071: 1057, 1066, 1074; 1072: 1069, 1067, 1075; 1073: 1070,
// 1068, 1076; 1081: 1080).
void ApplyCheckBoxRule(QWidget& window, int checkBoxId);
void ApplyCheckBoxRuleToAll(QWidget& window);

// After start-up: Read Bad Block, the block read, Download and Erase off;
// File1 and File2 checked, File3 and the FAT start block not; the check box
// rule applied; the four check boxes off.
void ApplyStartUpStates(QWidget& window);

// Before a worker other than Read Bad Block starts: the fourteen operation controls off.
void DisableOperationControls(QWidget& window);
// Every operation control on but Read Bad Block, which follows hasBadBlocks;
// the check box rule applied to all four check boxes.
void RestoreAllControls(QWidget& window, bool hasBadBlocks);
void EnableControl(QWidget& window, int id, bool enabled);

}  // namespace vantrell::gui
