#include "gui/master/read_master_dlg.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

#include "core/common/prompt.h"
#include "core/link/message_log.h"
#include "core/master/master_files.h"
#include "core/master/read_master_memory.h"
#include "core/master/read_master_session.h"
#include "core/master/read_range_input.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_box_prompt.h"
#include "gui/controls/hexdump/hex_dump_ctrl.h"
#include "gui/controls/hexdump/read_view_setup.h"
#include "gui/controls/mask_edit.h"
#include "gui/controls/percent_progress_ctrl.h"
#include "gui/master/master_file_dialogs.h"
#include "gui/master/read_master_view_bridge.h"
#include "gui/common/dialog_units.h"

namespace vantrell::gui {
namespace {

constexpr ColourRef kBarColour = MakeColour(0, 0, 153);
constexpr ColourRef kBarBackgroundColour = MakeColour(255, 255, 255);

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.c_str()); }

// Shows bytes in a view, each compared with the byte of reference at its index.
void ShowBytes(CHexDumpCtrl& view, const std::vector<std::uint8_t>& bytes, const std::uint8_t* reference) {
  view.SetDumpData(static_cast<qint32>(bytes.size()), bytes.data(), reference);
}

}  // namespace

CReadMasterDlg::CReadMasterDlg(ReadMasterParts parts, QWidget* parent)
    : QDialog(parent),
      session_(parts.session),
      memory_(parts.memory),
      ownPrompt_(parts.prompt ? nullptr : std::make_unique<MessageBoxPrompt>(this)),
      prompt_(parts.prompt ? *parts.prompt : *ownPrompt_),
      device_(std::move(parts.device)),
      controls_(BuildReadMasterControls(*this, DialogUnits(font()))),
      bridge_(std::make_shared<ReadMasterViewBridge>(*this)),
      chooseComparison_(ChooseComparisonFile),
      chooseSave_(ChooseReadDataFile) {
  setObjectName("CReadMasterDlg");
  setWindowTitle("Read Master Chip");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  ConnectButtons();
  Initialise();
}

CReadMasterDlg::~CReadMasterDlg() { CloseHandler(); }

void CReadMasterDlg::Initialise() {
  ShowNames();
  left_ = ViewOver(*controls_.leftPlaceholder);
  right_ = ViewOver(*controls_.rightPlaceholder);
  controls_.start->SetEditMask("0xHHHHHHHH", "0x________", "0x00000000");
  controls_.length->SetEditMask("999999 [byte]", "______ [byte]", "000000 [byte]");
  Enable({controls_.clear, controls_.saveAs, controls_.compareRun}, false);
  controls_.progress->SetBarColour(kBarColour);
  controls_.progress->SetBackgroundColour(kBarBackgroundColour);
  controls_.progress->SetPosition(0);
}

CHexDumpCtrl* CReadMasterDlg::ViewOver(QWidget& placeholder) {
  placeholder.hide();
  auto* view = new CHexDumpCtrl(this);
  view->setObjectName(placeholder.objectName());
  view->setGeometry(placeholder.geometry());
  SetUpReadView(*view, this);
  view->show();
  return view;
}

void CReadMasterDlg::ConnectButtons() {
  connect(controls_.readRun, &QPushButton::clicked, this, &CReadMasterDlg::OnReadRun);
  connect(controls_.clear, &QPushButton::clicked, this, &CReadMasterDlg::OnClear);
  connect(controls_.saveAs, &QPushButton::clicked, this, &CReadMasterDlg::OnSaveAs);
  connect(controls_.compareOpen, &QPushButton::clicked, this, &CReadMasterDlg::OnCompareOpen);
  connect(controls_.compareRun, &QPushButton::clicked, this, &CReadMasterDlg::OnCompareRun);
}

void CReadMasterDlg::ShowNames() {
  controls_.savedName->setText(FromUtf8(memory_.savedName));
  controls_.comparisonName->setText(FromUtf8(memory_.comparisonName));
}

CReadMasterDlg::ButtonStates CReadMasterDlg::Buttons() const {
  const ReadMasterControls& c = controls_;
  return {c.readRun->isEnabled(), c.clear->isEnabled(), c.saveAs->isEnabled(), c.compareOpen->isEnabled(),
          c.compareRun->isEnabled()};
}

void CReadMasterDlg::SetButtons(const ButtonStates& states) {
  controls_.readRun->setEnabled(states.readRun);
  controls_.clear->setEnabled(states.clear);
  controls_.saveAs->setEnabled(states.saveAs);
  controls_.compareOpen->setEnabled(states.compareOpen);
  controls_.compareRun->setEnabled(states.compareRun);
}

void CReadMasterDlg::Enable(std::initializer_list<QPushButton*> buttons, bool enabled) {
  for (QPushButton* button : buttons) button->setEnabled(enabled);
}

void CReadMasterDlg::OnReadRun() {
  const ReadMasterControls& c = controls_;
  const ButtonStates before = Buttons();
  Enable({c.readRun, c.saveAs, c.clear, c.compareRun, c.compareOpen}, false);
  c.progressGroup->setTitle("Read Progress");

  const std::uint32_t start = ParseReadStart(c.start->GetWindowText().toStdString());
  const std::uint32_t length = ParseReadLength(c.length->GetWindowText().toStdString());
  if (const auto refusal = ReadLengthRefusal(length, device_)) {
    prompt_.Tell(ApplicationBox(*refusal));
    c.readRun->setEnabled(true);
    return;
  }
  std::shared_ptr<const MasterBytes> buffer = session_.StartRead({device_, start, length}, bridge_);
  if (!buffer) {
    // Another operation holds the link: nothing was read, nothing is lost.
    SetButtons(before);
    return;
  }
  // The read data is released, and the view lets go of it first. Until the
  // new read finishes there is none: nothing can be saved or compared.
  left_->SetDumpData(0, nullptr);
  memory_.readData.reset();
  memory_.readInFlight = std::move(buffer);
  memory_.readInFlightStart = start;
}

