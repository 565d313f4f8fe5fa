#include "gui/nand/nand_control_rules.h"

#include <QCheckBox>
#include <QWidget>
#include <initializer_list>

namespace vantrell::gui {
namespace {

struct CheckBoxRule {
  int checkBox;
  std::initializer_list<int> dependants;
};

const CheckBoxRule kCheckBoxRules[] = {
    {1071, {1057, 1066, 1074}},
    {1072, {1069, 1067, 1075}},
    {1073, {1070, 1068, 1076}},
    {1081, {1080}},
};

constexpr int kOperationControls[] = {1095, 1087, 1088, 1089, 1083, 1085, 1082, 1084, 1086, 1065, 1071, 1072, 1073, 1081};
// Restore all turns these on unconditionally; Read Bad Block, the check boxes
// and Refresh follow their own steps.
constexpr int kRestoredControls[] = {1087, 1088, 1089, 1083, 1085, 1082, 1084, 1086};
constexpr int kOffAfterStartUp[] = {1065, 1087, 1088, 1089, 1083, 1085, 1082, 1084};

QWidget* Control(QWidget& window, int id) { return window.findChild<QWidget*>(QString::number(id)); }

void SetChecked(QWidget& window, int id, bool checked) {
  if (auto* box = qobject_cast<QCheckBox*>(Control(window, id))) box->setChecked(checked);
}

template <typename Ids>
void EnableAll(QWidget& window, const Ids& ids, bool enabled) {
  for (int id : ids) EnableControl(window, id, enabled);
}

}  // namespace

void EnableControl(QWidget& window, int id, bool enabled) {
  if (QWidget* control = Control(window, id)) control->setEnabled(enabled);
}

void ApplyCheckBoxRule(QWidget& window, int checkBoxId) {
  for (const CheckBoxRule& rule : kCheckBoxRules) {
    if (rule.checkBox != checkBoxId) continue;
    const auto* box = qobject_cast<QCheckBox*>(Control(window, checkBoxId));
    EnableAll(window, rule.dependants, box != nullptr && box->isChecked());
  }
}

void ApplyCheckBoxRuleToAll(QWidget& window) {
  for (const CheckBoxRule& rule : kCheckBoxRules) ApplyCheckBoxRule(window, rule.checkBox);
}

void ApplyStartUpStates(QWidget& window) {
  EnableAll(window, kOffAfterStartUp, false);
  SetChecked(window, 1071, true);
  SetChecked(window, 1072, true);
  SetChecked(window, 1073, false);
  SetChecked(window, 1081, false);
  ApplyCheckBoxRuleToAll(window);
  EnableAll(window, std::initializer_list<int>{1071, 1072, 1073, 1081}, false);
}

void DisableOperationControls(QWidget& window) { EnableAll(window, kOperationControls, false); }

void RestoreAllControls(QWidget& window, bool hasBadBlocks) {
  EnableAll(window, kRestoredControls, true);
  EnableControl(window, kReadBadBlockId, hasBadBlocks);
  EnableAll(window, std::initializer_list<int>{1071, 1072, 1073, 1081}, true);
  ApplyCheckBoxRuleToAll(window);
  EnableControl(window, kRefreshId, true);
}

}  // namespace vantrell::gui
