#pragma once
// The main window: device selection, RUN, and the status lines of the
// selection and of the writer firmware update.
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include <QDialog>

#include "core/app/firmware_update_view.h"
#include "core/app/main_controller.h"
#include "core/app/main_window_controls.h"
#include "core/app/main_window_shell.h"
#include "core/devices/device_selection_view.h"
#include "gui/app/program_end.h"
#include "gui/common/coalesced_posts.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace vantrell {
class Prompt;
class SettingsStore;
}  // namespace vantrell

namespace vantrell::gui {

class CVantrellDlg : public QDialog,
                     public MainWindowShell,
                     public DeviceSelectionView,
                     public FirmwareUpdateView,
                     public MainWindowControls {
  Q_OBJECT
 public:
  using DeviceWindowOpener = std::function<void(DeviceWindowKind, QWidget* parent)>;

  // prompt and settings are the window's own unless a test hands in others;
  // the location is the running program's unless given.
  CVantrellDlg(std::shared_ptr<Prompt> prompt, std::shared_ptr<SettingsStore> settings,
               std::optional<ProgramLocation> location = std::nullopt, QWidget* parent = nullptr);
  ~CVantrellDlg() override;

  // Runs the start-up steps; false when the program must end afterwards.
  bool StartUp();
  // How a request to end the program from outside is carried out.
  ProgramEnd& End() { return end_; }
  void SetDeviceWindowOpener(DeviceWindowOpener opener) { openDeviceWindow_ = std::move(opener); }
  MainController& Controller() { return *controller_; }

  // MainWindowShell
  void MoveWindowTo(int left, int top) override;
  void SetComboIndex(int index) override;
  int ComboIndex() const override;
  WindowRect RestoredRect() const override;
  // DeviceSelectionView (status line 1007 is shared with the update)
  void AddDeviceName(const std::string& name) override;
  void SetSelectionStatus(const std::string& text) override;
  void SetDeviceStatus(const std::string& text) override;
  // FirmwareUpdateView: called from the update's worker thread
  void ResetProgress(int upper) override;
  void StepProgress() override;
  void SetByteCounter(const ByteCount& count) override;
  void UpdateFinished() override;
  // MainWindowControls
  void SetRunControlsEnabled(bool enabled) override;
  void ShowDeviceWindow(DeviceWindowKind kind) override;

  void ShowAboutBox();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;  // only once the close handler has run
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildMenus();
  void OnRun();
  // The Info and Help menus' commands and the device list editor's key.
  void OnCurrentDeviceInfo();
  void OnAllDeviceInfo();
  void OnUpdateCheck();
  void OnDeviceListUpdate();
  // Ends the window the way Cancel does, once a companion tool has taken
  // over: the link and the log are let go, the settings are not stored.
  void EndWithoutSaving();
  void LetAbandonedWorkersGo();

  // Before the prompt, which asks it whether boxes are still shown.
  ProgramEnd end_{*this};
  std::shared_ptr<Prompt> prompt_;
  std::shared_ptr<SettingsStore> settings_;
  std::unique_ptr<MainController> controller_;
  DeviceWindowOpener openDeviceWindow_;
  bool closing_ = false;

  QComboBox* deviceCombo_ = nullptr;
  QPushButton* runButton_ = nullptr;
  QLabel* selectionStatus_ = nullptr;
  QLabel* deviceStatus_ = nullptr;
  QLabel* byteCounter_ = nullptr;
  QProgressBar* progress_ = nullptr;
  // The update's steps and byte counts, shown without the worker waiting.
  std::atomic<int> stepsTaken_{0};
  CoalescedPosts posts_;
};

}  // namespace vantrell::gui
