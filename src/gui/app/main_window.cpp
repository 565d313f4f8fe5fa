#include "gui/app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QPointer>
#include <QVBoxLayout>

#include "core/app/main_controller.h"
#include "core/app/run_controller.h"
#include "core/program/session/programming_session.h"
#include "core/platform/program_path.h"
#include "gui/app/about_box.h"
#include "gui/app/device_window_placeholder.h"
#include "gui/app/prompt_until_end.h"
#include "gui/common/control_lookup.h"
#include "gui/common/gui_thread.h"
#include "gui/common/message_box_prompt.h"
#include "settings/qt_settings_store.h"

namespace vantrell::gui {
namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.c_str()); }

QLabel* StatusLine(int id, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(ControlName(id));
  label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  label->setMinimumWidth(320);
  return label;
}

}  // namespace

CVantrellDlg::CVantrellDlg(std::shared_ptr<Prompt> prompt, std::shared_ptr<SettingsStore> settings,
                           std::optional<ProgramLocation> location, QWidget* parent)
    : QDialog(parent),
      prompt_(std::make_shared<PromptUntilEnd>(prompt ? std::move(prompt) : std::make_shared<MessageBoxPrompt>(this),
                                               end_)),
      settings_(settings ? std::move(settings) : std::make_shared<QtSettingsStore>()),
      openDeviceWindow_([this](DeviceWindowKind kind, QWidget* owner) {
        OpenDeviceWindow(kind, owner, {*controller_, *settings_, *prompt_});
      }) {
  setObjectName("CVantrellDlg");
  setWindowTitle("Vantrell");
  setWindowIcon(style()->standardIcon(QStyle::SP_DriveHDIcon));
  setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  BuildControls();
  BuildMenus();
  controller_ = std::make_unique<MainController>(
      MainWindowParts{*prompt_, *settings_, *this, *this, *this, *this},
      location.value_or(ProgramLocation{ExecutablePath(), ProgramDirectory()}));
  qApp->installEventFilter(this);
}

CVantrellDlg::~CVantrellDlg() {
  qApp->removeEventFilter(this);
  if (!closing_) controller_->Close();
}

void CVantrellDlg::BuildControls() {
  auto* selection = new QGroupBox("Device Selection", this);
  deviceCombo_ = new QComboBox(selection);
  deviceCombo_->setObjectName(ControlName(control_id::main_window::kDeviceCombo));
  deviceCombo_->setMinimumWidth(220);
  runButton_ = new QPushButton("RUN", selection);
  runButton_->setObjectName(ControlName(control_id::main_window::kRun));
  runButton_->setAutoDefault(false);
  runButton_->setMinimumWidth(90);
  auto* selectionLayout = new QHBoxLayout(selection);
  selectionLayout->addWidget(deviceCombo_, 1);
  selectionLayout->addWidget(runButton_);

  auto* message = new QGroupBox("Message", this);
  selectionStatus_ = StatusLine(control_id::main_window::kSelectionStatus, "No Device selected!", message);
  deviceStatus_ = StatusLine(control_id::main_window::kDeviceStatus, " .....", message);
  byteCounter_ = new QLabel("0/0[byte]", message);
  byteCounter_->setObjectName(ControlName(control_id::main_window::kByteCounter));
  byteCounter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  progress_ = new QProgressBar(message);
  progress_->setObjectName(ControlName(control_id::main_window::kProgress));
  progress_->setTextVisible(false);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  auto* messageLayout = new QGridLayout(message);
  messageLayout->addWidget(selectionStatus_, 0, 0, 1, 2);
  messageLayout->addWidget(deviceStatus_, 1, 0, 1, 2);
  messageLayout->addWidget(progress_, 2, 0);
  messageLayout->addWidget(byteCounter_, 2, 1);
  messageLayout->setColumnStretch(0, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(selection);
  layout->addWidget(message);

  connect(deviceCombo_, &QComboBox::currentIndexChanged, this,
          [this](int index) { controller_->SelectDeviceImage(index); });
  connect(runButton_, &QPushButton::clicked, this, &CVantrellDlg::OnRun);
}

void CVantrellDlg::BuildMenus() {
  auto* bar = new QMenuBar(this);
  auto* info = bar->addMenu("Info");
  QAction* current = info->addAction("Current Device Information");
  current->setObjectName("32779");
  connect(current, &QAction::triggered, this, &CVantrellDlg::OnCurrentDeviceInfo);
  QAction* all = info->addAction("All Device Information");
  all->setObjectName("32781");
  connect(all, &QAction::triggered, this, &CVantrellDlg::OnAllDeviceInfo);
  auto* help = bar->addMenu("Help");
  QAction* about = help->addAction("About Vantrell");
  about->setObjectName("32777");
  connect(about, &QAction::triggered, this, &CVantrellDlg::ShowAboutBox);
  QAction* check = help->addAction("Update Check");
  check->setObjectName("32778");
  connect(check, &QAction::triggered, this, &CVantrellDlg::OnUpdateCheck);
  layout()->setMenuBar(bar);

  auto* aboutKey = new QShortcut(QKeySequence(Qt::Key_F12), this);
  connect(aboutKey, &QShortcut::activated, this, &CVantrellDlg::ShowAboutBox);
  // The device list editor has no menu item, only this key.
  auto* editorKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_F12), this);
  connect(editorKey, &QShortcut::activated, this, &CVantrellDlg::OnDeviceListUpdate);
}

