#include "gui/nand/nand_flash_management.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/nand/operations/nand_file_size.h"
#include "core/nand/operations/nand_workers.h"
#include "core/text/format.h"
#include "gui/common/dialog_units.h"
#include "gui/controls/colour_conversion.h"
#include "gui/controls/mask_edit.h"
#include "gui/controls/percent_progress_ctrl.h"
#include "gui/nand/bad_block_list.h"
#include "gui/nand/nand_control_rules.h"
#include "gui/nand/nand_view_bridge.h"
#include "gui/nand/read_blocks_placeholder.h"

namespace vantrell::gui {
namespace {

constexpr ColourRef kBarColour = MakeColour(0, 0, 153);
constexpr ColourRef kBackgroundColour = MakeColour(255, 255, 255);

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.c_str()); }

}  // namespace

CNandFlashManagement::CNandFlashManagement(NandSession& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      controls_(BuildNandWindowControls(*this, DialogUnits(font()))),
      openBlockView_(OpenReadBlocksPlaceholder) {
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
}

void CNandFlashManagement::Start(NandWorker worker, NandBusy busy) {
  if (!closed_) session_.Start(worker, busy, bridge_);
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

void CNandFlashManagement::DisableOperationControls() { gui::DisableOperationControls(*this); }

void CNandFlashManagement::DisableReadBadBlock() { EnableControl(*this, kReadBadBlockId, false); }

void CNandFlashManagement::RestoreAll(bool hasBadBlocks) { RestoreAllControls(*this, hasBadBlocks); }

void CNandFlashManagement::EnableRefresh() { EnableControl(*this, kRefreshId, true); }

void CNandFlashManagement::EnableReadBadBlock() { EnableControl(*this, kReadBadBlockId, true); }

void CNandFlashManagement::ShowBadBlockList(std::int32_t count, std::span<const std::int32_t> entries) {
  CBadBlkList list(count, entries, this);
  list.exec();
}

void CNandFlashManagement::ShowReadBlocks(std::span<const std::uint8_t> blocks) {
  if (openBlockView_) openBlockView_(this, blocks);
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
