#pragma once
// RUN: asks the writer which firmware it runs, compares it with the selected
// image, and opens the device's window or, with the operator's consent,
// replaces the writer's firmware on a worker thread first.
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "core/common/busy_lease.h"
#include "core/common/busy_state.h"
#include "core/common/cancellation.h"
#include "core/app/run_decision.h"
#include "core/app/writer_identity.h"

namespace vantrell {

class DeviceCatalogue;
class DeviceImages;
class FirmwareUpdateView;
class MainWindowControls;
class Prompt;
class WriterLink;

// Where RUN stands once it has compared the writer with the image.
enum class RunStop {
  None,               // compared: step says what comes next
  ImageNotRunnable,   // no whole image, or one of an unlisted number (told)
  Busy,               // an update or another operation holds the link (told)
  LinkNotOpened,      // the link did not open (told and logged)
  LinkFailed,         // the identity exchange failed (told and logged)
};

struct RunCheck {
  RunStop stop = RunStop::None;
  RunFacts facts;
  RunStep step = RunStep::OpenWindow;
  // Held from before the identification until the step is acted on.
  std::optional<BusyLease> lease;
};

// What acting on a step did.
enum class RunOutcome {
  WindowOpened,    // the device window was shown (and has closed again)
  UpdateStarted,   // the update runs on its worker; success opens the window
  Declined,        // the operator said No to replacing the firmware
  Refused,         // the image's device is not listed (told)
};

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

  // Handler of RUN (GUI thread): CheckWriter, then Act on its step.
  void OnRun();
  // RUN up to its decision: the image checks, the writer's identification
  // and the logged comparison. Talks to the writer only when the image may
  // be run and the link is free.
  RunCheck CheckWriter();
  // RUN's answer to a comparison that stopped at nothing: opens the window,
  // or asks and starts the update (which takes the check's lease along).
  RunOutcome Act(RunCheck check);
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
  // Opens the link and asks the writer who it is: None when it answered.
  RunStop Identify();
  RunFacts Compare(const WriterIdentity& image);
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
