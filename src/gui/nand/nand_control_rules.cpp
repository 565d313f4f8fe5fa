#include "gui/nand/nand_control_rules.h"

#include <QCheckBox>
#include <QWidget>
#include <initializer_list>

#include "gui/common/control_lookup.h"

namespace vantrell::gui {
namespace {

using namespace control_id::nand;

struct CheckBoxRule {
  int checkBox;
  std::initializer_list<int> dependants;
};

const CheckBoxRule kCheckBoxRules[] = {
    {kFileCheck[0], {kFileName[0], kOpenFile[0], kStartBlock[0]}},
    {kFileCheck[1], {kFileName[1], kOpenFile[1], kStartBlock[1]}},
    {kFileCheck[2], {kFileName[2], kOpenFile[2], kStartBlock[2]}},
    {kFatCheck, {kFatStart}},
};

constexpr int kCheckBoxes[] = {kFileCheck[0], kFileCheck[1], kFileCheck[2], kFatCheck};
constexpr int kOperationControls[] = {kRefresh,      kReadBlock,    kReadStart,    kReadCount, kDownload,
                                      kErase,        kEraseFirst,   kEraseLast,    kEraseAll,  kReadBadBlock,
                                      kFileCheck[0], kFileCheck[1], kFileCheck[2], kFatCheck};
// Restore all turns these on unconditionally; Read Bad Block, the check boxes
// and Refresh follow their own steps.
constexpr int kRestoredControls[] = {kReadBlock, kReadStart, kReadCount, kDownload,
                                     kErase,     kEraseFirst, kEraseLast, kEraseAll};
constexpr int kOffAfterStartUp[] = {kReadBadBlock, kReadBlock, kReadStart, kReadCount,
                                    kDownload,     kErase,     kEraseFirst, kEraseLast};

QWidget* Control(QWidget& window, int id) { return FindControl(window, id); }

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
  SetChecked(window, kFileCheck[0], true);
  SetChecked(window, kFileCheck[1], true);
  SetChecked(window, kFileCheck[2], false);
  SetChecked(window, kFatCheck, false);
  ApplyCheckBoxRuleToAll(window);
  EnableAll(window, kCheckBoxes, false);
}

void DisableOperationControls(QWidget& window) { EnableAll(window, kOperationControls, false); }

void RestoreAllControls(QWidget& window, bool hasBadBlocks) {
  EnableAll(window, kRestoredControls, true);
  EnableControl(window, kReadBadBlock, hasBadBlocks);
  EnableAll(window, kCheckBoxes, true);
  ApplyCheckBoxRuleToAll(window);
  EnableControl(window, kRefresh, true);
}

}  // namespace vantrell::gui