void CReadMasterDlg::SetRange(int low, int high) { controls_.progress->SetRange(low, high); }

void CReadMasterDlg::SetPosition(int position) { controls_.progress->SetPosition(position); }

void CReadMasterDlg::SetShowPercentage(bool show) { controls_.progress->SetShowPercentage(show); }

void CReadMasterDlg::ShowFinishedRead() {
  // The worker has finished writing the buffer before it said so.
  memory_.readData = std::move(memory_.readInFlight);
  memory_.readStart = memory_.readInFlightStart;
  if (!memory_.readData) return;
  ShowBytes(*left_, *memory_.readData, memory_.readData->data());
  Enable({controls_.saveAs, controls_.clear, controls_.compareOpen}, true);
  if (memory_.comparisonLoaded) controls_.compareRun->setEnabled(true);
}

void CReadMasterDlg::EnableReadRun() { controls_.readRun->setEnabled(true); }

void CReadMasterDlg::OnClear() {
  // The views let go of the buffers before they are released.
  left_->SetDumpData(0, nullptr);
  right_->SetDumpData(0, nullptr);
  memory_.readData.reset();
  memory_.comparisonData = {};
  memory_.comparison = {};
  memory_.comparisonLoaded = false;
  Enable({controls_.clear, controls_.saveAs, controls_.compareRun}, false);
  memory_.savedName.clear();
  memory_.comparisonName.clear();
  controls_.progress->SetPosition(0);
  ShowNames();
}

void CReadMasterDlg::OnSaveAs() {
  const std::string path = chooseSave_ ? chooseSave_(this) : std::string();
  if (path.empty()) return;
  memory_.savedName = FileNameOf(path);
  memory_.savedPath = path;
  if (!memory_.ReadDataPresent()) {
    prompt_.Tell(ApplicationBox("Read Data Save Fail!\r\n\r\nRead_Dmp_Data is empty!"));
    return;
  }
  switch (SaveReadData(path, *memory_.readData)) {
    case ReadDataSave::CreateFailed:
      prompt_.Tell(WindowBox("Error!", "Read Data Save Fail!"));
      return;
    case ReadDataSave::WriteFailed:
      prompt_.Tell(WindowBox("Error!", "WriteFile Error!"));
      return;
    case ReadDataSave::Saved:
      break;
  }
  ShowNames();
  prompt_.Tell(WindowBox("Save As", "<" + memory_.savedName + "> File Save Complete!"));
}

void CReadMasterDlg::OnCompareOpen() {
  const std::string path = chooseComparison_ ? chooseComparison_(this) : std::string();
  if (path.empty()) return;
  memory_.comparisonName = FileNameOf(path);
  memory_.comparisonPath = path;
  const ReadMasterControls& c = controls_;
  Enable({c.readRun, c.clear, c.compareRun, c.compareOpen}, false);

  // The comparison data shown so far stays until a new file has been read
  // whole, so the right view never shows a released buffer.
  ComparisonFile file = LoadComparisonFile(path);
  if (file.result == ComparisonLoad::Loaded) {
    memory_.comparisonData = std::move(file.bytes);
    ShowBytes(*right_, memory_.comparisonData, memory_.comparisonData.data());
    memory_.comparisonLoaded = true;
    if (memory_.ReadDataPresent()) c.compareRun->setEnabled(true);
  } else {
    memory_.comparisonName.clear();
    prompt_.Tell(ApplicationBox(ComparisonLoadFailureText(file.result)));
  }
  Enable({c.readRun, c.clear, c.compareOpen}, true);
  ShowNames();
}

void CReadMasterDlg::OnCompareRun() {
  if (!memory_.ReadDataPresent() || !memory_.comparisonLoaded) return;
  const ReadMasterControls& c = controls_;
  Enable({c.readRun, c.saveAs, c.clear, c.compareRun, c.compareOpen}, false);

  const MasterBytes& read = *memory_.readData;
  memory_.comparison = CompareMasterData(read, memory_.comparisonData, memory_.readStart);
  ShowBytes(*left_, read, memory_.comparison.leftReference.data());
  ShowBytes(*right_, memory_.comparisonData, memory_.comparison.rightReference.data());
  prompt_.Tell(CompareVerdictBox(memory_.comparison));
  if (!memory_.comparison.Same()) session_.Log().LogText(FirstDifferenceText(memory_.comparison) + "\r\n");

  Enable({c.readRun, c.saveAs, c.clear, c.compareRun, c.compareOpen}, true);
}

void CReadMasterDlg::DumpMenuOpening(int viewId, int, int) {
  activeView_ = viewId == control_id::read_master::kRightView ? 1 : 0;
}

void CReadMasterDlg::DumpCommand(int, int command) {
  if (command == kCopySelectionCommand) CopySelection();
}

void CReadMasterDlg::CopySelection() {
  const CHexDumpCtrl& view = activeView_ == 1 ? *right_ : *left_;
  const QString text = SelectionClipboardText(view);
  // An empty view has nothing selected, so nothing is copied.
  if (text.isEmpty()) return;
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(text);
}

void CReadMasterDlg::done(int result) {
  CloseHandler();
  QDialog::done(result);
}

void CReadMasterDlg::CloseHandler() {
  if (closed_) return;
  closed_ = true;
  // A read still going is abandoned: the link closes, which also ends the
  // exchange the worker waits in, and nothing reaches this window again.
  session_.Abandon();
  bridge_->Detach();
}

}  // namespace vantrell::gui
