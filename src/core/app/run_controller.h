#pragma once
// RUN: asks the writer which firmware it runs, compares it with the selected
// image, and opens the device's window or, with the operator's consent,
// replaces the writer's firmware on a worker thread first.
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "core/app/busy_lease.h"
#include "core/app/busy_state.h"
#include "core/app/cancellation.h"
#include "core/app/writer_identity.h"

namespace vantrell {

class DeviceCatalogue;
class DeviceImages;
class FirmwareUpdateView;
class MainWindowControls;
class Prompt;
class WriterLink;

class RunController {
 public:
  struct Parts {
    WriterLink& link;
    Prompt& prompt;
    const DeviceCatalogue& catalogue;
    const DeviceImages& images;
    FirmwareUpdateView& updateView;
    MainWindowControls& controls;
    BusyState& busy;
  };

  explicit RunController(Parts parts) : p_(parts) {}
  ~RunController();
  RunController(const RunController&) = delete;
  RunController& operator=(const RunController&) = delete;

  // Handler of RUN (GUI thread).
  void OnRun();
  // The update succeeded: the device window of the device kept at RUN.
  void OnUpdateFinished();

  bool UpdateRunning() const { return updateRunning_->load(); }
  // The main window is closing: the update stops touching link and window.
  // Closes the link; the caller keeps processing events until UpdateRunning
  // turns false, then destroys this.
  void AbandonUpdate();

  const WriterIdentity& LastWriterIdentity() const { return writer_; }
  const std::string& RunDeviceName() const { return runDeviceName_; }

 private:
  bool Identify();
  void LogComparison(const WriterIdentity& image);
  void StartUpdate(BusyLease lease);
  void OpenDeviceWindow();

  Parts p_;
  WriterIdentity writer_;
  std::string runDeviceName_;
  std::thread worker_;
  std::shared_ptr<std::atomic<bool>> updateRunning_ = std::make_shared<std::atomic<bool>>(false);
  CancellationToken cancel_;
};

}  // namespace vantrell
