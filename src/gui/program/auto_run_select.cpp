#include "gui/program/auto_run_select.h"

#include <QCheckBox>
#include <QPushButton>

#include "gui/common/control_lookup.h"
#include "gui/common/dialog_units.h"

namespace vantrell::gui {

CAutoRunSelect::CAutoRunSelect(const RunOptions& options, QWidget* parent) : QDialog(parent), options_(options) {
  setObjectName("CAutoRunSelect");
  setWindowTitle("Auto Run Select");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  BuildControls();
}

void CAutoRunSelect::BuildControls() {
  const DialogUnits units(font());
  setFixedSize(units.Size(81, 125));
  namespace ids = control_id::auto_run_select;
  eraseAll_ = AddBox(ids::kEraseAll, "Erase All", 6, options_.eraseAll);
  erase_ = AddBox(ids::kErase, "Erase", 26, options_.erase);
  blank_ = AddBox(ids::kBlankCheck, "Blank Check", 46, options_.blank);
  program_ = AddBox(ids::kProgram, "Program", 66, options_.program);
  verify_ = AddBox(ids::kVerify, "Verify", 86, options_.verify);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("1");
  ok->setGeometry(units.Rect(14, 106, 50, 14));
  ok->setDefault(true);

  // A click on one of the two erase boxes clears the other.
  connect(erase_, &QCheckBox::clicked, this, [this] {
    if (eraseAll_->isChecked()) eraseAll_->setChecked(false);
  });
  connect(eraseAll_, &QCheckBox::clicked, this, [this] {
    if (erase_->isChecked()) erase_->setChecked(false);
  });
  connect(ok, &QPushButton::clicked, this, &CAutoRunSelect::OnOk);
}

QCheckBox* CAutoRunSelect::AddBox(int id, const char* caption, int top, bool checked) {
  const DialogUnits units(font());
  auto* box = new QCheckBox(caption, this);
  box->setObjectName(ControlName(id));
  box->setGeometry(units.Rect(14, top, 55, 14));
  box->setChecked(checked);
  return box;
}

void CAutoRunSelect::OnOk() {
  options_.eraseAll = eraseAll_->isChecked();
  options_.erase = erase_->isChecked();
  options_.blank = blank_->isChecked();
  options_.program = program_->isChecked();
  options_.verify = verify_->isChecked();
  accept();
}

}  // namespace vantrell::gui
