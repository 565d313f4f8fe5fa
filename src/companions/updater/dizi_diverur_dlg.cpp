#include "companions/updater/dizi_diverur_dlg.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/update/http_manifest_fetcher.h"
#include "core/update/updater/updater_view.h"
#include "gui/common/coalesced_posts.h"
#include "gui/common/gui_thread.h"
#include "gui/controls/percent_progress_ctrl.h"

namespace vantrell::gui {

// The update's view: what the thread shows reaches the window through the
// GUI thread's queue and never waits. Status and progress come coalesced,
// the latest value winning; every log line is shown. The window joins the
// thread before it goes, but updates already queued may find it gone.
class UpdaterViewBridge : public UpdaterView {
 public:
  explicit UpdaterViewBridge(CDiziDiverurDlg& window) : window_(&window) {}

  void ShowStatus(const std::string& text) override {
    Post(kStatus, [text](CDiziDiverurDlg& w) { w.Status()->setText(QString::fromStdString(text)); });
  }
  void ShowProgress(int percent) override {
    Post(kProgress, [percent](CDiziDiverurDlg& w) { w.Progress()->SetPosition(percent); });
  }
  void Log(const std::string& line) override {
    PostToGuiThread([window = window_, line] {
      if (window) window->Log()->addItem(QString::fromStdString(line));
    });
  }

 private:
  enum Kind { kStatus, kProgress };

  template <typename Show>
  void Post(Kind kind, Show show) {
    posts_.Post(kind, [window = window_, show = std::move(show)] {
      if (window) show(*window);
    });
  }

  QPointer<CDiziDiverurDlg> window_;
  CoalescedPosts posts_;
};

CDiziDiverurDlg::CDiziDiverurDlg(UpdaterSettings settings, QWidget* parent)
    : QDialog(parent),
      settings_(std::move(settings)),
      fetcher_(std::make_unique<HttpManifestFetcher>()),
      status_(new QLabel(this)),
      progress_(new CPercentProgressCtrl(this)),
      log_(new QListWidget(this)),
      button_(new QPushButton("Stop", this)),
      bridge_(std::make_unique<UpdaterViewBridge>(*this)) {
  setObjectName("CDiziDiverurDlg");
  setWindowTitle("DiziDiverur");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  status_->setObjectName("Status");
  status_->setText("Preparing the update...");
  progress_->setObjectName("Progress");
  progress_->SetRange(0, 100);
  progress_->SetShowPercentage(true);
  progress_->setMinimumHeight(22);
  log_->setObjectName("Log");
  button_->setObjectName("Close");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(status_);
  layout->addWidget(progress_);
  layout->addWidget(log_, 1);
  layout->addWidget(button_, 0, Qt::AlignRight);
  resize(460, 300);

  connect(button_, &QPushButton::clicked, this, &CDiziDiverurDlg::reject);
}

CDiziDiverurDlg::~CDiziDiverurDlg() {
  stop_.Cancel();
  if (worker_.joinable()) worker_.join();
}

void CDiziDiverurDlg::StartUpdate() {
  if (worker_.joinable()) return;
  worker_ = std::thread([this] {
    const UpdateOutcome outcome = Updater(settings_, *fetcher_, *bridge_, stop_).Run();
    PostToGuiThread([window = QPointer<CDiziDiverurDlg>(this), outcome] {
      if (window) window->OnUpdateEnded(outcome);
    });
  });
}

void CDiziDiverurDlg::reject() {
  if (!IsRunning()) return QDialog::reject();
  // The thread ends soon after (a download notices within a second); the
  // window closes when it has.
  closeRequested_ = true;
  stop_.Cancel();
  button_->setEnabled(false);
  status_->setText("Stopping...");
}

void CDiziDiverurDlg::OnUpdateEnded(UpdateOutcome outcome) {
  outcome_ = outcome;
  if (worker_.joinable()) worker_.join();
  button_->setText("Close");
  button_->setEnabled(true);
  if (closeRequested_) return QDialog::reject();
  if (outcome == UpdateOutcome::Updated) QTimer::singleShot(closeDelayMs_, this, &QDialog::accept);
}

}  // namespace vantrell::gui
