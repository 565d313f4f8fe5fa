#include "gui/program/down_window.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include "core/common/prompt.h"
#include "core/platform/settings_store.h"
#include "core/program/session/programming_session.h"
#include "core/text/format.h"
#include "gui/common/dialog_units.h"
#include "gui/controls/cell_list_ctrl.h"
#include "gui/controls/percent_progress_ctrl.h"
#include "gui/master/open_read_master.h"
#include "gui/program/auto_run_select.h"
#include "gui/program/data_file_dialog.h"
#include "gui/program/down_window_keys.h"
#include "core/program/session/run_settings.h"
#include "gui/program/download_list_binding.h"
#include "gui/program/download_view_bridge.h"

namespace vantrell::gui {
namespace {

constexpr ColourRef kTotalBarColour = MakeColour(0, 0, 153);
constexpr ColourRef kTotalBackgroundColour = MakeColour(255, 255, 255);

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.c_str()); }

}  // namespace

CDownWindow::CDownWindow(DownWindowParts parts, QWidget* parent)
    : QDialog(parent),
      session_(parts.session),
      settings_(parts.settings),
      prompt_(parts.prompt),
      list_(parts.prompt),
      controls_(BuildDownWindowControls(*this, DialogUnits(font()))),
      chooseFiles_(ChooseDataFiles),
      openReadMaster_(parts.readMaster ? MakeReadMasterOpener(*parts.readMaster, session_.Device()) : WindowOpener()) {
  setObjectName("CDownWindow");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  binding_ = new DownloadListBinding(list_, *controls_.list, this);
  bridge_ = std::make_shared<DownloadViewBridge>(*this);
  keys_ = new DownWindowKeys(*this, *controls_.autoRun,
                             {.beforeFocusMove = [this] { binding_->TakeRefusedEdit(); },
                              .startAuto = [this] { OnAutoKey(); }});
  ConnectButtons();
  Initialise();
}

CDownWindow::~CDownWindow() {
  CloseHandler();
  // The key filter and the list binding refer to members that go before the
  // child widgets do.
  delete keys_;
  delete binding_;
}

void CDownWindow::Initialise() {
  ApplyButtonStates();
  binding_->SetUpControl();
  controls_.total->SetBarColour(kTotalBarColour);
  controls_.total->SetBackgroundColour(kTotalBackgroundColour);
  controls_.total->SetPosition(0);
  setAcceptDrops(true);
  ShowTitle();
  socketCount_ = session_.SocketCount();
  controls_.packs->Reset(socketCount_);
  session_.SetCounters(ReadCounters(settings_));
  ShowCounters(session_.Counters());
  session_.SetOptions(ReadInitialOptions(settings_));
  controls_.checkSum->setChecked(false);
}

void CDownWindow::ShowTitle() {
  const SelectedDevice device = session_.Device();
  const unsigned major = device.version >> 8;
  const unsigned minor = device.version & 0xFFu;
  setWindowTitle(QString::fromUtf8(" ★ Chip Programmer for [") + FromUtf8(device.name) + "]" +
                 FromUtf8(FormatText(" - Version %x.%02x", major, minor)));
}

void CDownWindow::ConnectButtons() {
  const DownWindowControls& c = controls_;
  connect(c.loadFiles, &QPushButton::clicked, this, &CDownWindow::OnLoadFiles);
  connect(c.removeFiles, &QPushButton::clicked, this, &CDownWindow::OnRemoveFiles);
  connect(c.removeAll, &QPushButton::clicked, this, &CDownWindow::OnRemoveAll);
  connect(c.autoRun, &QPushButton::clicked, this, &CDownWindow::OnAuto);
  connect(c.blankCheck, &QPushButton::clicked, this, [this] { OnSingleStage(RunOptions::BlankCheckOnly()); });
  connect(c.program, &QPushButton::clicked, this, [this] { OnSingleStage(RunOptions::ProgramOnly()); });
  connect(c.verify, &QPushButton::clicked, this, [this] { OnSingleStage(RunOptions::VerifyOnly()); });
  connect(c.eraseAll, &QPushButton::clicked, this, &CDownWindow::OnEraseAll);
  connect(c.reset, &QPushButton::clicked, this, &CDownWindow::OnReset);
  connect(c.autoOptionSet, &QPushButton::clicked, this, &CDownWindow::OnAutoOptionSet);
  connect(c.readMaster, &QPushButton::clicked, this, &CDownWindow::OnReadMaster);
  connect(c.list, &CCellListCtrl::ColumnClicked, this, &CDownWindow::OnColumnClicked);
}

void CDownWindow::ApplyButtonStates() {
  const RunButtonStates& s = buttons_.States();
  controls_.autoRun->setEnabled(s.autoRun);
  controls_.removeFiles->setEnabled(s.removeFiles);
  controls_.removeAll->setEnabled(s.removeAll);
  controls_.blankCheck->setEnabled(s.blankCheck);
  controls_.program->setEnabled(s.program);
  controls_.verify->setEnabled(s.verify);
  controls_.eraseAll->setEnabled(s.eraseAll);
}

