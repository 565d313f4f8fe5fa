#include "gui/nand/nand_flash_management.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/nand/download/nand_download.h"
#include "core/nand/operations/nand_file_size.h"
#include "core/nand/operations/nand_starts.h"
#include "core/nand/operations/nand_workers.h"
#include "core/text/decimal_text.h"
#include "core/text/format.h"
#include "gui/common/control_ids.h"
#include "gui/common/dialog_units.h"
#include "gui/controls/colour_conversion.h"
#include "gui/controls/mask_edit.h"
#include "gui/controls/percent_progress_ctrl.h"
#include "gui/nand/bad_block_list.h"
#include "gui/nand/nand_control_rules.h"
#include "gui/nand/nand_view_bridge.h"
#include "gui/program/data_file_dialog.h"

namespace vantrell::gui {
namespace {

constexpr ColourRef kBarColour = MakeColour(0, 0, 153);
constexpr ColourRef kBackgroundColour = MakeColour(255, 255, 255);

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.c_str()); }
std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// Open File1 to File3 take one file, bin files first in the filter (the
// same filter as the download window's).
std::optional<std::string> ChooseDownloadFile(QWidget* parent) {
  const QString path =
      QFileDialog::getOpenFileName(parent, QString(), QString(), ToQtFileFilter(QString::fromUtf8(kDataFileFilter)));
  if (path.isEmpty()) return std::nullopt;
  return ToUtf8(path);
}

}  // namespace

