#pragma once
// The program as vantrell-cli runs it: started up the way the main window
// starts (driver, log, images, device list, selection), with RUN's
// comparison and its answer driven from the command line. Work that waits
// on the writer runs off the main thread, which keeps watching for Ctrl+C
// and abandons that work the way closing the window does.
#include <memory>
#include <optional>
#include <string>

#include "cli/host/cli_prompt.h"
#include "cli/host/main_window_stand_in.h"
#include "cli/host/update_events.h"
#include "core/app/main_controller.h"
#include "core/app/run_controller.h"
#include "core/platform/writer_claim.h"

namespace vantrell::cli {

struct CliEnvironment;
struct GlobalOptions;
class EventOutput;

class CliHost {
 public:
  CliHost(CliEnvironment& env, EventOutput& events, const GlobalOptions& options);
  // Closes the link and the log, storing none of the main window's settings.
  ~CliHost();
  CliHost(const CliHost&) = delete;
  CliHost& operator=(const CliHost&) = delete;

  enum class Start { Started, NoDriver, WriterBusy };
  // The main window's start-up with the image named (with or without
  // ".bin"), else the one the windows selected last. NoDriver when the
  // driver library could not be bound; the rest of the start-up has run.
  // First the writer is claimed for the whole command; WriterBusy, with
  // nothing started, bound or logged, when another program holds it (the
  // start-up would begin a new log over the one that program writes).
  Start StartUp(const std::optional<std::string>& imageName);
  MainController& Controller() { return *controller_; }
  CliPrompt& Prompt() { return prompt_; }

  // The image asked for was found and read whole.
  bool ImageSelected() const;
  std::string ImageFileName() const;
  const SelectedDevice& Device() const;
  std::optional<DeviceWindowKind> OpenedWindow() const { return controls_.Opened(); }

  // RUN's comparison of the writer with the image. Nothing after Ctrl+C.
  std::optional<RunCheck> CheckWriter();

  struct Acted {
    RunOutcome outcome = RunOutcome::Refused;
    bool interrupted = false;
    bool updated = false;   // an update ran and wrote and verified the image
    double updateSeconds = 0;
  };
  // RUN's answer to the comparison; an update it starts is waited for and,
  // when it succeeds and openWindow is set, opens the device window.
  Acted Act(RunCheck check, bool openWindow);

  // Ctrl+C: the log is closed first (nothing more is logged), then what
  // runs is abandoned and the link closed, as closing the windows does.
  void Abandon();

 private:
  CliEnvironment& env_;
  EventOutput& events_;
  const GlobalOptions& options_;
  CliPrompt prompt_;
  CliSelectionView selection_;
  UpdateEvents update_;
  CliControls controls_;
  // Let go only after the controller below has closed the link and the log.
  std::optional<WriterClaim> claim_;
  std::unique_ptr<CliShell> shell_;
  std::unique_ptr<MainController> controller_;
};

// The reason an image name cannot be used, checked before anything starts:
// no such file in the program directory's "Device" folder. Empty when fine.
std::string MissingImage(const std::string& programDirectory, const std::string& imageName);

}  // namespace vantrell::cli
