#pragma once
// The updater's window: a status line, the progress of the whole update as
// a percentage, and a list of what was done, refused or went wrong. The
// update runs on a thread of its own; its window may close at any time, which
// stops a download with nothing changed.
#include <memory>
#include <optional>
#include <thread>

#include <QDialog>

#include "core/common/cancellation.h"
#include "core/update/updater/update_run.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace vantrell {
class ManifestFetcher;
}

namespace vantrell::gui {

class CPercentProgressCtrl;
class UpdaterViewBridge;

class CDiziDiverurDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CDiziDiverurDlg(UpdaterSettings settings, QWidget* parent = nullptr);
  ~CDiziDiverurDlg() override;

  // Starts the update on its thread; once only.
  void StartUpdate();
  // How long the window stays after a clean update before it closes.
  void SetCloseDelay(int milliseconds) { closeDelayMs_ = milliseconds; }

  bool IsRunning() const { return worker_.joinable() && !outcome_; }
  std::optional<UpdateOutcome> Outcome() const { return outcome_; }
  QLabel* Status() const { return status_; }
  CPercentProgressCtrl* Progress() const { return progress_; }
  QListWidget* Log() const { return log_; }

  // Closing while the update runs stops it first.
  void reject() override;

 private:
  void OnUpdateEnded(UpdateOutcome outcome);

  UpdaterSettings settings_;
  std::unique_ptr<ManifestFetcher> fetcher_;
  CancellationToken stop_;
  std::optional<UpdateOutcome> outcome_;
  bool closeRequested_ = false;
  int closeDelayMs_ = 1500;
  QLabel* status_;
  CPercentProgressCtrl* progress_;
  QListWidget* log_;
  QPushButton* button_;
  std::unique_ptr<UpdaterViewBridge> bridge_;
  std::thread worker_;
};

}  // namespace vantrell::gui
