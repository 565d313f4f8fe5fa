#pragma once
// The update itself: wait for the main program to end, read the published
// manifest and delete list, fetch every file that is not current, put them
// all in place, remove what the delete list names, record the new local
// manifest and start the main program again.
//
// Nothing in the program directory changes until every file has arrived
// whole: each is fetched into a new file beside the one it replaces, and
// only then are they renamed over the old ones, one by one. A server that
// goes away, a full disk or a stop by the operator leaves every file as it
// was; a crash during the renames leaves each file either old or new.
#include <chrono>
#include <optional>
#include <string>

#include "core/common/cancellation.h"
#include "core/platform/running_program.h"
#include "core/update/fetch_limits.h"
#include "core/update/manifest.h"
#include "core/update/updater/file_download.h"
#include "core/update/updater/update_plan.h"

namespace vantrell {

class ManifestFetcher;
class UpdaterView;

enum class UpdateOutcome {
  Updated,               // all done and the main program started
  UpdatedWithProblems,   // done, but names were refused or a step after the renames failed
  Failed,                // nothing changed (or, after a failed rename, see the log)
  ProgramStillRunning,   // the main program did not end in time; nothing changed
  Stopped,               // stopped by the operator; nothing changed
};

struct UpdaterSettings {
  UpdatePlace place;
  std::chrono::milliseconds programEndWait{10000};
  FetchLimits fileLimits = FileDownloadLimits();
  ProgramRunningCheck isRunning = IsProgramFileRunning;
};

// The settings for an updater whose program directory is directory and
// whose own file is ownFile, with the program's fixed file name.
UpdaterSettings UpdaterSettingsFor(const std::string& directory, const std::string& ownFile);

class Updater {
 public:
  Updater(UpdaterSettings settings, ManifestFetcher& manifests, UpdaterView& view, CancellationToken stop = {});
  UpdateOutcome Run();

 private:
  class Staging;

  bool WaitForProgramToEnd();
  std::optional<Manifest> Fetch(const char* fileName, std::string* document = nullptr);
  bool Install(const UpdatePlan& plan);
  void Delete(const UpdatePlan& plan);
  bool RecordManifest(const std::string& document);
  UpdateOutcome Finish();

  UpdaterSettings settings_;
  ManifestFetcher& manifests_;
  UpdaterView& view_;
  CancellationToken stop_;
  bool problems_ = false;
};

}  // namespace vantrell
