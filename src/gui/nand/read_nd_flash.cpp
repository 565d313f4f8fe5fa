#include "gui/nand/read_nd_flash.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

#include "core/common/prompt.h"
#include "core/nand/blocks/read_blocks_file.h"
#include "gui/common/dialog_controls.h"
#include "gui/common/control_ids.h"
#include "gui/common/dialog_units.h"
#include "gui/controls/hexdump/hex_dump_ctrl.h"
#include "gui/controls/hexdump/read_view_setup.h"
#include "gui/program/data_file_dialog.h"

namespace vantrell::gui {

CReadNdFlash::CReadNdFlash(std::span<const std::uint8_t> blocks, ReadBlocksSavedFile& lastSaved, Prompt& prompt,
                           QWidget* parent)
    : QDialog(parent), blocks_(blocks), lastSaved_(lastSaved), prompt_(prompt), chooseSaveFile_(ChooseReadBlocksFile) {
  setObjectName("CReadNdFlash");
  setWindowTitle("Read NAND Flash");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  const DialogUnits units(font());
  setFixedSize(units.Size(338, 217));

  // The placeholder marks where the dump view goes, and stays hidden.
  QLineEdit* placeholder = AddEdit(*this, units, control_id::read_nd_flash::kView, {7, 7, 324, 182});
  placeholder->hide();
  view_ = new CHexDumpCtrl(this);
  view_->setObjectName(placeholder->objectName());
  view_->setGeometry(placeholder->geometry());
  SetUpReadView(*view_, this);
  // The worker's buffer itself; its length was checked to fit the view.
  view_->SetDumpData(static_cast<qint32>(blocks_.size()), blocks_.data());

  QPushButton* saveAs = AddButton(*this, units, control_id::read_nd_flash::kSaveAs, "Save As", {7, 195, 50, 14});
  connect(saveAs, &QPushButton::clicked, this, [this] { SaveAs(); });
  fileName_ = AddEdit(*this, units, control_id::read_nd_flash::kFileName, {62, 196, 269, 12});
  fileName_->setReadOnly(true);
  fileName_->setText(lastSaved_.name);
}

CReadNdFlash::~CReadNdFlash() {
  // The buffer goes once the view has closed: the view lets go of it first.
  view_->SetDumpData(0, nullptr);
}

void CReadNdFlash::DumpCommand(int /*viewId*/, int command) {
  if (command == kCopySelectionCommand) CopySelection();
}

void CReadNdFlash::CopySelection() {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(SelectionClipboardText(*view_));
}

void CReadNdFlash::SaveAs() {
  const std::optional<QString> chosen = chooseSaveFile_(this);
  if (!chosen) return;
  lastSaved_.path = *chosen;
  lastSaved_.name = QFileInfo(*chosen).fileName();
  if (blocks_.empty()) {
    prompt_.Show(ApplicationBox("Read Data Save Fail!\r\n\r\nRdNdBlk_Buf is empty!"));
    return;
  }
  switch (SaveReadBlocks(lastSaved_.path.toStdString(), blocks_)) {
    case ReadBlocksSave::NotCreated:
      prompt_.Show(WindowBox("Error!", "NAND Flash Read Data Save Fail!"));
      return;
    case ReadBlocksSave::WriteFailed:
      prompt_.Show(WindowBox("Error!", "WriteFile Error!"));
      return;
    case ReadBlocksSave::Saved:
      break;
  }
  fileName_->setText(lastSaved_.name);
  prompt_.Show(WindowBox("Save As", "<" + lastSaved_.name.toStdString() + "> File Save Complete!"));
}

std::optional<QString> ChooseReadBlocksFile(QWidget* parent) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("bin");
  dialog.setNameFilters(ToQtFileFilter(QString::fromUtf8(kReadBlocksFileFilter)).split(";;"));
  dialog.selectFile("NAND_Blocks.bin");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

}  // namespace vantrell::gui