bool CVantrellDlg::StartUp() {
  end_.StartUpBegins();
  const bool completed = controller_->StartUp([this] { return end_.CutStartUpShort(); });
  end_.StartUpFinished();
  return completed;
}

void CVantrellDlg::OnRun() {
  if (RunController* run = controller_->Run()) run->OnRun();
}

void CVantrellDlg::ShowAboutBox() {
  CAboutDlg about(this);
  about.exec();
}

void CVantrellDlg::MoveWindowTo(int left, int top) { move(left, top); }

void CVantrellDlg::SetComboIndex(int index) {
  // Setting the index is not a selection by the operator.
  QSignalBlocker block(deviceCombo_);
  deviceCombo_->setCurrentIndex(index < deviceCombo_->count() ? index : -1);
}

int CVantrellDlg::ComboIndex() const { return deviceCombo_->currentIndex(); }

WindowRect CVantrellDlg::RestoredRect() const {
  const QRect frame = frameGeometry();
  const QRect normal = (isMinimized() || isMaximized()) ? normalGeometry() : geometry();
  // Position of the frame, size of the frame around the normal client area.
  const int frameW = frame.width() - geometry().width();
  const int frameH = frame.height() - geometry().height();
  const QPoint topLeft = (isMinimized() || isMaximized()) ? normal.topLeft() - (geometry().topLeft() - frame.topLeft())
                                                          : frame.topLeft();
  return {topLeft.x(), topLeft.y(), normal.width() + frameW, normal.height() + frameH};
}

void CVantrellDlg::AddDeviceName(const std::string& name) {
  QSignalBlocker block(deviceCombo_);
  deviceCombo_->addItem(FromUtf8(name));
}

void CVantrellDlg::SetSelectionStatus(const std::string& text) {
  RunOnGuiThread(this, [this, t = FromUtf8(text)] { selectionStatus_->setText(t); });
}

void CVantrellDlg::SetDeviceStatus(const std::string& text) {
  RunOnGuiThread(this, [this, t = FromUtf8(text)] { deviceStatus_->setText(t); });
}

void CVantrellDlg::ResetProgress(int upper) {
  stepsTaken_.store(0);
  RunOnGuiThread(this, [this, upper] {
    progress_->setRange(0, upper > 0 ? upper : 1);  // an empty range would show a busy bar
    progress_->setValue(0);
  });
}

// The update's steps and byte counts are posted, not waited for; a window
// gone by the time they arrive shows nothing.
enum UpdatePostKind { kProgressSteps, kByteCount };

void CVantrellDlg::StepProgress() {
  const int steps = stepsTaken_.fetch_add(1) + 1;
  posts_.Post(kProgressSteps, [window = QPointer<CVantrellDlg>(this), steps] {
    if (window) window->progress_->setValue(std::min(steps, window->progress_->maximum()));
  });
}

void CVantrellDlg::SetByteCounter(const ByteCount& count) {
  posts_.Post(kByteCount, [window = QPointer<CVantrellDlg>(this), count] {
    if (window) window->byteCounter_->setText(FromUtf8(count.Text()));
  });
}

void CVantrellDlg::UpdateFinished() {
  RunOnGuiThread(this, [this] {
    if (RunController* run = controller_->Run()) run->OnUpdateFinished();
  });
}

void CVantrellDlg::SetRunControlsEnabled(bool enabled) {
  RunOnGuiThread(this, [this, enabled] {
    runButton_->setEnabled(enabled);
    deviceCombo_->setEnabled(enabled);
  });
}

void CVantrellDlg::ShowDeviceWindow(DeviceWindowKind kind) { openDeviceWindow_(kind, this); }

void CVantrellDlg::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    closing_ = true;
    controller_->Close();
    LetAbandonedWorkersGo();
  }
  // Ends the dialog through reject(), which now lets it go.
  QDialog::closeEvent(event);
}

void CVantrellDlg::LetAbandonedWorkersGo() {
  // An abandoned worker may still be handing a window a last call; keep
  // dispatching until every one has let go.
  while (controller_->AnyWorkerRunning()) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void CVantrellDlg::reject() {
  // Escape never ends the program; only a close request does, after the
  // close handler has run.
  if (closing_) QDialog::reject();
}

bool CVantrellDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return QDialog::eventFilter(watched, event);
  // Escape, Enter and Space never act in the main window.
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      return true;
    default:
      return QDialog::eventFilter(watched, event);
  }
}

}  // namespace vantrell::gui