CNandFlashManagement::CNandFlashManagement(NandSession& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      controls_(BuildNandWindowControls(*this, DialogUnits(font()))),
      chooseFile_(ChooseDownloadFile) {
  setObjectName("CNandFlashManagement");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  bridge_ = std::make_shared<NandViewBridge>(*this);
  ConnectControls();
  Initialise();
}

CNandFlashManagement::~CNandFlashManagement() { CloseHandler(); }

void CNandFlashManagement::Initialise() {
  ShowRememberedFiles();
  controls_.status->setText("Ready!");
  controls_.progress->SetBarColour(kBarColour);
  controls_.progress->SetBackgroundColour(kBackgroundColour);
  controls_.progress->SetPosition(0);
  controls_.progress->SetShowPercentage(true);
  SetEditMasks();
  ApplyStartUpStates(*this);
  ShowTitle();
}

void CNandFlashManagement::ShowRememberedFiles() {
  const NandFiles files = session_.Files();
  for (std::size_t k = 0; k < kNandFileCount; ++k) {
    controls_.fileName[k]->setText(FromUtf8(files[k].name));
    if (!files[k].path.empty()) controls_.fileSize[k]->setText(FromUtf8(NandFileSizeText(files[k].path)));
  }
}

void CNandFlashManagement::SetEditMasks() {
  for (CMaskEdit* edit : {controls_.readStart, controls_.readCount, controls_.startBlock[0], controls_.startBlock[1],
                          controls_.startBlock[2], controls_.fatStart}) {
    edit->SetEditMask("99999", "_____", "00000");
  }
  for (CMaskEdit* edit : {controls_.eraseFirst, controls_.eraseLast}) edit->SetEditMask("9999", "____", "0000");
}

void CNandFlashManagement::ShowTitle() {
  const SelectedDevice device = session_.Device();
  const unsigned major = device.version >> 8;
  const unsigned minor = device.version & 0xFFu;
  setWindowTitle(QString::fromUtf8(" ★ NAND Flash Management for [") + FromUtf8(device.name) + "]" +
                 FromUtf8(FormatText(" - Version %x.%02x", major, minor)));
}

void CNandFlashManagement::ConnectControls() {
  connect(controls_.refresh, &QPushButton::clicked, this,
          [this] { Start(&RefreshWorker, NandBusy::OperationControls); });
  connect(controls_.readBadBlock, &QPushButton::clicked, this,
          [this] { Start(&ReadBadBlockWorker, NandBusy::ReadBadBlockOnly); });
  for (QCheckBox* box : {controls_.fileCheck[0], controls_.fileCheck[1], controls_.fileCheck[2], controls_.fatCheck}) {
    const int id = box->objectName().toInt();
    connect(box, &QCheckBox::clicked, this, [this, id] { ApplyCheckBoxRule(*this, id); });
  }
  for (std::size_t k = 0; k < kNandFileCount; ++k)
    connect(controls_.openFile[k], &QPushButton::clicked, this, [this, k] { OpenFile(k); });
  connect(controls_.download, &QPushButton::clicked, this, [this] { Download(); });
  connect(controls_.erase, &QPushButton::clicked, this, [this] {
    if (!closed_) StartNandErase(session_, bridge_);
  });
  connect(controls_.eraseAll, &QPushButton::clicked, this, [this] {
    if (!closed_) StartNandEraseAll(session_, bridge_);
  });
  connect(controls_.readBlock, &QPushButton::clicked, this, [this] {
    if (!closed_) StartNandReadBlock(session_, bridge_);
  });
}

void CNandFlashManagement::Start(NandWorker worker, NandBusy busy) {
  if (!closed_) session_.Start(worker, busy, bridge_);
}

void CNandFlashManagement::OpenFile(std::size_t k) {
  // The names as the operator left them are kept, whatever the dialog gives.
  NandFiles files = session_.Files();
  for (std::size_t i = 0; i < kNandFileCount; ++i) files[i].name = ToUtf8(controls_.fileName[i]->text());
  if (const std::optional<std::string> path = chooseFile_(this)) {
    files[k] = {ToUtf8(QFileInfo(FromUtf8(*path)).fileName()), *path};
    controls_.fileSize[k]->setText(FromUtf8(NandFileSizeText(*path)));
  }
  session_.SetFiles(files);
  for (std::size_t i = 0; i < kNandFileCount; ++i) controls_.fileName[i]->setText(FromUtf8(files[i].name));
}

void CNandFlashManagement::Download() {
  if (closed_) return;
  NandDownloadChoice choice;
  for (std::size_t k = 0; k < kNandFileCount; ++k) {
    choice.fileChecked[k] = controls_.fileCheck[k]->isChecked();
    choice.startBlocks[k] = DecimalTextValue(ToUtf8(controls_.startBlock[k]->text()));
  }
  choice.fatChecked = controls_.fatCheck->isChecked();
  StartNandDownload(session_, choice, bridge_);
}

void CNandFlashManagement::SetRange(int low, int high) { controls_.progress->SetRange(low, high); }

void CNandFlashManagement::SetPosition(int position) { controls_.progress->SetPosition(position); }

void CNandFlashManagement::SetShowPercentage(bool show) { controls_.progress->SetShowPercentage(show); }

void CNandFlashManagement::SetInformationText(NandInfoField field, const std::string& text) {
  controls_.information[static_cast<std::size_t>(field)]->setText(FromUtf8(text));
}

void CNandFlashManagement::SetFatStartEditText(const std::string& text) {
  controls_.fatStart->SetWindowText(FromUtf8(text));
}

void CNandFlashManagement::SetStatusText(const std::string& text) { controls_.status->setText(FromUtf8(text)); }

std::string CNandFlashManagement::EditText(NandEdit edit) {
  const CMaskEdit* edits[] = {controls_.startBlock[0], controls_.startBlock[1], controls_.startBlock[2],
                              controls_.fatStart,      controls_.eraseFirst,    controls_.eraseLast,
                              controls_.readStart,     controls_.readCount};
  return ToUtf8(edits[static_cast<std::size_t>(edit)]->text());
}

void CNandFlashManagement::DisableOperationControls() { gui::DisableOperationControls(*this); }

void CNandFlashManagement::DisableReadBadBlock() { EnableControl(*this, control_id::nand::kReadBadBlock, false); }

void CNandFlashManagement::RestoreAll(bool hasBadBlocks) { RestoreAllControls(*this, hasBadBlocks); }

void CNandFlashManagement::EnableRefresh() { EnableControl(*this, control_id::nand::kRefresh, true); }

void CNandFlashManagement::EnableReadBadBlock() { EnableControl(*this, control_id::nand::kReadBadBlock, true); }

void CNandFlashManagement::ShowBadBlockList(std::int32_t count, std::span<const std::int32_t> entries) {
  CBadBlkList list(count, entries, this);
  list.exec();
}

void CNandFlashManagement::ShowReadBlocks(std::span<const std::uint8_t> blocks) {
  CReadNdFlash view(blocks, savedBlocks_, session_.Boxes(), this);
  view.exec();
}

void CNandFlashManagement::done(int result) {
  CloseHandler();
  QDialog::done(result);
}

void CNandFlashManagement::CloseHandler() {
  if (closed_) return;
  closed_ = true;
  // Closes the link, which also ends an exchange the worker waits in; a
  // worker still going is abandoned and talks to a null window from now on.
  session_.Abandon();
  // A call already on its way to the window finds none.
  bridge_->Detach();
}

}  // namespace vantrell::gui