void CDownWindow::AddFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  binding_->AddFiles(paths);
  buttons_.ListChanged(true);
  ApplyButtonStates();
  controls_.total->SetShowPercentage(true);
}

void CDownWindow::ListEmptiedIfNoFiles() {
  if (list_.HasFiles()) return;
  buttons_.ListChanged(false);
  ApplyButtonStates();
  controls_.total->SetShowPercentage(false);
}

void CDownWindow::OnLoadFiles() {
  if (chooseFiles_) AddFiles(chooseFiles_(this));
}

void CDownWindow::OnRemoveFiles() {
  binding_->RemoveSelectedFiles();
  ListEmptiedIfNoFiles();
}

void CDownWindow::OnRemoveAll() {
  binding_->RemoveAllFiles();
  ListEmptiedIfNoFiles();
}

void CDownWindow::OnColumnClicked(int column) {
  // While a run goes its Progress cells belong to the rows it was started
  // with, so the rows keep their order until it ends.
  if (column == kSectorColumn && !buttons_.Running()) binding_->SortByStartSector();
  if (column == kChecksumColumn) binding_->ComputeChecksums(FlashGeometry(session_.Device()).flashBytes);
}

void CDownWindow::OnAuto() {
  const RunOptions options = ReadAutoOptions(settings_);
  session_.SetOptions(options);
  if (!AnyOptionSet(options)) {
    prompt_.Tell(ApplicationBox("Auto Option is not set!"));
    return;
  }
  StartRun();
}

void CDownWindow::OnAutoKey() {
  // Taking the focus to Auto ended an open Sector No. edit; when that edit
  // was refused the operator has a box to read, not a run to watch.
  if (binding_->TakeRefusedEdit()) return;
  if (controls_.autoRun->isEnabled()) controls_.autoRun->click();
}

void CDownWindow::OnSingleStage(const RunOptions& options) {
  session_.SetOptions(options);
  StartRun();
}

void CDownWindow::StartRun() {
  if (buttons_.Running()) return;
  binding_->ComputeChecksums(FlashGeometry(session_.Device()).flashBytes);
  binding_->SortByStartSector();
  DownloadJob job;
  list_.BuildDownloadJob(job);
  // Refused, with nothing changed, while another operation holds the link.
  session_.StartRun(std::move(job), bridge_);
}

void CDownWindow::OnEraseAll() {
  if (!buttons_.Running()) session_.StartEraseAll(bridge_);
}

void CDownWindow::OnReset() {
  session_.ResetCounters();
  ShowCounters(session_.Counters());
}

void CDownWindow::OnAutoOptionSet() {
  // A run going works with the options it started with; what is chosen here
  // applies from the next run on.
  const RunOptions options = ReadAutoOptions(settings_);
  session_.SetOptions(options);
  CAutoRunSelect select(options, this);
  if (select.exec() != QDialog::Accepted) return;
  session_.SetOptions(select.Options());
  WriteOptions(settings_, select.Options());
}

void CDownWindow::OnReadMaster() {
  if (openReadMaster_) openReadMaster_(this);
}

void CDownWindow::SetPackLine(std::size_t socket, const std::string& text) {
  controls_.packs->SetText(socket, FromUtf8(text));
}

void CDownWindow::SetPackColour(std::size_t socket, std::uint32_t colour) { controls_.packs->SetColour(socket, colour); }

void CDownWindow::SetTotalProgressRange(int low, int high) { controls_.total->SetRange(low, high); }

void CDownWindow::SetTotalProgressPosition(int position) { controls_.total->SetPosition(position); }

void CDownWindow::SetTotalProgressShowPercentage(bool show) { controls_.total->SetShowPercentage(show); }

void CDownWindow::SetProgressText(const std::string& text) { controls_.stageText->setText(FromUtf8(text)); }

void CDownWindow::SetByteProgress(const ByteCount& count) { SetProgressText(count.Text()); }

void CDownWindow::UpdateFileProgress(std::size_t row, int percent) { binding_->SetProgress(row, percent); }

void CDownWindow::ShowCounters(const ResultCounters& counters) {
  const std::int32_t values[3] = {counters.total, counters.success, counters.fail};
  for (int i = 0; i < 3; ++i) controls_.counters[i]->setText(FromUtf8(FormatText("%d", values[i])));
}

bool CDownWindow::IsCheckSumChecked() { return controls_.checkSum->isChecked(); }

void CDownWindow::DisableRunButtons() {
  buttons_.RunStarted();
  ApplyButtonStates();
}

void CDownWindow::RestoreButtons() {
  buttons_.RunEnded(list_.HasFiles());
  ApplyButtonStates();
}

void CDownWindow::done(int result) {
  CloseHandler();
  QDialog::done(result);
}

void CDownWindow::CloseHandler() {
  if (closed_) return;
  closed_ = true;
  // Closes the link, which also ends an exchange the worker waits in; a run
  // still going is abandoned and talks to a null window from now on.
  session_.Abandon();
  // A call already on its way to the window finds none.
  bridge_->Detach();
  WriteCounters(settings_, session_.Counters());
}

void CDownWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CDownWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  event->acceptProposedAction();
  AddFiles(paths);
}

}  // namespace vantrell::gui
